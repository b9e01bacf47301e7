// The archive's rollout.csv, which many rollouts may share: each line is appended under an
// exclusive lock and synced, the file is never read and rewritten. A line that cannot be written
// waits in a pending file of this rollout's own and goes in with the next one; pending files that
// an ended rollout left in the archive are taken over.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "cli/system_file.h"
#include "link/stoppable_link.h"

class RolloutLog
{
  public:
    // `archive` as the user gave it, for the names in messages; `err` gets the lines about waits and
    // failures; a stop ends a wait for the lock.
    RolloutLog(const std::string& archive, std::ostream& err, const StopSource& stop);

    // Takes over the pending files that ended rollouts left in the archive; their lines go in with the next.
    void TakeOverLeftovers();
    // Appends the lines still pending, then this one (ending in CRLF).
    void Append(const std::string& line);
    // Appends the lines still pending, if any (at the end of the rollout).
    void Flush();
    // "Noch nicht in rollout.csv: N Zeile(n), vorgemerkt in PATH"; empty when none is pending.
    std::string PendingNote() const;

  private:
    std::filesystem::path CsvPath() const;
    std::string CsvName() const;
    // Appends the pending lines; says so for the `earlier` ones that waited. False with the reason.
    bool WritePending(std::size_t earlier, std::string& reason);
    // Appends the lines under the lock; false with the reason.
    bool AppendLines(const std::string& lines, std::string& reason);
    bool Lock(SystemFile& csv, std::string& reason);
    // Keeps the pending lines in the pending file, in the archive or else in the temporary folder;
    // removes the file once none is pending.
    void KeepPending();
    void DropPendingFile();

    std::string m_archive;
    std::ostream& m_err;
    const StopSource& m_stop;
    std::string m_pending;    // lines, each ending in CRLF
    SystemFile m_pendingFile; // held locked while it holds lines, so that no other rollout takes it over
    std::filesystem::path m_pendingPath;
};
