// The simulator program: the device on the master side of a pseudo-terminal, with its log,
// dumps, control FIFO and signals, all driven by one poll loop. Replies honour their delays and
// the line's pace without holding up reception.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/command_log.h"
#include "sim/control_fifo.h"
#include "sim/device.h"
#include "sim/options.h"
#include "sim/pseudo_terminal.h"
#include "sim/signal_pipe.h"
#include "sim/transmitter.h"

class Simulator
{
  public:
    // Loads the image, opens the pseudo-terminal, makes the link, the pty file, the log and
    // the control FIFO; throws std::runtime_error when any of it fails.
    explicit Simulator(SimOptions options);
    // Removes the link (when it still points at this device) and the control FIFO.
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Prints "PTY <slave path>", serves the device until SIGTERM or SIGINT, then writes the
    // dump and the saved image. Returns the exit status.
    int Run();

  private:
    std::uint64_t NowUs() const;
    int PollTimeoutMs() const;
    void HandleSignals();
    void HandleControlLines();
    void ApplyControlLine(const std::string& line);
    void Receive();
    void Transmit();
    void WriteImage(const std::string& path, const char* what);

    SimOptions m_options;
    Device m_device;
    std::uint64_t m_startUs;
    std::unique_ptr<CommandLog> m_log;
    PseudoTerminal m_pty;
    SignalPipe m_signals;
    std::unique_ptr<ControlFifo> m_control;
    Transmitter m_line;
    std::string m_unwritten; // taken off the line, not yet accepted by the pseudo-terminal
    bool m_stop = false;
};
