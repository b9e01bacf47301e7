// Reading control lines from a FIFO that writers open and close at will.
#include "sim/control_fifo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace
{
// A writer that never sends a line end must not make the buffer grow without end.
constexpr std::size_t kMaxLine = 4096;
} // namespace

ControlFifo::ControlFifo(std::string path) : m_path(std::move(path))
{
    if (unlink(m_path.c_str()) != 0 && errno != ENOENT)
        throw std::runtime_error("control: cannot remove " + m_path + ": " + std::strerror(errno));
    if (mkfifo(m_path.c_str(), 0600) != 0)
        throw std::runtime_error("control: cannot create FIFO " + m_path + ": " + std::strerror(errno));
    Open();
}

ControlFifo::~ControlFifo()
{
    close(m_fd);
    unlink(m_path.c_str());
}

void ControlFifo::Open()
{
    // Non-blocking: opening for reading does not wait for a writer, and reads never block the loop.
    m_fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        throw std::runtime_error("control: cannot open " + m_path + ": " + std::strerror(errno));
}

std::vector<std::string> ControlFifo::ReadLines()
{
    std::vector<std::string> lines;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            m_partial.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0) {
            // The last writer closed: without reopening, poll would report the hang-up forever.
            if (!m_partial.empty() && m_partial.back() != '\n')
                m_partial.push_back('\n');
            close(m_fd);
            Open();
        }
        break;
    }
    std::size_t start = 0;
    for (std::size_t end; (end = m_partial.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = m_partial.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    m_partial.erase(0, start);
    if (m_partial.size() > kMaxLine)
        m_partial.clear();
    return lines;
}
