// The commands that talk to a device: ports, identify, backup, restore, verify. Each opens the
// port, optionally behind a trace, identifies the device and runs the core's exchange.
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/commands.h"
#include "cli/configuration_input.h"
#include "cli/console_view.h"
#include "cli/device_session.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "transfer/backup_exchange.h"
#include "transfer/record_compare.h"
#include "transfer/transfer_texts.h"

namespace
{

// The file first, so that an unsuitable one never opens the port; then an identified device.
int PrepareFileAndDevice(const Arguments& a, Console& c, std::string& bytes, DeviceSession& session)
{
    if (const int code = ReadConfiguration(a.operands[1], bytes, c.err))
        return code;
    return session.Identify();
}

// Reads the device and compares it with the file's bytes: verify's output and exit codes.
int CompareWithDevice(const Arguments& a, Console& c, DeviceSession& session, const std::string& expected)
{
    std::string device;
    if (const int code = session.ReadDevice(device))
        return code;
    const std::vector<RecordDifference> differences = CompareRecords(expected, device);
    if (a.json) {
        c.out << VerifyJson(differences);
    } else if (differences.empty()) {
        c.out << "Gerät und Datei stimmen überein.\n";
    } else {
        c.out << RecordDifferenceLines(differences, "Datei", "Gerät");
        c.out << Plural(differences.size(), "Datensatz unterscheidet", "Datensätze unterscheiden") << " sich.\n";
    }
    return differences.empty() ? kExitDone : kExitDifferences;
}

} // namespace

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
    DeviceSession session(a, c);
    if (const int code = session.Identify())
        return code;
    c.out << IdentificationText(session.Ident(), a.json);
    return kExitDone;
}

int RunBackupCommand(const Arguments& a, Console& c)
{
    const std::filesystem::path path = PathFromUtf8(a.operands[1]);
    PendingFile file(path, a.force ? ExistingFile::Replace : ExistingFile::Keep);
    if (!file.IsOpen()) {
        c.err << ToUtf8(file.ErrorText()) << "\n";
        return kExitFile;
    }
    DeviceSession session(a, c);
    if (const int code = session.Identify())
        return code;
    ConsoleView view = session.MakeView();
    if (RunBackup(session.Link(), view, file, kBackupTexts, session.Reading()))
        return kExitDone;
    if (session.Interrupted())
        return ReportInterrupted(c);
    if (file.WriteFailed())
        return kExitFile;
    view.NameFailedRecord("nicht gelesen");
    return kExitTransfer;
}

int RunRestoreCommand(const Arguments& a, Console& c)
{
    std::string bytes;
    DeviceSession session(a, c);
    if (const int code = PrepareFileAndDevice(a, c, bytes, session))
        return code;
    if (const int code = session.Restore(bytes))
        return code;
    if (!a.verify)
        return kExitDone;
    // As a verify of its own would: the device is asked who it is, then read.
    if (const int code = session.Identify())
        return code;
    return CompareWithDevice(a, c, session, bytes);
}

int RunVerify(const Arguments& a, Console& c)
{
    std::string expected;
    DeviceSession session(a, c);
    if (const int code = PrepareFileAndDevice(a, c, expected, session))
        return code;
    return CompareWithDevice(a, c, session, expected);
}
