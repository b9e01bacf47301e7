// Capped reads, and writes that keep links, modes and special files.
#include "cli/file_io.h"

#include <algorithm>
#include <array>
#include <iostream>

#include "cli/utf8.h"

namespace fs = std::filesystem;

namespace
{

const char kTempSuffix[] = ".part";
// More links than this in a row are a loop.
constexpr int kMaxLinkHops = 40;

std::string NotWritable(const fs::path& given)
{
    return "Datei nicht schreibbar: " + PathToUtf8(given);
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
    bool read = false;
    if (IsStandardStream(path)) {
        read = ReadStream(std::cin, cap, bytes);
    } else {
        std::ifstream in(path, std::ios::binary);
        read = in && ReadStream(in, cap, bytes);
    }
    if (!read)
        error = "Datei nicht lesbar: " + PathToUtf8(path);
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

bool IsExistingFile(const fs::path& path)
{
    std::error_code ec;
    return !IsStandardStream(path) && fs::is_regular_file(path, ec);
}

PendingFile::PendingFile(fs::path target) : m_given(std::move(target)), m_target(ResolveWriteTarget(m_given))
{
    switch (m_target.way) {
    case WriteWay::StandardOutput:
        break;
    case WriteWay::Replace:
        m_temp = m_target.path;
        m_temp += kTempSuffix;
        m_out.open(m_temp, std::ios::binary | std::ios::trunc);
        break;
    case WriteWay::Direct:
        m_out.open(m_target.path, std::ios::binary);
        break;
    }
}

PendingFile::~PendingFile()
{
    if (m_committed || m_temp.empty())
        return;
    m_out.close();
    std::error_code ec;
    fs::remove(m_temp, ec);
}

bool PendingFile::Write(std::string_view bytes)
{
    if (m_target.way == WriteWay::StandardOutput) {
        m_collected += bytes;
        return true;
    }
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    m_writeFailed = m_writeFailed || !m_out;
    return !m_writeFailed;
}

std::u16string PendingFile::ErrorText() const
{
    return FromUtf8(m_error.empty() ? NotWritable(m_given) : m_error).value_or(u"Datei nicht schreibbar");
}

bool PendingFile::Commit()
{
    if (m_target.way == WriteWay::StandardOutput) {
        std::cout.write(m_collected.data(), static_cast<std::streamsize>(m_collected.size()));
        std::cout.flush();
        m_committed = static_cast<bool>(std::cout);
    } else {
        m_out.close();
        m_committed = !m_out.fail();
    }
    if (m_committed && m_target.way == WriteWay::Replace) {
        std::error_code ec;
        // A replaced file keeps its mode; a new one gets the usual mode for new files.
        const fs::file_status old = fs::status(m_target.path, ec);
        if (fs::exists(old))
            fs::permissions(m_temp, old.permissions(), ec);
        fs::rename(m_temp, m_target.path, ec);
        m_committed = !ec;
        if (ec)
            m_error = NotWritable(m_given) + " (" + ec.message() + ")";
    }
    m_writeFailed = m_writeFailed || !m_committed;
    return m_committed;
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes, std::string& error)
{
    PendingFile file(path);
    if (!file.IsOpen()) {
        error = NotWritable(path);
        return false;
    }
    if (file.Write(bytes) && file.Commit())
        return true;
    error = ToUtf8(file.ErrorText());
    return false;
}
