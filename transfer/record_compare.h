// Comparing two configurations record by record, as a verify and a diff need it: records are
// matched by their address, and a data byte that either side marks spare ("XX") is not compared.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct RecordDifference {
    enum class Kind {
        DataDiffers,  // both hold the record; `dataBytes` lists the differing data bytes
        OnlyInFirst,  // the second configuration lacks the record
        OnlyInSecond, // the first configuration lacks the record
    };
    Kind kind = Kind::DataDiffers;
    std::string address;        // two characters, e.g. "07" or "BC"
    std::vector<int> dataBytes; // data byte numbers 0-63
    std::string first;          // the record in the first configuration (empty when it lacks it)
    std::string second;         // the record in the second configuration (empty when it lacks it)
};

// The differences in the first configuration's record order, then the records only the second
// holds in its order. Where an address occurs more than once, its first record counts.
std::vector<RecordDifference> CompareRecords(std::string_view first, std::string_view second);

// Whether two files of one length differ only inside data bytes that either marks spare ("XX"),
// byte position by byte position; equal files do not.
bool DifferOnlyInSpareBytes(std::string_view first, std::string_view second);

// Data byte k of a record as its two characters ("3C", or "XX" for a spare byte).
std::string DataBytePair(std::string_view record, int k);
