// q4k rollout: per vehicle a backup into the archive, the template with the vehicle's identity,
// its restore and a verifying read, each by the core's own exchanges; one line per vehicle on
// the console and in the archive's rollout.csv.
#include <chrono>
#include <filesystem>

#include "cli/commands.h"
#include "cli/configuration_input.h"
#include "cli/device_session.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/identity_note.h"
#include "cli/rollout_record.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "config/config_text.h"
#include "config/identity_copy.h"
#include "config/settings_diff.h"
#include "transfer/record_compare.h"

namespace
{

// The CSV grows by one short line a vehicle; far more than a fleet's lines fit below this.
constexpr std::size_t kCsvReadCap = 64 * 1024 * 1024;

class Rollout
{
  public:
    Rollout(const Arguments& a, Console& c, std::string templ) : m_a(a), m_c(c), m_template(std::move(templ)) {}

    // One vehicle on the open port, once it has identified itself.
    VehicleRecord Serve(DeviceSession& session)
    {
        VehicleRecord v;
        v.started = std::time(nullptr);
        v.port = m_a.operands[0];
        v.dryRun = m_a.dryRun;
        v.identification = IdentificationLines(session.Ident());
        v.seconds[Index(RolloutStep::Wait)] = Seconds(m_waitStart);
        std::string backup;
        if (!Step(v, RolloutStep::Backup, [&] { return BackUp(session, backup, v); }))
            return v;
        std::string prepared;
        if (!Step(v, RolloutStep::Build, [&] { return Build(backup, prepared, v); }))
            return v;
        if (m_a.dryRun) {
            ShowChanges(backup, prepared);
            return v;
        }
        if (!Step(v, RolloutStep::Restore, [&] { return Restore(session, prepared); }))
            return v;
        Step(v, RolloutStep::Verify, [&] { return Verify(session, prepared); });
        return v;
    }

    void StartWaiting() { m_waitStart = std::chrono::steady_clock::now(); }

  private:
    static std::size_t Index(RolloutStep step) { return static_cast<std::size_t>(step); }

    static double Seconds(std::chrono::steady_clock::time_point since)
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    }

    // Runs a step that returns an exit code; notes its time, and where the vehicle failed.
    template <typename Body> bool Step(VehicleRecord& v, RolloutStep step, Body body)
    {
        const auto start = std::chrono::steady_clock::now();
        v.code = body();
        v.seconds[Index(step)] = Seconds(start);
        if (v.code != kExitDone)
            v.failedAt = step;
        return v.code == kExitDone;
    }

    std::string ArchivePath(const std::string& name) const
    {
        return PathToUtf8(PathFromUtf8(m_a.archive) / PathFromUtf8(name));
    }

    // The backup as `q4k backup` writes it, named after the vehicle's own identifier.
    int BackUp(DeviceSession& session, std::string& backup, VehicleRecord& v)
    {
        if (const int code = session.ReadDevice(backup, kBackupTexts))
            return code;
        const SettingsRead read = ReadSettings(ConfigTextFromFile(backup));
        v.ownId = read.error == ConfigTextError::None ? ToUtf8(read.settings.ownId) : "unbekannt";
        return Save(ArchivePath(ArchiveName(v.ownId, v.started, false)), backup, v.archive);
    }

    // The template with the backup's identity, as `q4k set TEMPLATE --identity-from BACKUP` makes it.
    int Build(const std::string& backup, std::string& prepared, VehicleRecord& v)
    {
        const IdentityPatch patch = PatchIdentity(ConfigTextFromFile(m_template), ConfigTextFromFile(backup));
        if (patch.written.error != ConfigTextError::None) {
            m_c.err << "Die Sicherung " << v.archive << " hält die Einstellungen nicht, die der Editor liest.\n";
            return kExitFile;
        }
        if (!patch.copy.tetraCopied)
            m_c.err << TetraKeptText(patch.copy.settings.hasTetra ? v.archive : m_a.operands[1]) << "\n";
        prepared = patch.written.text;
        return Save(ArchivePath(ArchiveName(v.ownId, v.started, true)), prepared, v.prepared);
    }

    int Save(const std::string& path, const std::string& bytes, std::string& noted)
    {
        std::string error;
        if (!WriteWholeFile(PathFromUtf8(path), bytes, error)) {
            m_c.err << error << "\n";
            return kExitFile;
        }
        noted = path;
        return kExitDone;
    }

    void ShowChanges(const std::string& backup, const std::string& prepared)
    {
        const std::string device = ConfigTextFromFile(backup);
        const std::string fresh = ConfigTextFromFile(prepared);
        const EditorSettings before = ReadSettings(device).settings;
        const EditorSettings after = ReadSettings(fresh).settings;
        const std::string lines =
            SettingDifferenceLines(CompareSettings(before, after), before, after) +
            RecordDifferenceLines(CompareBeyondSettings(device, before, fresh, after), "Gerät", "neu");
        m_c.out << (lines.empty() ? "keine Änderung\n" : lines);
    }

    int Restore(DeviceSession& session, const std::string& prepared) { return session.Restore(prepared); }

    // Reads the device back after it has identified itself again, and compares it with the file sent.
    int Verify(DeviceSession& session, const std::string& prepared)
    {
        if (const int code = session.Identify())
            return code;
        std::string device;
        if (const int code = session.ReadDevice(device))
            return code;
        const std::vector<RecordDifference> differences = CompareRecords(prepared, device);
        if (differences.empty())
            return kExitDone;
        m_c.out << RecordDifferenceLines(differences, "Datei", "Gerät");
        return kExitDifferences;
    }

    const Arguments& m_a;
    Console& m_c;
    std::string m_template;
    std::chrono::steady_clock::time_point m_waitStart = std::chrono::steady_clock::now();
};

// Appends the vehicle's line to DIR/rollout.csv, which starts with a line naming the columns.
int AppendToCsv(const Arguments& a, const VehicleRecord& v, Console& c)
{
    const std::filesystem::path path = PathFromUtf8(a.archive) / "rollout.csv";
    std::string text;
    std::string error;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        text = RolloutCsvHeader();
    else if (!ReadWholeFile(path, kCsvReadCap, text, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    if (!WriteWholeFile(path, text + RolloutCsvLine(v), error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    return kExitDone;
}

} // namespace

namespace
{

// The template must be a file the restore takes, with the settings the editor reads.
int ReadTemplate(const std::string& name, Console& c, std::string& templ)
{
    if (const int code = ReadConfiguration(name, templ, c.err))
        return code;
    if (ReadSettings(ConfigTextFromFile(templ)).error != ConfigTextError::None) {
        c.err << ToUtf8(kUnsuitableFileText) << " " << name << "\n";
        return kExitFile;
    }
    return kExitDone;
}

struct Tally {
    int done = 0;
    int failed = 0;
    int firstFailure = kExitDone;

    void Count(const VehicleRecord& v)
    {
        if (v.code == kExitDone) {
            ++done;
            return;
        }
        ++failed;
        if (firstFailure == kExitDone)
            firstFailure = v.code;
    }
};

} // namespace

int RunRollout(const Arguments& a, Console& c)
{
    std::string templ;
    if (const int code = ReadTemplate(a.operands[1], c, templ))
        return code;
    std::error_code ec;
    std::filesystem::create_directories(PathFromUtf8(a.archive), ec);
    if (ec) {
        c.err << "Ordner nicht anlegbar: " << a.archive << "\n";
        return kExitFile;
    }
    Rollout rollout(a, c, templ);
    Tally tally;
    if (!a.quiet)
        c.err << "Warte auf ein Quendal 4 an " << a.operands[0] << " (Strg+C beendet).\n";
    for (;;) {
        // While nothing answers, the port may be missing too (an adapter unplugged with the box).
        DeviceSession session(a, c);
        const int waited = session.AwaitDevice();
        if (waited == kExitInterrupted)
            break;
        if (waited != kExitDone)
            return waited;
        const VehicleRecord v = rollout.Serve(session);
        c.out << VehicleLine(v) << std::endl;
        tally.Count(v);
        if (!a.dryRun)
            if (const int code = AppendToCsv(a, v, c))
                return code;
        if (!a.loop)
            return tally.firstFailure;
        if (session.StopRequested())
            break;
        if (!a.quiet)
            c.err << "Gerät abziehen, dann das nächste anschließen.\n";
        session.AwaitUnplugged();
        rollout.StartWaiting();
    }
    // A stop while waiting ends a single vehicle's rollout; it is how a loop ends.
    if (!a.loop)
        return ReportInterrupted(c);
    c.out << "Fahrzeuge erledigt: " << tally.done << ", fehlgeschlagen: " << tally.failed << "\n";
    return tally.firstFailure;
}
