// The simulator program's operating-system pieces: the pseudo-terminal, the control FIFO,
// file replacement, and the whole poll loop driven through a real pseudo-terminal.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>

#include "sim/control_fifo.h"
#include "sim/default_image.h"
#include "sim/files.h"
#include "sim/pseudo_terminal.h"
#include "sim/simulator.h"

namespace
{

class TempDir
{
  public:
    TempDir()
    {
        char pattern[] = "/tmp/q4sim-test-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

void WriteAll(int fd, const std::string& bytes)
{
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Reads until the line has been silent for quietMs (or until maxMs have passed).
std::string ReadUntilQuiet(int fd, int quietMs, int maxMs = 3000)
{
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    pollfd p{fd, POLLIN, 0};
    while (std::chrono::steady_clock::now() < end && poll(&p, 1, quietMs) > 0) {
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

int OpenClient(const std::string& path)
{
    return open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

} // namespace

TEST(SimPseudoTerminal, BytesPassUnchangedBothWaysWithoutEcho)
{
    PseudoTerminal pty;
    const int client = OpenClient(pty.SlavePath());
    ASSERT_GE(client, 0);
    // CR, NL, ^C and ^Q would be translated or act as controls on a cooked terminal.
    const std::string bytes("\r\n\x03\x11\x01$R01\x01\xFF", 11);
    WriteAll(client, bytes);
    EXPECT_EQ(ReadUntilQuiet(pty.MasterFd(), 50), bytes);
    WriteAll(pty.MasterFd(), bytes);
    EXPECT_EQ(ReadUntilQuiet(client, 50), bytes);
    EXPECT_EQ(ReadUntilQuiet(pty.MasterFd(), 50), ""); // nothing echoed back to the device
    close(client);
}

TEST(SimPseudoTerminal, MasterStaysUsableAfterTheClientCloses)
{
    PseudoTerminal pty;
    for (int round = 0; round < 2; ++round) {
        const int client = OpenClient(pty.SlavePath());
        ASSERT_GE(client, 0);
        WriteAll(client, "x");
        EXPECT_EQ(ReadUntilQuiet(pty.MasterFd(), 50), "x");
        close(client);
        pollfd p{pty.MasterFd(), POLLIN, 0};
        EXPECT_EQ(poll(&p, 1, 0), 0) << "round " << round; // no hang-up, no EIO
        char c;
        EXPECT_EQ(read(pty.MasterFd(), &c, 1), -1);
        EXPECT_EQ(errno, EAGAIN);
    }
}

TEST(SimControlFifo, LinesFromWritersOneAfterAnother)
{
    TempDir dir;
    const std::string path = dir.File("ctl");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "an old file", error)); // replaced by the FIFO
    ControlFifo fifo(path);
    for (const std::string& text : {std::string("fault silent\r\n\npartial"), std::string("dump\n")}) {
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(writer, 0);
        WriteAll(writer, text);
        close(writer);
        const auto lines = fifo.ReadLines();
        if (text.starts_with("fault"))
            EXPECT_EQ(lines, (std::vector<std::string>{"fault silent", "partial"}));
        else
            EXPECT_EQ(lines, (std::vector<std::string>{"dump"}));
        pollfd p{fifo.Fd(), POLLIN, 0};
        EXPECT_EQ(poll(&p, 1, 0), 0); // reopened: no endless hang-up report
    }
}

TEST(SimFiles, ReplaceFileAndLink)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir.File("a"), "one", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(dir.File("a"), "two", error)) << error;
    EXPECT_EQ(ReadWholeFile(dir.File("a"), error), "two");
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), error));

    ASSERT_TRUE(ReplaceSymlink("/dev/null", dir.File("com7"), error)) << error;
    ASSERT_TRUE(ReplaceSymlink(dir.File("a"), dir.File("com7"), error)) << error;
    EXPECT_EQ(ReadWholeFile(dir.File("com7"), error), "two");
}

TEST(SimProgram, ServesThePseudoTerminalUntilTerminated)
{
    TempDir dir;
    SimOptions options;
    options.ptyFile = dir.File("pty");
    options.linkPath = dir.File("com7");
    options.logFile = dir.File("log");
    options.dumpFile = dir.File("dump");
    options.controlPath = dir.File("ctl");
    auto simulator = std::make_unique<Simulator>(options);
    std::thread loop([&] { simulator->Run(); });

    std::string error;
    const int client = OpenClient(dir.File("com7"));
    ASSERT_GE(client, 0);
    const auto start = std::chrono::steady_clock::now();
    WriteAll(client, "$PROGSTART\x01");
    const std::string ident = ReadUntilQuiet(client, 100);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(ident, kDefaultIdent);

    // A control line written before a command applies to that command.
    const int control = open(options.controlPath.c_str(), O_WRONLY);
    WriteAll(control, "fault noise\nset 05 " + std::string(128, '7') + "\n");
    close(control);
    WriteAll(client, "$R05\x01");
    EXPECT_EQ(ReadUntilQuiet(client, 100), "~#~?$R05" + std::string(128, '7') + "\r");
    close(client);

    kill(getpid(), SIGTERM);
    loop.join();
    simulator.reset();
    EXPECT_FALSE(access(options.linkPath.c_str(), F_OK) == 0); // the link went with the device
    EXPECT_EQ(ReadWholeFile(options.ptyFile, error).value_or("").rfind("/dev/pts/", 0), 0u);
    const std::string log = ReadWholeFile(options.logFile, error).value_or("");
    EXPECT_NE(log.find(" $PROGSTART<01>\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" $R05<01>\n"), std::string::npos) << log;
    const std::string dump = ReadWholeFile(options.dumpFile, error).value_or("");
    ASSERT_EQ(dump.size(), 160u * 133u);
    EXPECT_EQ(dump.substr(4 * 133, 133), "$P05" + std::string(128, '7') + "\x01");
}
