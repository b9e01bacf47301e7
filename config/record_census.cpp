// Counting a configuration's records by their addresses.
#include "config/record_census.h"

#include <algorithm>

#include "config/record_fields.h"
#include "transfer/config_record.h"

RecordCensus CountRecords(const std::vector<std::string>& records)
{
    RecordCensus census;
    bool bcSeen = false;
    for (const std::string& record : records) {
        const int address = ReadBytePair(record, kRecordAddressPos);
        if (address >= 0x01 && address <= 0x7F) {
            census.lowestMain = census.mainRecords == 0 ? address : std::min(census.lowestMain, address);
            census.highestMain = std::max(census.highestMain, address);
            ++census.mainRecords;
        } else if (address >= 0x80 && address <= 0x9F) {
            ++census.interfaceRecords;
        } else if (address == 0xBC && !bcSeen) {
            bcSeen = true;
            census.bc = AnnouncesInterfaceRecords(record) ? RecordCensus::Bc::AnnouncesInterface
                                                          : RecordCensus::Bc::WithoutInterface;
        }
    }
    return census;
}
