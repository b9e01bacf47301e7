// q4k rollout: per vehicle a backup into the archive, the template with the vehicle's identity,
// its restore and a verifying read, each by the core's own exchanges; one line per vehicle on
// the console and in the archive's rollout.csv.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>

#include "cli/commands.h"
#include "cli/configuration_input.h"
#include "cli/device_session.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/identity_note.h"
#include "cli/rollout_log.h"
#include "cli/rollout_record.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "config/config_text.h"
#include "config/identity_copy.h"
#include "transfer/record_compare.h"

namespace
{

// The own identifier of a vehicle whose backup holds no settings the editor reads.
constexpr char kUnknownOwnId[] = "unbekannt";

// The archive's backup is read with the backup's texts, but called saved only once it is on the disk.
constexpr ReadingTexts kArchiveReadingTexts{kBackupRunningText, kBackupInterfaceText, u"", kBackupFailedText};

class Rollout
{
  public:
    Rollout(const Arguments& a, Console& c, std::string templ) : m_a(a), m_c(c), m_template(std::move(templ)) {}

    // One vehicle on the open port, once it has identified itself. A vehicle whose restore or verify
    // failed earlier in this loop is resumed: its first archive stays the way back, its new file is sent again.
    VehicleRecord Serve(DeviceSession& session)
    {
        VehicleRecord v;
        v.started = std::time(nullptr);
        v.port = m_a.operands[0];
        v.dryRun = m_a.dryRun;
        v.loop = m_a.loop;
        v.identification = IdentificationLines(session.Ident());
        v.seconds[Index(RolloutStep::Wait)] = Seconds(m_waitStart);
        std::string device;
        std::string prepared;
        if (!Step(v, RolloutStep::Backup, [&] { return BackUp(session, device, prepared, v); }))
            return v;
        if (!v.resumed && !Step(v, RolloutStep::Build, [&] { return Build(device, prepared, v); }))
            return v;
        const std::vector<RecordDifference> changes = CompareRecords(device, prepared);
        if (m_a.dryRun) {
            m_c.out << ChangeSummary(changes, m_c.platform.CommandFor({"diff", v.archive, v.prepared}));
            return v;
        }
        // Compared as the verify compares, so a vehicle that holds its new file is not written again.
        v.current = changes.empty();
        if (!v.current && Step(v, RolloutStep::Restore, [&] { return Restore(session, prepared); }))
            Step(v, RolloutStep::Verify, [&] { return Verify(session, prepared); });
        if (v.failedAt == RolloutStep::Count)
            m_unfinished.erase(v.ownId);
        else
            m_unfinished[v.ownId] = {v.archive, v.prepared, v.wayBack, prepared};
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

    // The device read as `q4k backup` reads it and, unless the vehicle is resumed, archived under
    // its own identifier; a half-written device is never archived.
    int BackUp(DeviceSession& session, std::string& device, std::string& prepared, VehicleRecord& v)
    {
        if (const int code = session.ReadDevice(device, kArchiveReadingTexts))
            return code;
        const SettingsRead read = ReadSettings(ConfigTextFromFile(device));
        v.ownId = read.error == ConfigTextError::None ? ToUtf8(read.settings.ownId) : kUnknownOwnId;
        if (const auto earlier = m_unfinished.find(v.ownId); earlier != m_unfinished.end()) {
            v.resumed = true;
            v.archive = earlier->second.archive;
            v.prepared = earlier->second.prepared;
            v.wayBack = earlier->second.wayBack;
            prepared = earlier->second.bytes;
            return kExitDone;
        }
        if (const int code = Save(ArchivePath(ArchiveName(v.ownId, v.started, false)), device, v.archive))
            return code;
        if (!m_a.quiet)
            m_c.err << ToUtf8(kBackupDoneText) << "\n";
        v.wayBack = m_c.platform.CommandFor({"restore", v.port, v.archive});
        return kExitDone;
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
        if (!WriteWholeFile(PathFromUtf8(path), bytes, ExistingFile::ReplaceWritable, error)) {
            m_c.err << error << "\n";
            return kExitFile;
        }
        noted = path;
        return kExitDone;
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

    // A vehicle whose restore or verify failed: what its resumption sends, and its way back.
    struct Unfinished {
        std::string archive, prepared, wayBack, bytes;
    };

    const Arguments& m_a;
    Console& m_c;
    std::string m_template;
    std::map<std::string, Unfinished> m_unfinished; // by own identifier
    std::chrono::steady_clock::time_point m_waitStart = std::chrono::steady_clock::now();
};

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

// The lines that could not go into rollout.csv, and where they wait.
void ShowPending(const RolloutLog& log, Console& c)
{
    const std::string note = log.PendingNote();
    if (!note.empty())
        c.out << note << "\n";
}

// The vehicles served, each counted once with its latest outcome, found again by its own
// identifier; one whose identifier is not known counts on its own.
class Tally
{
  public:
    void Count(const VehicleRecord& v)
    {
        const auto same = [&](const Outcome& o) { return o.ownId == v.ownId; };
        const auto known = std::find_if(m_vehicles.begin(), m_vehicles.end(), same);
        if (v.ownId.empty() || v.ownId == kUnknownOwnId || known == m_vehicles.end())
            m_vehicles.push_back({v.ownId, v.code});
        else
            known->code = v.code;
    }

    int Done() const
    {
        return static_cast<int>(
            std::count_if(m_vehicles.begin(), m_vehicles.end(), [](const Outcome& o) { return o.code == kExitDone; }));
    }
    int Failed() const { return static_cast<int>(m_vehicles.size()) - Done(); }

    // The code of the first vehicle that still stands failed; done when none does.
    int Code() const
    {
        for (const Outcome& o : m_vehicles)
            if (o.code != kExitDone)
                return o.code;
        return kExitDone;
    }

  private:
    struct Outcome {
        std::string ownId;
        int code;
    };
    std::vector<Outcome> m_vehicles;
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
    RolloutLog log(a.archive, c.err, c.platform.Stop());
    if (!a.dryRun)
        log.TakeOverLeftovers();
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
            log.Append(RolloutCsvLine(v));
        if (!a.loop) {
            ShowPending(log, c);
            return tally.Code();
        }
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
    log.Flush();
    c.out << "Fahrzeuge erledigt: " << tally.Done() << ", fehlgeschlagen: " << tally.Failed() << "\n";
    ShowPending(log, c);
    return tally.Code();
}
