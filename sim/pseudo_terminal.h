// The pseudo-terminal the simulator plays the device on: it owns the master side and keeps a
// slave descriptor of its own open, so that reading the master never fails with EIO while no
// client has the port open (before the first open, and after each close).
#pragma once

#include <string>

class PseudoTerminal
{
  public:
    // Opens the master (non-blocking) and the slave in raw mode; throws std::runtime_error.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return m_master; }
    const std::string& SlavePath() const { return m_slavePath; }

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};
