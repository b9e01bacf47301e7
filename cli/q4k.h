// The console companion q4k: one entry point over the portable core, given what the platform
// provides (opening a port, listing ports, whether the error stream is a terminal, the stop).
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "link/byte_link.h"
#include "link/port_failure.h"
#include "link/stoppable_link.h"

class Platform
{
  public:
    virtual ~Platform() = default;
    // Opens and configures the port the user named; nothing and why on failure.
    virtual std::unique_ptr<ByteLink> OpenPort(const std::string& name, PortFailure& failure) = 0;
    // The ports found, one text each.
    virtual std::vector<std::string> ListPorts() = 0;
    virtual bool ErrorIsTerminal() = 0;
    // The width of the terminal on the error stream: what the terminal reports, else COLUMNS, else 80.
    virtual int ErrorColumns();
    // The command line that runs q4k with the arguments when pasted into the platform's shell.
    virtual std::string CommandFor(const std::vector<std::string>& arguments) = 0;
    // What the signal or console handlers ask of the running command.
    StopSource& Stop() { return m_stop; }

  private:
    StopSource m_stop;
};

// The exit code of a command that a stop ended (Ctrl+C; a POSIX main gives 128 and the signal).
inline constexpr int kExitInterrupted = 130;

// Runs the command line (without the program name, UTF-8); results go to `out`, progress and
// messages to `err`. Returns the exit code. A failed write to `out` ends with a message and exit
// code 4, once the command has run to its end.
int RunQ4k(const std::vector<std::string>& words, Platform& platform, std::ostream& out, std::ostream& err);
