// Capped reads, and writes that keep links, modes and special files.
#include "cli/file_io.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <random>

#include "cli/utf8.h"

namespace fs = std::filesystem;

namespace
{

// More links than this in a row are a loop.
constexpr int kMaxLinkHops = 40;

std::string NotWritable(const fs::path& given)
{
    return "Datei nicht schreibbar: " + PathToUtf8(given);
}

std::string WithCause(const std::string& message, FileFault fault)
{
    return fault == FileFault::None ? message : message + " (" + FileFaultText(fault) + ")";
}

// "NAME.<process>-<random>.part" beside the target: two writers of one target never share it.
fs::path TempBeside(const fs::path& target)
{
    std::random_device random;
    char tag[48];
    std::snprintf(tag, sizeof tag, ".%lu-%08x.part", ProcessNumber(), static_cast<unsigned>(random()));
    fs::path temp = target;
    temp += tag;
    return temp;
}

bool ReadStream(std::istream& in, std::size_t cap, std::string& bytes)
{
    // Read in pieces up to the cap: a small file costs no cap-sized buffer.
    bytes.clear();
    std::array<char, 16384> piece;
    while (bytes.size() < cap && in) {
        const std::size_t want = std::min(piece.size(), cap - bytes.size());
        in.read(piece.data(), static_cast<std::streamsize>(want));
        bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    return !in.bad();
}

} // namespace

fs::path PathFromUtf8(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool IsStandardStream(const fs::path& path)
{
    return path == "-";
}

bool ReadWholeFile(const fs::path& path, std::size_t cap, std::string& bytes, std::string& error)
{
    SystemFile file;
    const bool read = IsStandardStream(path) ? ReadStream(std::cin, cap, bytes)
                                             : file.Open(path, SystemFile::Way::Read) && file.ReadAll(bytes, cap);
    if (!read)
        error = WithCause("Datei nicht lesbar: " + PathToUtf8(path), file.Fault());
    return read;
}

WriteTarget ResolveWriteTarget(const fs::path& path)
{
    if (IsStandardStream(path))
        return {WriteWay::StandardOutput, path};
    std::error_code ec;
    // A device or a FIFO, also behind links the system resolves itself (/dev/stdout), is opened as named.
    const fs::file_status status = fs::status(path, ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return {WriteWay::Direct, path};
    fs::path target = path;
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(target, ec); ++hop) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return {WriteWay::Replace, target};
}

PendingFile::PendingFile(fs::path target, ExistingFile existing)
    : m_given(std::move(target)), m_existing(existing), m_target(ResolveWriteTarget(m_given))
{
    switch (m_target.way) {
    case WriteWay::StandardOutput:
        break;
    case WriteWay::Replace:
        m_error = Refusal();
        if (!m_error.empty())
            break;
        m_temp = TempBeside(m_target.path);
        if (!m_file.Open(m_temp, SystemFile::Way::CreateNew)) {
            m_temp.clear();
            m_error = Failure();
        }
        break;
    case WriteWay::Direct:
        if (!m_file.Open(m_target.path, SystemFile::Way::InPlace))
            m_error = Failure();
        break;
    }
}

PendingFile::~PendingFile()
{
    m_file.Close();
    if (m_committed || m_temp.empty())
        return;
    std::error_code ec;
    fs::remove(m_temp, ec);
}

std::string PendingFile::Refusal() const
{
    std::error_code ec;
    const fs::file_status status = fs::status(m_target.path, ec);
    if (!fs::is_regular_file(status) || m_existing == ExistingFile::Replace)
        return {};
    // Only the bits count: root may write anything, but a file made read-only is meant to stay.
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kAnyWrite) == fs::perms::none)
        return "Datei schreibgeschützt: " + PathToUtf8(m_given) + " (ersetzen mit -f, --force)";
    if (m_existing == ExistingFile::Keep)
        return "Datei gibt es schon: " + PathToUtf8(m_given) + " (überschreiben mit -f, --force)";
    return {};
}

std::string PendingFile::Failure() const
{
    return WithCause(NotWritable(m_given), m_file.Fault());
}

bool PendingFile::Write(std::string_view bytes)
{
    if (m_target.way == WriteWay::StandardOutput) {
        m_collected += bytes;
        return true;
    }
    if (!m_writeFailed && !m_file.Write(bytes)) {
        m_writeFailed = true;
        m_error = Failure();
    }
    return !m_writeFailed;
}

std::u16string PendingFile::ErrorText() const
{
    return FromUtf8(m_error.empty() ? NotWritable(m_given) : m_error).value_or(u"Datei nicht schreibbar");
}

bool PendingFile::Commit()
{
    switch (m_target.way) {
    case WriteWay::StandardOutput:
        std::cout.write(m_collected.data(), static_cast<std::streamsize>(m_collected.size()));
        std::cout.flush();
        m_committed = static_cast<bool>(std::cout);
        break;
    case WriteWay::Direct:
        m_committed = !m_writeFailed;
        m_file.Close();
        break;
    case WriteWay::Replace:
        // The target may have appeared or been made read-only while the content was made.
        m_error = Refusal();
        m_committed = m_error.empty() && !m_writeFailed && m_file.ReplaceTarget(m_temp, m_target.path);
        if (m_committed)
            m_temp.clear();
        else if (m_error.empty())
            m_error = Failure();
        break;
    }
    m_writeFailed = m_writeFailed || !m_committed;
    return m_committed;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes, ExistingFile existing, std::string& error)
{
    PendingFile file(path, existing);
    if (file.IsOpen() && file.Write(bytes) && file.Commit())
        return true;
    error = ToUtf8(file.ErrorText());
    return false;
}
