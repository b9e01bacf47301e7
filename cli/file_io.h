// Files as the console front end reads and writes them: whole-file reads with a size cap, and
// writes that go to a temporary file beside the target and replace it only when complete.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "transfer/record_sink.h"

// Command-line words are UTF-8 on both systems.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The file's first `cap` bytes (all of a shorter file), or false with a German reason in `error`.
// A file that fills the cap is larger than any configuration, so the checks that follow refuse it.
bool ReadWholeFile(const std::filesystem::path& path, std::size_t cap, std::string& bytes, std::string& error);

// The target's replacement in the making; removed again unless committed.
class PendingFile : public RecordSink
{
  public:
    explicit PendingFile(std::filesystem::path target);
    ~PendingFile() override;

    bool IsOpen() const { return m_out.is_open(); }
    bool WriteFailed() const { return m_writeFailed; }
    bool Write(std::string_view bytes) override;
    std::u16string ErrorText() const override;
    // Closes the temporary file and renames it to the target; false with `error` on failure.
    bool Commit(std::string& error);

    const std::filesystem::path& TempPath() const { return m_temp; }

    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

  private:
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    std::ofstream m_out;
    bool m_committed = false;
    bool m_writeFailed = false;
};

// Writes the bytes to the path through a PendingFile.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);
