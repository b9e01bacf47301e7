// Record matching by address and the byte-wise comparison that leaves spare bytes out.
#include "transfer/record_compare.h"

#include <map>

#include "transfer/config_record.h"

namespace
{

std::string AddressOf(std::string_view record)
{
    return std::string(record.substr(kRecordAddressPos, 2));
}

bool IsSpare(std::string_view pair)
{
    return pair == "XX";
}

// First record of each address, and the addresses in file order.
struct Indexed {
    std::vector<std::string> order;
    std::map<std::string, std::string> byAddress;
};

Indexed Index(std::string_view bytes)
{
    Indexed indexed;
    for (std::string& record : SplitRecords(bytes)) {
        const std::string address = AddressOf(record);
        if (indexed.byAddress.emplace(address, std::move(record)).second)
            indexed.order.push_back(address);
    }
    return indexed;
}

std::vector<int> DifferingDataBytes(std::string_view a, std::string_view b)
{
    std::vector<int> bytes;
    for (int k = 0; k < static_cast<int>(kDataBytesPerRecord); ++k) {
        const std::string pa = DataBytePair(a, k);
        const std::string pb = DataBytePair(b, k);
        if (!IsSpare(pa) && !IsSpare(pb) && pa != pb)
            bytes.push_back(k);
    }
    return bytes;
}

} // namespace

bool DifferOnlyInSpareBytes(std::string_view first, std::string_view second)
{
    if (first.size() != second.size() || first == second)
        return false;
    for (std::size_t pos = 0; pos < first.size(); ++pos) {
        if (first[pos] == second[pos])
            continue;
        const std::size_t inRecord = pos % CONFIG_RECORD_LEN;
        if (inRecord < kRecordDataPos || inRecord >= kRecordTerminatorPos)
            return false;
        const std::size_t pair = pos - (inRecord - kRecordDataPos) % 2;
        if (!IsSpare(first.substr(pair, 2)) && !IsSpare(second.substr(pair, 2)))
            return false;
    }
    return true;
}

std::string DataBytePair(std::string_view record, int k)
{
    return std::string(record.substr(kRecordDataPos + 2 * static_cast<std::size_t>(k), 2));
}

std::vector<RecordDifference> CompareRecords(std::string_view first, std::string_view second)
{
    const Indexed a = Index(first);
    const Indexed b = Index(second);
    std::vector<RecordDifference> differences;
    for (const std::string& address : a.order) {
        const std::string& ra = a.byAddress.at(address);
        const auto found = b.byAddress.find(address);
        if (found == b.byAddress.end()) {
            differences.push_back({RecordDifference::Kind::OnlyInFirst, address, {}, ra, {}});
            continue;
        }
        std::vector<int> bytes = DifferingDataBytes(ra, found->second);
        if (!bytes.empty())
            differences.push_back({RecordDifference::Kind::DataDiffers, address, std::move(bytes), ra, found->second});
    }
    for (const std::string& address : b.order)
        if (a.byAddress.find(address) == a.byAddress.end())
            differences.push_back({RecordDifference::Kind::OnlyInSecond, address, {}, {}, b.byAddress.at(address)});
    return differences;
}
