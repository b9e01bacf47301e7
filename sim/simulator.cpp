// The simulator program's set-up and poll loop.
#include "sim/simulator.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

#include "sim/files.h"
#include "sim/image_file.h"

namespace
{

std::uint64_t MonotonicUs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000u;
}

void Note(const std::string& text)
{
    std::fprintf(stderr, "q4sim: %s\n", text.c_str());
}

Device LoadDevice(const SimOptions& options)
{
    Device device;
    if (!options.imageFile.empty()) {
        std::string error;
        const auto image = ReadWholeFile(options.imageFile, error);
        if (!image || !ApplyImage(device.Memory(), *image, error))
            throw std::runtime_error("image " + options.imageFile + ": " + error);
    }
    if (options.ident)
        device.SetIdent(*options.ident);
    for (const Fault& fault : options.faults)
        device.AddFault(fault);
    return device;
}

} // namespace

Simulator::Simulator(SimOptions options)
    : m_options(std::move(options)), m_device(LoadDevice(m_options)), m_startUs(MonotonicUs()),
      m_signals({SIGTERM, SIGINT, SIGUSR1}), m_line(m_options.pace ? kByteTimeAt9600Us : 0)
{
    if (!m_options.logFile.empty()) {
        m_log = std::make_unique<CommandLog>(m_options.logFile);
        m_device.SetCommandObserver([this](std::uint64_t ms, std::string_view command) { m_log->Write(ms, command); });
    }
    if (!m_options.controlPath.empty())
        m_control = std::make_unique<ControlFifo>(m_options.controlPath);
    std::string error;
    if (!m_options.linkPath.empty() && !ReplaceSymlink(m_pty.SlavePath(), m_options.linkPath, error))
        throw std::runtime_error(error);
    if (!m_options.ptyFile.empty() && !WriteFileAtomically(m_options.ptyFile, m_pty.SlavePath() + "\n", error))
        throw std::runtime_error(error);
}

Simulator::~Simulator()
{
    if (m_options.linkPath.empty())
        return;
    char target[256];
    const ssize_t n = readlink(m_options.linkPath.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == m_pty.SlavePath())
        unlink(m_options.linkPath.c_str());
}

std::uint64_t Simulator::NowUs() const
{
    return MonotonicUs() - m_startUs;
}

int Simulator::Run()
{
    std::printf("PTY %s\n", m_pty.SlavePath().c_str());
    std::fflush(stdout);
    while (!m_stop) {
        pollfd fds[3] = {
            {m_signals.Fd(), POLLIN, 0},
            {m_pty.MasterFd(), static_cast<short>(POLLIN | (m_unwritten.empty() ? 0 : POLLOUT)), 0},
            {m_control ? m_control->Fd() : -1, POLLIN, 0},
        };
        if (poll(fds, 3, PollTimeoutMs()) < 0 && errno != EINTR)
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        HandleSignals();
        if (m_stop)
            break;
        // Control lines first: one written before a command must apply to that command.
        if (fds[2].revents != 0)
            HandleControlLines();
        if (fds[1].revents & POLLIN)
            Receive();
        Transmit();
    }
    if (!m_options.dumpFile.empty())
        WriteImage(m_options.dumpFile, "dump");
    if (!m_options.saveImageFile.empty())
        WriteImage(m_options.saveImageFile, "save");
    return 0;
}

int Simulator::PollTimeoutMs() const
{
    if (!m_unwritten.empty())
        return -1; // the line is blocked until the reader takes bytes: wait for POLLOUT
    const auto next = m_line.NextByteDoneUs();
    if (!next)
        return -1;
    const std::uint64_t now = NowUs();
    return *next <= now ? 0 : static_cast<int>((*next - now + 999) / 1000);
}

void Simulator::HandleSignals()
{
    for (int signal : m_signals.Take()) {
        if (signal == SIGUSR1 && !m_options.dumpFile.empty())
            WriteImage(m_options.dumpFile, "dump");
        else if (signal == SIGTERM || signal == SIGINT)
            m_stop = true;
    }
}

void Simulator::HandleControlLines()
{
    for (const std::string& line : m_control->ReadLines())
        ApplyControlLine(line);
}

void Simulator::ApplyControlLine(const std::string& line)
{
    std::string error;
    const auto command = ParseControlLine(line, error);
    if (!command) {
        Note("control: " + error);
        return;
    }
    Note("control: " + line);
    switch (command->kind) {
    case ControlKind::Fault:
        m_device.AddFault(command->fault);
        break;
    case ControlKind::ClearFaults:
        m_device.ClearFaults();
        break;
    case ControlKind::Ident:
        m_device.SetIdent(command->text);
        break;
    case ControlKind::Pace:
        m_line.SetByteTimeUs(command->on ? kByteTimeAt9600Us : 0);
        break;
    case ControlKind::Dump:
        if (m_options.dumpFile.empty())
            Note("control: dump needs --dump FILE");
        else
            WriteImage(m_options.dumpFile, "dump");
        break;
    case ControlKind::Save:
        if (m_options.saveImageFile.empty())
            Note("control: save needs --save-image FILE");
        else
            WriteImage(m_options.saveImageFile, "save");
        break;
    case ControlKind::Set:
        m_device.Memory().WriteHex(command->address, command->text);
        break;
    }
}

void Simulator::Receive()
{
    char buffer[1024];
    for (;;) {
        const ssize_t n = read(m_pty.MasterFd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        const std::uint64_t nowUs = NowUs();
        for (Output& out : m_device.Receive(std::string_view(buffer, static_cast<std::size_t>(n)), nowUs / 1000))
            m_line.Schedule(nowUs + out.delayMs * 1000ull, std::move(out.bytes));
    }
}

void Simulator::Transmit()
{
    if (m_unwritten.empty()) {
        if (m_device.Babbling() && m_line.Idle())
            m_line.Schedule(NowUs(), std::string(kBabbleText));
        m_unwritten = m_line.Take(NowUs());
    }
    while (!m_unwritten.empty()) {
        const ssize_t n = write(m_pty.MasterFd(), m_unwritten.data(), m_unwritten.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        m_unwritten.erase(0, static_cast<std::size_t>(n));
    }
    // Keep a babbling line full, so that the poll timeout sees the next byte due.
    if (m_device.Babbling() && m_line.Idle())
        m_line.Schedule(NowUs(), std::string(kBabbleText));
}

void Simulator::WriteImage(const std::string& path, const char* what)
{
    std::string error;
    if (!WriteFileAtomically(path, ImageText(m_device.Memory()), error))
        Note(std::string(what) + ": " + error);
}
