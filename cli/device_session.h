// The port of a device command as every command opens it: the port-failure messages, the trace,
// Ctrl+C, the console's view of a transfer, and the patient identification.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/console_view.h"
#include "link/identification.h"
#include "link/stoppable_link.h"
#include "link/trace_link.h"
#include "transfer/transfer_texts.h"

// The open port, seen through a trace when one was asked for.
class DeviceSession
{
  public:
    // Opens PORT (the first operand); the message and exit code when it cannot be opened.
    int Open(const Arguments& a, Console& c);

    ByteLink& Link() { return *m_stoppable; }

    // A transfer starts only on an identified device; the tries wait for a late or a plugged-in one.
    int Identify(Console& c);

    const std::u16string& Shown() const { return m_shown.text; }

    // The transfer's view on the error stream, as the options and the terminal ask.
    ConsoleView MakeView(const Arguments& a, Console& c);

    // Reads the whole device as a backup does, but into memory (with the texts of a reading unless
    // others are given); on failure it names the record and returns false.
    bool ReadDevice(const Arguments& a, Console& c, std::string& bytes,
                    const ReadingTexts& texts = kVerifyReadingTexts);

    // The restore of the bytes after the window's pause; on failure it names the record and returns
    // false. Ctrl+C during it leaves the note that the device now holds a partial configuration.
    bool Restore(const Arguments& a, Console& c, const std::string& bytes);

  private:
    // Declared first so that it is destroyed last, after the trace has written its last line.
    std::unique_ptr<ByteLink> m_port;
    std::ofstream m_traceFile;
    std::unique_ptr<TraceLink> m_trace;
    std::unique_ptr<StoppableLink> m_stoppable;
    std::uint64_t m_waitMs = 0;
    IdentDisplay m_shown{IdentOutcome::NoDevice, {}};
};
