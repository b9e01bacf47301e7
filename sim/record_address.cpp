// Record addresses and their order.
#include "sim/record_address.h"

#include "sim/hex_text.h"

namespace
{
constexpr std::size_t kMainCount = kLastMainAddress - kFirstMainAddress + 1;
constexpr std::size_t kBcIndex = kMainCount;
} // namespace

bool IsRecordAddress(std::uint8_t address)
{
    return (address >= kFirstMainAddress && address <= kLastInterfaceAddress) || address == kBcAddress;
}

std::size_t RecordIndex(std::uint8_t address)
{
    if (address == kBcAddress)
        return kBcIndex;
    if (address >= kFirstInterfaceAddress)
        return kBcIndex + 1 + (address - kFirstInterfaceAddress);
    return address - kFirstMainAddress;
}

std::uint8_t AddressAt(std::size_t index)
{
    if (index < kBcIndex)
        return static_cast<std::uint8_t>(kFirstMainAddress + index);
    if (index == kBcIndex)
        return kBcAddress;
    return static_cast<std::uint8_t>(kFirstInterfaceAddress + (index - kBcIndex - 1));
}

std::string AddressText(std::uint8_t address)
{
    return HexPair(address);
}

std::optional<std::uint8_t> ParseAddress(std::string_view text)
{
    if (text.size() != 2)
        return std::nullopt;
    const auto value = ParseHexPair(text[0], text[1]);
    if (!value || !IsRecordAddress(*value))
        return std::nullopt;
    return value;
}
