// The log of every command the device received: one line "<ms since start> <command>" per
// command, non-printable bytes as <XX>, flushed at once so that tests can read it while the
// device runs, e.g. "1234 $PROGSTART<01>".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class CommandLog
{
  public:
    // Creates (empties) the file; throws std::runtime_error.
    explicit CommandLog(const std::string& path);
    ~CommandLog();
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

    void Write(std::uint64_t ms, std::string_view command);

  private:
    std::FILE* m_file = nullptr;
};

// One line of the log, without its line end.
std::string LogLine(std::uint64_t ms, std::string_view command);
