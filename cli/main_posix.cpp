// q4k on Linux and other POSIX systems: termios serial ports, UTF-8 console.
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <iostream>

#include "cli/q4k.h"
#include "cli/shell_quote.h"
#include "link/serial_port_posix.h"

namespace
{

class PosixPlatform : public Platform
{
  public:
    explicit PosixPlatform(std::string program) : m_program(std::move(program)) {}

    std::unique_ptr<ByteLink> OpenPort(const std::string& name, PortFailure& failure) override
    {
        return PosixSerialLink::Open(name, failure);
    }
    std::vector<std::string> ListPorts() override { return ListSerialPorts(); }
    bool ErrorIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }
    int ErrorColumns() override
    {
        winsize size{};
        if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
            return size.ws_col;
        return Platform::ErrorColumns();
    }
    std::string CommandFor(const std::vector<std::string>& arguments) override
    {
        return CommandLine(m_program, arguments, ShellSyntax::Posix);
    }

  private:
    std::string m_program;
};

// The handlers' way to the platform's stop.
StopSource* g_stop = nullptr;

void OnSignal(int number)
{
    g_stop->Request(number == SIGHUP ? StopSource::Kind::WhenDone : StopSource::Kind::Now, 128 + number);
}

// Ctrl+C and SIGTERM end a transfer through its failure path, so the port gets its settings back
// and a half-written backup is removed. A closed terminal lets a restore that has begun, and its
// verify, run to their end; a closed pipe only fails the output, which is told at the end.
void CatchSignals(StopSource& stop)
{
    g_stop = &stop;
    struct sigaction action {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

} // namespace

int main(int argc, char** argv)
{
    // System texts in the user's language; numbers stay as the parsers of q4k's output expect them.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    std::error_code ec;
    PosixPlatform platform(PosixProgram(argv[0] ? argv[0] : "", std::filesystem::current_path(ec).string()));
    CatchSignals(platform.Stop());
    const std::vector<std::string> words(argv + 1, argv + argc);
    const int code = RunQ4k(words, platform, std::cout, std::cerr);
    return code == kExitInterrupted && platform.Stop().Requested() ? platform.Stop().ExitCode() : code;
}
