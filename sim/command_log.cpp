// Writing the command log.
#include "sim/command_log.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "sim/text_escapes.h"

CommandLog::CommandLog(const std::string& path) : m_file(std::fopen(path.c_str(), "w"))
{
    if (!m_file)
        throw std::runtime_error("log: cannot create " + path + ": " + std::strerror(errno));
}

CommandLog::~CommandLog()
{
    std::fclose(m_file);
}

void CommandLog::Write(std::uint64_t ms, std::string_view command)
{
    const std::string line = LogLine(ms, command) + '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}

std::string LogLine(std::uint64_t ms, std::string_view command)
{
    return std::to_string(ms) + ' ' + Printable(command);
}
