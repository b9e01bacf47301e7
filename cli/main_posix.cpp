// q4k on Linux and other POSIX systems: termios serial ports, UTF-8 console.
#include <signal.h>
#include <unistd.h>

#include <iostream>

#include "cli/q4k.h"
#include "link/serial_port_posix.h"

namespace
{

class PosixPlatform : public Platform
{
  public:
    std::unique_ptr<ByteLink> OpenPort(const std::string& name, std::string& error) override
    {
        return PosixSerialLink::Open(name, error);
    }
    std::vector<std::string> ListPorts() override { return ListSerialPorts(); }
    bool ErrorIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }
};

volatile sig_atomic_t g_signal = 0;

void OnSignal(int number)
{
    g_signal = number;
    RequestStop();
}

// Ctrl+C ends a transfer through its failure path, so the port gets its settings back and a
// half-written backup is removed.
void CatchInterrupts()
{
    struct sigaction action {
    };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    CatchInterrupts();
    PosixPlatform platform;
    const std::vector<std::string> words(argv + 1, argv + argc);
    const int code = RunQ4k(words, platform, std::cout, std::cerr);
    if (g_signal != 0 && StopRequested()) {
        std::cerr << "q4k: abgebrochen\n";
        return 128 + g_signal;
    }
    return code;
}
