// The port of a device command as every command opens it: the port-failure messages, the trace,
// the stop, the console's view of a transfer, and the patient identification.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_view.h"
#include "link/identification.h"
#include "link/reply_reading.h"
#include "link/stoppable_link.h"
#include "link/trace_link.h"
#include "transfer/transfer_texts.h"

// The port named by the command, seen through a trace when one was asked for. Each step that
// a stop ends says "abgebrochen" and returns kExitInterrupted.
class DeviceSession
{
  public:
    // Takes the command's options: PORT (the first operand), --wait, --trace, --fast, --quiet.
    DeviceSession(const Arguments& a, Console& c);

    // Opens the port unless it is open and waits for an identified device: the default tries, or
    // as long as --wait asks, for a port too that comes (again) meanwhile. A transfer starts only
    // on an identified device; the message and exit code when none identifies itself.
    int Identify();

    // The rollout's wait for a vehicle: as Identify, until a device identifies itself or a stop
    // comes, which returns kExitInterrupted without a word.
    int AwaitDevice();

    // Waits until the device no longer identifies itself (it was unplugged), or a stop.
    void AwaitUnplugged();

    ByteLink& Link() { return *m_stoppable; }
    ReplyReading Reading() const { return m_args.fast ? ReplyReading::WholeReply : ReplyReading::Silence; }
    const Identification& Ident() const { return m_ident; }

    // Whether the user's stop cut the running exchange short.
    bool Interrupted() const { return m_stop.Now(); }
    // Whether a stop of any kind was asked for: no further vehicle is served.
    bool StopRequested() const { return m_stop.Requested(); }

    // The transfer's view on the error stream, as the options and the terminal ask.
    ConsoleView MakeView();

    // Reads the whole device as a backup does, but into memory (with the texts of a reading unless
    // others are given); on failure it names the record and returns kExitTransfer.
    int ReadDevice(std::string& bytes, const ReadingTexts& texts = kVerifyReadingTexts);

    // The restore of the bytes after the window's pause; on failure it names the record and
    // returns kExitTransfer. A stop during it adds that the device now holds a partial
    // configuration. Once it has begun, a closed terminal lets it and a verify run to their end.
    int Restore(const std::string& bytes);

  private:
    int Await(std::optional<std::uint64_t> waitMs);
    int OpenPort(bool reportFailure);
    void ClosePort();
    // Whether a stop keeps the next step from beginning.
    bool Halted() const { return m_stop.Now() || (m_stop.Requested() && !m_finishing); }
    bool PortFailed() const { return m_port && m_port->DeviceError(); }
    void PauseUnlessHalted();

    const Arguments& m_args;
    Console& m_c;
    const StopSource& m_stop;
    std::uint64_t m_waitMs;
    bool m_finishing = false; // a restore has begun
    std::ofstream m_traceFile;
    std::ostream* m_traceOut = nullptr;
    // Declared first of the links so that it is destroyed last, after the trace has written its last line.
    std::unique_ptr<ByteLink> m_port;
    std::unique_ptr<TraceLink> m_trace;
    std::unique_ptr<StoppableLink> m_stoppable;
    Identification m_ident;
};
