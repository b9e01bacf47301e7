// rollout.csv appended under a lock, with pending lines kept where they survive.
#include "cli/rollout_log.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "cli/file_io.h"
#include "cli/rollout_record.h"

namespace fs = std::filesystem;

namespace
{

// Another rollout holds the lock for one line's write; a lock held longer is someone else's.
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr auto kLockRetry = std::chrono::milliseconds(100);
// Pending lines are a few hundred bytes each; a leftover beyond this is no file of ours.
constexpr std::size_t kPendingReadCap = 16 * 1024 * 1024;

const char kCsvName[] = "rollout.csv";
const char kPendingPrefix[] = "rollout-ausstehend-";

std::size_t LineCount(const std::string& lines)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
}

std::string Lines(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " Zeile" : " Zeilen");
}

} // namespace

RolloutLog::RolloutLog(const std::string& archive, std::ostream& err, const StopSource& stop)
    : m_archive(archive), m_err(err), m_stop(stop)
{
}

fs::path RolloutLog::CsvPath() const
{
    return PathFromUtf8(m_archive) / kCsvName;
}

std::string RolloutLog::CsvName() const
{
    return PathToUtf8(CsvPath());
}

void RolloutLog::Append(const std::string& line)
{
    const std::size_t earlier = LineCount(m_pending);
    m_pending += line;
    std::string reason;
    if (WritePending(earlier, reason))
        return;
    m_err << "Datei nicht schreibbar: " << CsvName() << " (" << reason << "); die Zeile wartet "
          << (m_pendingFile.IsOpen() ? "in " + PathToUtf8(m_pendingPath) : std::string("nur hier")) << ":\n"
          << line.substr(0, line.find_last_not_of("\r\n") + 1) << "\n";
}

void RolloutLog::Flush()
{
    std::string reason;
    if (!m_pending.empty())
        WritePending(LineCount(m_pending), reason);
}

bool RolloutLog::WritePending(std::size_t earlier, std::string& reason)
{
    const bool written = AppendLines(m_pending, reason);
    if (written && earlier > 0)
        m_err << "Vorgemerkt und jetzt in " << CsvName() << ": " << Lines(earlier) << ".\n";
    if (written)
        m_pending.clear();
    KeepPending();
    return written;
}

std::string RolloutLog::PendingNote() const
{
    if (m_pending.empty())
        return {};
    return "Noch nicht in " + CsvName() + ": " + Lines(LineCount(m_pending)) + ", " +
           (m_pendingFile.IsOpen() ? "vorgemerkt in " + PathToUtf8(m_pendingPath) : "nur in den Meldungen oben");
}

bool RolloutLog::AppendLines(const std::string& lines, std::string& reason)
{
    SystemFile csv;
    const fs::path path = CsvPath();
    if (!csv.Open(path, SystemFile::Way::Shared)) {
        reason = FileFaultText(csv.Fault());
        return false;
    }
    if (!Lock(csv, reason))
        return false;
    std::uint64_t size = 0;
    if (!csv.Size(size)) {
        reason = FileFaultText(csv.Fault());
        return false;
    }
    // Only a new file gets the header; whatever is there stays as it is.
    FileFault folderFault = FileFault::None;
    if (csv.Write(size == 0 ? RolloutCsvHeader() + lines : lines) && csv.Sync() &&
        (size > 0 || SyncFolder(path.parent_path(), folderFault)))
        return true;
    reason = FileFaultText(csv.Fault() != FileFault::None ? csv.Fault() : folderFault);
    // A line cut short by a full disk would run into the next one: this write's bytes go again later.
    csv.CutTo(size);
    return false;
}

bool RolloutLog::Lock(SystemFile& csv, std::string& reason)
{
    const auto until = std::chrono::steady_clock::now() + kLockPatience;
    std::string holder;
    bool told = false;
    while (!csv.TryLock()) {
        if (csv.Fault() != FileFault::None) {
            reason = FileFaultText(csv.Fault());
            return false;
        }
        if (!told) {
            holder = LockHolder(CsvPath());
            holder = holder.empty() ? "" : " von " + holder;
            m_err << CsvName() << " ist gesperrt" << holder << "; q4k wartet bis zu "
                  << std::chrono::seconds(kLockPatience).count() << " Sekunden.\n";
            told = true;
        }
        if (m_stop.Now() || std::chrono::steady_clock::now() >= until) {
            reason = "gesperrt" + holder;
            return false;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return true;
}

void RolloutLog::TakeOverLeftovers()
{
    std::error_code ec;
    for (auto entry = fs::directory_iterator(PathFromUtf8(m_archive), ec); !ec && entry != fs::directory_iterator();
         entry.increment(ec)) {
        const fs::path path = entry->path();
        if (PathToUtf8(path.filename()).rfind(kPendingPrefix, 0) != 0 || path.extension() != ".csv")
            continue;
        // A rollout that is still running holds its pending file locked.
        SystemFile leftover;
        std::string lines;
        if (!leftover.Open(path, SystemFile::Way::Shared) || !leftover.TryLock() ||
            !leftover.ReadAll(lines, kPendingReadCap) || lines.empty())
            continue;
        m_pending += lines;
        KeepPending();
        if (!m_pendingFile.IsOpen())
            return;
        m_err << "Übernommen aus " << PathToUtf8(path) << ": " << Lines(LineCount(lines)) << " für " << CsvName()
              << ".\n";
        // Emptied before it goes, so that a rollout that opened it meanwhile finds nothing to take.
        leftover.CutTo(0);
        leftover.Close();
        std::error_code removed;
        fs::remove(path, removed);
    }
}

void RolloutLog::KeepPending()
{
    const std::string own = kPendingPrefix + std::to_string(ProcessNumber()) + ".csv";
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    const fs::path places[] = {PathFromUtf8(m_archive) / own, temp / ("q4k-" + own)};
    for (const fs::path& place : places) {
        if (m_pending.empty())
            break;
        if (place != m_pendingPath) {
            DropPendingFile();
            if (!m_pendingFile.Open(place, SystemFile::Way::Shared) || !m_pendingFile.TryLock()) {
                m_pendingFile.Close();
                continue;
            }
            m_pendingPath = place;
        }
        if (m_pendingFile.CutTo(0) && m_pendingFile.Write(m_pending) && m_pendingFile.Sync())
            return;
    }
    DropPendingFile();
}

void RolloutLog::DropPendingFile()
{
    // Emptied before it goes, as a leftover is.
    if (m_pendingFile.IsOpen())
        m_pendingFile.CutTo(0);
    m_pendingFile.Close();
    std::error_code ec;
    if (!m_pendingPath.empty())
        fs::remove(m_pendingPath, ec);
    m_pendingPath.clear();
}
