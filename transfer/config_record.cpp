// The rules of the configuration file: its records, their check, and the "$PBC" interface marker.
#include "transfer/config_record.h"

#include "transfer/hex_codec.h"

namespace
{

bool IsDataChar(char c)
{
    return IsUpperHexDigit(c) || (c >= 'a' && c <= 'f') || c == 'X';
}

} // namespace

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
    return record.size() > kInterfaceMarkerPos + 1 && record[kInterfaceMarkerPos] == 'A' &&
           (record[kInterfaceMarkerPos + 1] == '1' || record[kInterfaceMarkerPos + 1] == '2');
}

bool IsConfigurationRecord(std::string_view record)
{
    if (record.size() != CONFIG_RECORD_LEN)
        return false;
    if (record[0] != '$' || record[1] != 'P' || record[kRecordTerminatorPos] != kRecordTerminator)
        return false;
    if (!IsUpperHexDigit(record[kRecordAddressPos]) || !IsUpperHexDigit(record[kRecordAddressPos + 1]))
        return false;
    for (std::size_t pos = kRecordDataPos; pos < kRecordTerminatorPos; ++pos) {
        if (!IsDataChar(record[pos]))
            return false;
    }
    return true;
}

bool IsConfigurationFile(std::string_view fileBytes)
{
    return JudgeConfigurationFile(fileBytes).fault == FileVerdict::Fault::None;
}

FileVerdict JudgeConfigurationFile(std::string_view fileBytes)
{
    // Far beyond any real configuration: such a file is no configuration, whatever it holds.
    if (fileBytes.size() > kMaxConfigFileBytes)
        return {FileVerdict::Fault::TooLarge, 0};
    const std::vector<std::string> records = SplitRecords(fileBytes);
    if (records.empty())
        return {FileVerdict::Fault::NoRecords, 0};
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (!IsConfigurationRecord(records[k]))
            return {FileVerdict::Fault::BadRecord, k + 1};
    }
    // Line ends that an editor or a transfer added are no record; anything else is one cut off.
    const std::string_view tail = fileBytes.substr(records.size() * CONFIG_RECORD_LEN);
    if (tail.find_first_not_of("\r\n") != std::string_view::npos)
        return {FileVerdict::Fault::BadRecord, records.size() + 1};
    return {};
}
