// termios set-up, poll-bounded reads and writes, and the scan of the machine's serial ports.
#include "link/serial_port_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace
{

// The Win32 COM port's time-outs (link/com_port_win.cpp), so both front ends pace alike.
constexpr std::uint64_t kReadTotalConstantMs = 50;
constexpr std::uint64_t kReadIntervalMs = 1;
constexpr std::uint64_t kWriteTotalConstantMs = 100;
constexpr std::uint64_t kWriteMsPerByte = 2;

std::uint64_t MonotonicMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

int RemainingMs(std::uint64_t deadline)
{
    const std::uint64_t now = MonotonicMs();
    return now >= deadline ? 0 : static_cast<int>(deadline - now);
}

enum class Wait { Ready, TimedOut, DeviceError };

Wait WaitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    int ready;
    do {
        ready = ::poll(&p, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return Wait::DeviceError;
    return ready > 0 && (p.revents & events) != 0 ? Wait::Ready : Wait::TimedOut;
}

// Raw 9600 baud, 8 data bits, no parity, one stop bit, no flow control; reads never block.
void MakeRaw(termios& t)
{
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
}

// Linux makes a ttyS device node for every possible UART; only one with hardware reports a type.
bool HasUart(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
#ifdef __linux__
    serial_struct info{};
    const bool present = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
#else
    const bool present = ::isatty(fd) == 1;
#endif
    ::close(fd);
    return present;
}

// Names with the given prefix in number order (ttyUSB2 before ttyUSB10).
std::vector<std::string> NumberedDevices(const std::filesystem::path& dir, const std::string& prefix)
{
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string number = name.substr(prefix.size());
        if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        found.emplace_back(std::stol(number), entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (const auto& [number, path] : found)
        paths.push_back(path);
    return paths;
}

} // namespace

std::unique_ptr<PosixSerialLink> PosixSerialLink::Open(const std::string& path, PortFailure& failure)
{
    const auto fail = [&failure](PortFailure::Kind kind, int fd) {
        failure = {kind, std::strerror(errno)};
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    };
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return fail(errno == ENOENT  ? PortFailure::Kind::Missing
                    : errno == EBUSY ? PortFailure::Kind::Busy
                                     : PortFailure::Kind::Other,
                    fd);
    termios saved{};
    if (!::isatty(fd) || ::tcgetattr(fd, &saved) != 0)
        return fail(PortFailure::Kind::NotSerial, fd);
    // A second program on the same port would garble both transfers. TIOCEXCL keeps out ordinary
    // users only; the flock keeps out every q4k, root's too.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? PortFailure::Kind::Busy : PortFailure::Kind::Other, fd);
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail(PortFailure::Kind::Other, fd);
    termios raw = saved;
    MakeRaw(raw);
    if (::tcsetattr(fd, TCSANOW, &raw) != 0)
        return fail(PortFailure::Kind::Other, fd);
    return std::unique_ptr<PosixSerialLink>(new PosixSerialLink(fd, saved));
}

PosixSerialLink::~PosixSerialLink()
{
    ::tcsetattr(m_fd, TCSANOW, &m_saved);
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
}

std::size_t PosixSerialLink::Write(const std::uint8_t* data, std::size_t n)
{
    const std::uint64_t deadline = MonotonicMs() + kWriteTotalConstantMs + kWriteMsPerByte * n;
    std::size_t written = 0;
    while (written < n) {
        const ssize_t r = ::write(m_fd, data + written, n - written);
        if (r > 0) {
            written += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR) {
            m_deviceError = true;
            break;
        }
        const Wait wait = WaitFor(m_fd, POLLOUT, RemainingMs(deadline));
        m_deviceError = m_deviceError || wait == Wait::DeviceError;
        if (wait != Wait::Ready)
            break;
    }
    WaitUntilSent(deadline);
    return written;
}

// Like the synchronous Win32 write, come back only when the bytes are on the line; bounded,
// because a vanished adapter must not hold the program.
void PosixSerialLink::WaitUntilSent(std::uint64_t deadline)
{
    int queued = 0;
    while (::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0 && RemainingMs(deadline) > 0) {
        const timespec pause{0, 500000};
        ::nanosleep(&pause, nullptr);
    }
}

std::size_t PosixSerialLink::Read(std::uint8_t* data, std::size_t n)
{
    return ReadBefore(data, n, MonotonicMs() + kReadTotalConstantMs + n);
}

std::size_t PosixSerialLink::ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs)
{
    return ReadBefore(data, n, MonotonicMs() + waitMs);
}

// Reads until n bytes came, 1 ms passed without another, or the deadline passed. A failed port
// reads nothing at once, so that a transfer on it ends without waiting out its time-outs; who
// asks again asks DeviceError first.
std::size_t PosixSerialLink::ReadBefore(std::uint8_t* data, std::size_t n, std::uint64_t deadline)
{
    std::size_t got = 0;
    while (got < n && !m_deviceError) {
        const int waitMs =
            got == 0 ? RemainingMs(deadline) : std::min(RemainingMs(deadline), static_cast<int>(kReadIntervalMs));
        const Wait wait = WaitFor(m_fd, POLLIN, waitMs);
        m_deviceError = m_deviceError || wait == Wait::DeviceError;
        if (wait != Wait::Ready)
            break;
        const ssize_t r = ::read(m_fd, data + got, n - got);
        if (r > 0)
            got += static_cast<std::size_t>(r);
        else if (r == 0) // a raw terminal without VMIN reads nothing when nothing is left
            break;
        else if (errno != EAGAIN && errno != EINTR)
            m_deviceError = true;
    }
    return got;
}

std::uint64_t PosixSerialLink::NowMs()
{
    return MonotonicMs();
}

std::vector<std::string> ListSerialPorts(const std::string& devRoot)
{
    const std::filesystem::path root(devRoot);
    std::vector<std::string> ports;
    for (const std::string& path : NumberedDevices(root, "ttyS"))
        if (HasUart(path))
            ports.push_back(path);
    for (const char* prefix : {"ttyUSB", "ttyACM"})
        for (const std::string& path : NumberedDevices(root, prefix))
            ports.push_back(path);
    std::error_code ec;
    for (std::string& port : ports) {
        const std::filesystem::path device = std::filesystem::canonical(port, ec);
        for (const auto& entry : std::filesystem::directory_iterator(root / "serial" / "by-id", ec))
            if (std::filesystem::canonical(entry.path(), ec) == device && !ec) {
                port += "  " + entry.path().filename().string();
                break;
            }
    }
    return ports;
}
