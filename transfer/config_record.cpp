// Splitting configuration files into records and reading the "$PBC" interface marker.
#include "transfer/config_record.h"

std::vector<std::string> SplitRecords(std::string_view fileBytes)
{
    std::vector<std::string> records;
    records.reserve(fileBytes.size() / CONFIG_RECORD_LEN);
    for (std::size_t pos = 0; pos + CONFIG_RECORD_LEN <= fileBytes.size(); pos += CONFIG_RECORD_LEN)
        records.emplace_back(fileBytes.substr(pos, CONFIG_RECORD_LEN));
    return records;
}

bool AnnouncesInterfaceRecords(std::string_view record)
{
    return record.size() > 7 && record[6] == 'A' && (record[7] == '1' || record[7] == '2');
}
