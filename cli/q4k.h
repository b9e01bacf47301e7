// The console companion q4k: one entry point over the portable core, given what the platform
// provides (opening a port, listing ports, whether the error stream is a terminal).
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "link/byte_link.h"
#include "link/port_failure.h"

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
};

// Asks a running device command to stop: it ends through its failure path (called from a
// signal or console handler, so it only sets a lock-free flag).
void RequestStop();
bool StopRequested();
// Takes a stop back once a command has ended on it the normal way (a rollout loop between vehicles).
void WithdrawStop();

// The exit code of a program ended by Ctrl+C.
inline constexpr int kExitInterrupted = 130;

// Runs the command line (without the program name, UTF-8); results go to `out`, progress and
// messages to `err`. Returns the exit code; after a stop request, "abgebrochen" and 130. A failed
// write to `out` ends with a message and exit code 4.
int RunQ4k(const std::vector<std::string>& words, Platform& platform, std::ostream& out, std::ostream& err);
