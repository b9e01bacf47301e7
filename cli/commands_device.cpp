// The commands that talk to a device: ports, identify, backup, restore, verify. Each opens the
// port, optionally behind a trace, identifies the device and runs the core's exchange.
#include <chrono>
#include <fstream>
#include <thread>

#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "link/identification.h"
#include "link/stoppable_link.h"
#include "link/trace_link.h"
#include "transfer/backup_exchange.h"
#include "transfer/config_record.h"
#include "transfer/record_compare.h"
#include "transfer/restore_exchange.h"
#include "transfer/string_sink.h"
#include "transfer/transfer_texts.h"

namespace
{

// The open port, seen through a trace when one was asked for.
class DeviceSession
{
  public:
    int Open(const Arguments& a, Console& c)
    {
        std::string reason;
        m_port = c.platform.OpenPort(a.operands[0], reason);
        if (!m_port) {
            c.err << "Kein freier Port vorhanden! " << a.operands[0] << ": " << reason << "\n";
            return kExitNoDevice;
        }
        if (!a.trace.empty()) {
            m_traceFile.open(PathFromUtf8(a.trace), std::ios::trunc);
            if (!m_traceFile) {
                c.err << "Datei nicht schreibbar: " << a.trace << "\n";
                return kExitFile;
            }
            m_trace = std::make_unique<TraceLink>(*m_port, m_traceFile);
        }
        m_stoppable =
            std::make_unique<StoppableLink>(m_trace ? static_cast<ByteLink&>(*m_trace) : *m_port, StopRequested);
        return kExitDone;
    }

    ByteLink& Link() { return *m_stoppable; }

    // The query the window repeats every second; a transfer starts only on an identified device.
    int Identify(Console& c, std::u16string* shown = nullptr)
    {
        const IdentDisplay display = EvaluateReply(QueryIdentification(Link()));
        if (shown)
            *shown = display.text;
        if (display.outcome != IdentOutcome::Identified) {
            c.err << ToUtf8(kDeviceMissingText) << "\n";
            return kExitNoDevice;
        }
        return kExitDone;
    }

  private:
    // Declared first so that it is destroyed last, after the trace has written its last line.
    std::unique_ptr<ByteLink> m_port;
    std::ofstream m_traceFile;
    std::unique_ptr<TraceLink> m_trace;
    std::unique_ptr<StoppableLink> m_stoppable;
};

ConsoleView MakeView(const Arguments& a, Console& c)
{
    return ConsoleView(c.err, c.platform.ErrorIsTerminal(), a.quiet);
}

// The file first, so that an unsuitable one never opens the port; then an identified device.
int PrepareFileAndDevice(const Arguments& a, Console& c, std::string& bytes, DeviceSession& session)
{
    if (const int code = ReadConfigurationFile(a.operands[1], c, bytes))
        return code;
    if (const int code = session.Open(a, c))
        return code;
    return session.Identify(c);
}

} // namespace

int ReadConfigurationFile(const std::string& name, Console& c, std::string& bytes)
{
    std::string error;
    if (!ReadWholeFile(PathFromUtf8(name), kConfigFileReadCap, bytes, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    if (!IsConfigurationFile(bytes)) {
        c.err << ToUtf8(kUnsuitableFileText) << " " << name << "\n";
        return kExitFile;
    }
    return kExitDone;
}

ReplyReading ReplyReadingOf(const Arguments& a)
{
    return a.fast ? ReplyReading::WholeReply : ReplyReading::Silence;
}

int WithDevicePort(const Arguments& a, Console& c, const std::function<int(ByteLink& link)>& run)
{
    DeviceSession session;
    if (const int code = session.Open(a, c))
        return code;
    return run(session.Link());
}

int RunPorts(const Arguments&, Console& c)
{
    const std::vector<std::string> ports = c.platform.ListPorts();
    for (const std::string& port : ports)
        c.out << port << "\n";
    if (ports.empty())
        c.err << "Keine seriellen Ports gefunden.\n";
    return kExitDone;
}

int RunIdentify(const Arguments& a, Console& c)
{
    DeviceSession session;
    if (const int code = session.Open(a, c))
        return code;
    std::u16string shown;
    const int code = session.Identify(c, &shown);
    if (code != kExitDone && shown == kNoDeviceText)
        return code;
    std::u16string lines = shown;
    for (char16_t& ch : lines)
        if (ch == u'\r')
            ch = u'\n';
    c.out << ToUtf8(lines) << "\n";
    return code;
}

int RunBackupCommand(const Arguments& a, Console& c)
{
    PendingFile file(PathFromUtf8(a.operands[1]));
    if (!file.IsOpen()) {
        c.err << "Datei nicht schreibbar: " << PathToUtf8(file.TempPath()) << "\n";
        return kExitFile;
    }
    DeviceSession session;
    if (const int code = session.Open(a, c))
        return code;
    if (const int code = session.Identify(c))
        return code;
    bool done = false;
    {
        ConsoleView view = MakeView(a, c);
        done = RunBackup(session.Link(), view, file, kBackupTexts, ReplyReadingOf(a));
    }
    if (!done)
        return file.WriteFailed() ? kExitFile : kExitTransfer;
    std::string error;
    if (!file.Commit(error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    return kExitDone;
}

int RunRestoreCommand(const Arguments& a, Console& c)
{
    std::string bytes;
    DeviceSession session;
    if (const int code = PrepareFileAndDevice(a, c, bytes, session))
        return code;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPauseBeforeRestoreMs));
    ConsoleView view = MakeView(a, c);
    return RunRestore(session.Link(), view, bytes, ReplyReadingOf(a)) ? kExitDone : kExitTransfer;
}

int RunVerify(const Arguments& a, Console& c)
{
    std::string expected;
    DeviceSession session;
    if (const int code = PrepareFileAndDevice(a, c, expected, session))
        return code;
    StringSink device;
    {
        ConsoleView view = MakeView(a, c);
        if (!RunBackup(session.Link(), view, device, kVerifyReadingTexts, ReplyReadingOf(a)))
            return kExitTransfer;
    }
    const std::vector<RecordDifference> differences = CompareRecords(expected, device.bytes);
    if (differences.empty()) {
        c.out << "Gerät und Datei stimmen überein.\n";
        return kExitDone;
    }
    c.out << RecordDifferenceLines(differences, "Datei", "Gerät");
    c.out << differences.size() << " Datensätze unterscheiden sich.\n";
    return kExitDifferences;
}
