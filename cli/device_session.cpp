// The port of a device command.
#include "cli/device_session.h"

#include <chrono>
#include <limits>
#include <thread>

#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "link/patient_identification.h"
#include "transfer/backup_exchange.h"
#include "transfer/restore_exchange.h"
#include "transfer/string_sink.h"
#include "transfer/transfer_texts.h"

namespace
{

// While no port opens, or after a port failed, it is opened again after this pause.
constexpr auto kReopenPause = std::chrono::seconds(1);

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

DeviceSession::DeviceSession(const Arguments& a, Console& c)
    : m_args(a), m_c(c), m_stop(c.platform.Stop()),
      m_waitMs(static_cast<std::uint64_t>(a.waitSeconds.value_or(0)) * 1000)
{
}

// Opens the port and wires the trace and the stop in front of it: kExitNoDevice when the port
// does not open (said when asked to), kExitFile when the trace file cannot be written.
int DeviceSession::OpenPort(bool reportFailure)
{
    const std::string& name = m_args.operands[0];
    PortFailure failure;
    m_port = m_c.platform.OpenPort(name, failure);
    if (!m_port) {
        if (reportFailure)
            m_c.err << PortMessage(failure, name) << "\n";
        return kExitNoDevice;
    }
    if (!m_args.trace.empty() && !m_traceOut) {
        m_traceOut = &m_c.err;
        if (!IsStandardStream(PathFromUtf8(m_args.trace))) {
            m_traceFile.open(PathFromUtf8(m_args.trace), std::ios::trunc);
            if (!m_traceFile) {
                m_c.err << "Datei nicht schreibbar: " << m_args.trace << "\n";
                return kExitFile;
            }
            m_traceOut = &m_traceFile;
        }
    }
    ByteLink* link = m_port.get();
    if (m_traceOut) {
        m_trace = std::make_unique<TraceLink>(*m_port, *m_traceOut);
        link = m_trace.get();
    }
    m_stoppable = std::make_unique<StoppableLink>(*link, m_stop);
    return kExitDone;
}

void DeviceSession::ClosePort()
{
    m_stoppable.reset();
    m_trace.reset();
    m_port.reset();
}

void DeviceSession::PauseUnlessHalted()
{
    const auto until = std::chrono::steady_clock::now() + kReopenPause;
    while (!Halted() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// Without a wait, one opening and the default tries; with one, a missing or failed port is
// opened again, and what answered without identifying itself is said once.
int DeviceSession::Await(std::optional<std::uint64_t> waitMs)
{
    const auto start = std::chrono::steady_clock::now();
    const auto elapsedMs = [start] {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    };
    const auto timeLeft = [&] { return !waitMs || elapsedMs() < *waitMs; };
    const bool waiting = !waitMs || *waitMs > 0;
    bool portFailureShown = false;
    bool replyShown = false;
    const auto tried = [&](const Identification& ident) {
        if (!waiting || replyShown || ident.outcome == IdentOutcome::Identified || ident.reply.empty())
            return;
        m_c.err << "Antwort ist keine Kennung: " << ReplyExcerpt(ident.reply) << "\n";
        replyShown = true;
    };
    for (;;) {
        if (Halted())
            return kExitInterrupted;
        if (!m_port) {
            const int code = OpenPort(!portFailureShown);
            if (code == kExitFile)
                return code;
            if (code != kExitDone) {
                portFailureShown = true;
                if (!timeLeft())
                    return code;
                PauseUnlessHalted();
                continue;
            }
        }
        const std::uint64_t left =
            waitMs ? *waitMs - std::min(*waitMs, elapsedMs()) : std::numeric_limits<std::uint64_t>::max();
        m_ident = IdentifyPatiently(
            Link(), left, [this] { return Halted() || PortFailed(); }, tried);
        if (m_ident.outcome == IdentOutcome::Identified)
            return kExitDone;
        if (PortFailed()) {
            ClosePort();
            if (timeLeft()) {
                PauseUnlessHalted();
                continue;
            }
        }
        if (Halted())
            return kExitInterrupted;
        if (!timeLeft()) {
            m_c.err << ToUtf8(kDeviceMissingText) << "\n";
            return kExitNoDevice;
        }
    }
}

int DeviceSession::Identify()
{
    const int code = Await(m_waitMs);
    return code == kExitInterrupted ? ReportInterrupted(m_c) : code;
}

int DeviceSession::AwaitDevice()
{
    return Await(std::nullopt);
}

void DeviceSession::AwaitUnplugged()
{
    const auto stopped = [this] { return Halted() || PortFailed(); };
    while (!stopped() && IdentifyPatiently(Link(), 0, stopped).outcome == IdentOutcome::Identified)
        PauseUnlessHalted();
}

ConsoleView DeviceSession::MakeView()
{
    return ConsoleView(m_c.err, m_c.platform.ErrorIsTerminal(), m_args.quiet, m_c.platform.ErrorColumns());
}

int DeviceSession::ReadDevice(std::string& bytes, const ReadingTexts& texts)
{
    if (Halted())
        return ReportInterrupted(m_c);
    StringSink device;
    ConsoleView view = MakeView();
    if (!RunBackup(Link(), view, device, texts, Reading())) {
        if (Interrupted())
            return ReportInterrupted(m_c);
        view.NameFailedRecord("nicht gelesen");
        return kExitTransfer;
    }
    bytes = std::move(device.bytes);
    return kExitDone;
}

int DeviceSession::Restore(const std::string& bytes)
{
    if (Halted())
        return ReportInterrupted(m_c);
    m_finishing = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPauseBeforeRestoreMs));
    ConsoleView view = MakeView();
    if (RunRestore(Link(), view, bytes, Reading()))
        return kExitDone;
    if (Interrupted())
        return ReportInterrupted(m_c, kPartialRestoreNote);
    view.NameFailedRecord("nicht quittiert");
    return kExitTransfer;
}
