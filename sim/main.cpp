// q4sim: plays a "Quendal 4" control head on a pseudo-terminal for the demo and the end-to-end tests.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sim/options.h"
#include "sim/simulator.h"

int main(int argc, char** argv)
{
    const ParsedCommandLine parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(kUsage.data(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "q4sim: %s\n%s", parsed.error.c_str(), kUsage.data());
        return 2;
    }
    // A reader that goes away must not kill the device.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        Simulator simulator(parsed.options);
        return simulator.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "q4sim: %s\n", e.what());
        return 1;
    }
}
