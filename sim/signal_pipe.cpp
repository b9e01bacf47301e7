// Turning signals into bytes on a pipe.
#include "sim/signal_pipe.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace
{

// Only one pipe exists at a time; the handler reaches it through this.
volatile sig_atomic_t g_signalPipeWrite = -1;

void OnSignal(int signal)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    if (write(g_signalPipeWrite, &byte, 1) < 0) {
        // A full pipe already holds enough wake-ups.
    }
    errno = saved;
}

} // namespace

SignalPipe::SignalPipe(std::initializer_list<int> signals) : m_signals(signals)
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error(std::string("signal pipe: ") + std::strerror(errno));
    m_read = fds[0];
    m_write = fds[1];
    for (int fd : fds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    g_signalPipeWrite = m_write;
    struct sigaction action {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : m_signals)
        sigaction(s, &action, nullptr);
}

SignalPipe::~SignalPipe()
{
    for (int s : m_signals)
        std::signal(s, SIG_DFL);
    g_signalPipeWrite = -1;
    close(m_read);
    close(m_write);
}

std::vector<int> SignalPipe::Take()
{
    std::vector<int> caught;
    unsigned char buffer[64];
    ssize_t n;
    while ((n = read(m_read, buffer, sizeof buffer)) > 0)
        caught.insert(caught.end(), buffer, buffer + n);
    return caught;
}
