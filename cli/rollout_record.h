// What a rollout notes about each vehicle: the archive's file names, the line on the console and
// the line in the archive's rollout.csv.
#pragma once

#include <array>
#include <ctime>
#include <string>
#include <vector>

#include "transfer/record_compare.h"

// The steps of one vehicle, in their order.
enum class RolloutStep { Wait, Backup, Build, Restore, Verify, Count };

struct VehicleRecord {
    std::time_t started = 0;
    std::string port;
    std::array<std::string, 3> identification; // the identification's three lines
    std::string ownId;
    std::string archive;  // the backup, the way back; empty when the backup failed
    std::string prepared; // the vehicle's new file; empty until built
    std::string wayBack;  // the command that restores the archive, as the shell takes it
    bool dryRun = false;
    bool loop = false;    // the loop holds the port, so the way back waits for its end
    bool resumed = false; // the vehicle failed earlier in this loop; its first archive and new file
    bool current = false; // it already held its new file, so nothing was sent
    int code = 0;         // the exit code the vehicle alone would give
    RolloutStep failedAt = RolloutStep::Count; // where it failed; Count when it did not
    std::array<double, static_cast<std::size_t>(RolloutStep::Count)> seconds{};
};

// "<own-id>_<YYYYMMDD-HHMMSS>.q4k" for the backup, "..._neu.q4k" for the vehicle's new file.
std::string ArchiveName(const std::string& ownId, std::time_t at, bool prepared);

// The first line of rollout.csv, naming its columns.
std::string RolloutCsvHeader();

// One line of rollout.csv (quoted where a field needs it, ending in CRLF).
std::string RolloutCsvLine(const VehicleRecord& v);

// The console's line for the vehicle; a failure names where, and the command that restores it.
std::string VehicleLine(const VehicleRecord& v);

// What a dry run would change on the device (first) to give the new file (second): the records by
// address with their number of differing bytes, and the command that lists those bytes.
std::string ChangeSummary(const std::vector<RecordDifference>& differences, const std::string& diffCommand);
