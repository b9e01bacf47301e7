// Capped reads, and temporary files renamed into place.
#include "cli/file_io.h"

#include <algorithm>
#include <array>

#include "cli/utf8.h"

namespace
{
const char kTempSuffix[] = ".part";
}

std::filesystem::path PathFromUtf8(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool ReadWholeFile(const std::filesystem::path& path, std::size_t cap, std::string& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Datei nicht lesbar: " + PathToUtf8(path);
        return false;
    }
    // Read in pieces up to the cap: a small file costs no cap-sized buffer.
    bytes.clear();
    std::array<char, 16384> piece;
    while (bytes.size() < cap && in) {
        const std::size_t want = std::min(piece.size(), cap - bytes.size());
        in.read(piece.data(), static_cast<std::streamsize>(want));
        bytes.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        error = "Datei nicht lesbar: " + PathToUtf8(path);
        return false;
    }
    return true;
}

PendingFile::PendingFile(std::filesystem::path target) : m_target(std::move(target))
{
    m_temp = m_target;
    m_temp += kTempSuffix;
    m_out.open(m_temp, std::ios::binary | std::ios::trunc);
}

PendingFile::~PendingFile()
{
    if (m_committed)
        return;
    m_out.close();
    std::error_code ec;
    std::filesystem::remove(m_temp, ec);
}

bool PendingFile::Write(std::string_view bytes)
{
    m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    m_writeFailed = m_writeFailed || !m_out;
    return !m_writeFailed;
}

std::u16string PendingFile::ErrorText() const
{
    return FromUtf8("Datei nicht schreibbar: " + PathToUtf8(m_temp)).value_or(u"Datei nicht schreibbar");
}

bool PendingFile::Commit(std::string& error)
{
    m_out.close();
    if (m_out.fail()) {
        error = "Datei nicht schreibbar: " + PathToUtf8(m_temp);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(m_temp, m_target, ec);
    if (ec) {
        error = "Datei nicht schreibbar: " + PathToUtf8(m_target) + " (" + ec.message() + ")";
        return false;
    }
    m_committed = true;
    return true;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error)
{
    PendingFile file(path);
    if (!file.IsOpen()) {
        error = "Datei nicht schreibbar: " + PathToUtf8(file.TempPath());
        return false;
    }
    if (!file.Write(bytes)) {
        error = ToUtf8(file.ErrorText());
        return false;
    }
    return file.Commit(error);
}
