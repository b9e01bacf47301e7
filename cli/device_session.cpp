// The port of a device command.
#include "cli/device_session.h"

#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/utf8.h"
#include "link/patient_identification.h"
#include <chrono>
#include <thread>

#include "transfer/backup_exchange.h"
#include "transfer/restore_exchange.h"
#include "transfer/string_sink.h"
#include "transfer/transfer_texts.h"

namespace
{

std::string PortMessage(const PortFailure& failure, const std::string& port)
{
    switch (failure.kind) {
    case PortFailure::Kind::Missing:
        return "Port nicht gefunden: " + port;
    case PortFailure::Kind::NotSerial:
        return "Kein serieller Port: " + port;
    case PortFailure::Kind::Busy:
        return "Port wird schon benutzt: " + port;
    case PortFailure::Kind::Other:
        break;
    }
    return "Port lässt sich nicht öffnen: " + port + " (" + failure.reason + ")";
}

} // namespace

int DeviceSession::Open(const Arguments& a, Console& c)
{
    PortFailure failure;
    m_port = c.platform.OpenPort(a.operands[0], failure);
    if (!m_port) {
        c.err << PortMessage(failure, a.operands[0]) << "\n";
        return kExitNoDevice;
    }
    m_waitMs = static_cast<std::uint64_t>(a.waitSeconds.value_or(0)) * 1000;
    ByteLink* link = m_port.get();
    if (!a.trace.empty()) {
        std::ostream* trace = &c.err;
        if (!IsStandardStream(PathFromUtf8(a.trace))) {
            m_traceFile.open(PathFromUtf8(a.trace), std::ios::trunc);
            if (!m_traceFile) {
                c.err << "Datei nicht schreibbar: " << a.trace << "\n";
                return kExitFile;
            }
            trace = &m_traceFile;
        }
        m_trace = std::make_unique<TraceLink>(*m_port, *trace);
        link = m_trace.get();
    }
    m_stoppable = std::make_unique<StoppableLink>(*link, StopRequested);
    return kExitDone;
}

int DeviceSession::Identify(Console& c)
{
    m_shown = IdentifyPatiently(Link(), m_waitMs, StopRequested);
    if (m_shown.outcome == IdentOutcome::Identified)
        return kExitDone;
    // Stopped while waiting: "abgebrochen" says all.
    if (!StopRequested())
        c.err << ToUtf8(kDeviceMissingText) << "\n";
    return kExitNoDevice;
}

ConsoleView DeviceSession::MakeView(const Arguments& a, Console& c)
{
    return ConsoleView(c.err, c.platform.ErrorIsTerminal(), a.quiet, c.platform.ErrorColumns());
}

bool DeviceSession::ReadDevice(const Arguments& a, Console& c, std::string& bytes, const ReadingTexts& texts)
{
    StringSink device;
    ConsoleView view = MakeView(a, c);
    if (!RunBackup(Link(), view, device, texts, ReplyReadingOf(a))) {
        view.NameFailedRecord("nicht gelesen");
        return false;
    }
    bytes = std::move(device.bytes);
    return true;
}

bool DeviceSession::Restore(const Arguments& a, Console& c, const std::string& bytes)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(kPauseBeforeRestoreMs));
    c.stopNote = kPartialRestoreNote;
    ConsoleView view = MakeView(a, c);
    const bool done = RunRestore(Link(), view, bytes, ReplyReadingOf(a));
    if (!done)
        view.NameFailedRecord("nicht quittiert");
    // The note stays only for "abgebrochen" after a stop during the restore.
    if (done || !StopRequested())
        c.stopNote.clear();
    return done;
}
