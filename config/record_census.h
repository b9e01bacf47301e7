// What a configuration file holds, counted by record address: the main records, "$PBC" and the
// interface records, the facts a technician judges a file by.
#pragma once

#include <string>
#include <vector>

struct RecordCensus {
    int mainRecords = 0; // 01-7F
    int lowestMain = 0;  // the range of the main records; both 0 without any
    int highestMain = 0;
    enum class Bc { Missing, AnnouncesInterface, WithoutInterface } bc = Bc::Missing; // the first "$PBC"
    int interfaceRecords = 0;                                                         // 80-9F
};

RecordCensus CountRecords(const std::vector<std::string>& records);
