// Building the default memory: block structure of the main records first, then the contents
// that make the records look like a configured device.
#include "sim/default_image.h"

#include "sim/hex_text.h"
#include "sim/image_file.h"

namespace
{

constexpr std::uint8_t kErased = 0xFF;

std::vector<BlockHead> MakeBlockHeads()
{
    std::vector<BlockHead> heads = {
        {0x01, 0xF2}, // device header, two records kept whole
        {0x03, 0x30}, // general settings, 48 bytes
        {0x04, 0x40}, // display and keys, exactly one record
        {0x05, 0x1C}, // serial ports, 28 bytes
        {0x06, 0xE4}, // FMS: role, quick-change identifiers, names, own identifier (228 bytes)
        {0x0A, 0xF3}, // status texts, three records kept whole
        {0x0D, 0x41}, // alarm tones: one byte more than a record
        {0x0F, 0xFF}, // reserved, left out of backups
        {0x10, 0xF0}, // unused record
        {0x11, 0x90}, // key assignments, 144 bytes
        {0x14, 0xFF}, // reserved
        {0x15, 0xF4}, // short status texts, four records kept whole
        {0x19, 0x80}, // timers, exactly two records
        {0x1B, 0x01}, // an empty block: only its marker
        {0x1C, 0xFE}, // text memory, fourteen records kept whole
        {0x2A, 0xEF}, // longest block, 239 bytes over four records
    };
    // The address book: one entry of 42 bytes per record; every 18th slot is free.
    for (std::uint8_t a = 0x2E; a <= 0x5F; ++a)
        heads.push_back({a, static_cast<std::uint8_t>((a - 0x2E) % 18 == 7 ? 0xFF : 0x2A)});
    heads.push_back({0x60, 0xF8}); // channel table, eight records kept whole
    heads.push_back({0x68, 0xF8});
    for (std::uint8_t a = 0x70; a <= 0x7D; ++a)
        heads.push_back({a, 0x3C}); // function profiles, 60 bytes each
    heads.push_back({0x7E, 0x00});  // a zero-length block
    heads.push_back({0x7F, 0xFF});  // the last record is left out
    return heads;
}

// How many records a block with this marker covers.
int BlockRecords(std::uint8_t marker)
{
    if (marker == 0xFF || marker == 0xF0)
        return 1;
    if (marker > 0xF0)
        return marker - 0xF0;
    return marker <= 64 ? 1 : (marker + 63) / 64;
}

// Deterministic bytes that differ from record to record, as stored settings do.
RecordData Filler(std::uint8_t address)
{
    std::uint32_t state = 0x9E3779B9u * (address + 1u);
    RecordData data{};
    for (auto& byte : data) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 8);
    }
    return data;
}

RecordData Erased()
{
    RecordData data{};
    data.fill(kErased);
    return data;
}

void LayOutBlock(DeviceMemory& memory, const BlockHead& head)
{
    const int records = BlockRecords(head.marker);
    const bool byLength = head.marker < 0xF0;
    int remaining = head.marker; // meaningful bytes still due in a block given by length
    for (int r = 0; r < records; ++r) {
        const auto address = static_cast<std::uint8_t>(head.address + r);
        RecordData data = head.marker == 0xFF ? Erased() : Filler(address);
        if (head.marker == 0xF0)
            data = Erased();
        if (byLength && remaining <= 64) {
            for (int k = remaining; k < 64; ++k)
                data[k] = kErased;
        }
        remaining -= 64;
        if (r == 0)
            data[0] = head.marker;
        memory.SetRecord(address, data);
    }
}

// Writes bytes from a position on, running on into the following records as the name area does.
void PutBytes(DeviceMemory& memory, std::uint8_t address, std::size_t offset, std::string_view bytes)
{
    RecordData data = memory.Record(address);
    for (char c : bytes) {
        if (offset == kRecordDataBytes) {
            memory.SetRecord(address, data);
            data = memory.Record(++address);
            offset = 0;
        }
        data[offset++] = static_cast<std::uint8_t>(c);
    }
    memory.SetRecord(address, data);
}

// A zero-filled text field of fixed width.
std::string Field(std::string_view text, std::size_t width)
{
    std::string field(text.substr(0, width));
    field.resize(width, '\0');
    return field;
}

std::string TwoDigits(unsigned n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// An FMS identifier "d0d1d2d3d4d5d6d7" is stored as a 32-bit value, least significant byte first.
std::string IdentifierBytes(std::string_view id)
{
    std::string bytes;
    for (int pair = 3; pair >= 0; --pair)
        bytes.push_back(static_cast<char>(*ParseHexPair(id[2 * pair], id[2 * pair + 1])));
    return bytes;
}

void PutFmsSettings(DeviceMemory& memory)
{
    PutBytes(memory, 0x06, 13, std::string(1, kDefaultIsMaster ? '\x01' : '\x00'));
    for (std::size_t k = 0; k < kDefaultQuickIds.size(); ++k)
        PutBytes(memory, 0x07, 4 + 4 * k, IdentifierBytes(kDefaultQuickIds[k]));
    std::string names;
    for (std::string_view name : kDefaultNames)
        names += Field(name, 11);
    PutBytes(memory, 0x07, 44, names);
    PutBytes(memory, 0x09, 32, IdentifierBytes(kDefaultOwnId));
}

void PutTexts(DeviceMemory& memory)
{
    PutBytes(memory, 0x01, 1, Field("SN 19040815", 15) + Field("HW 3.1", 8));
    PutBytes(memory, 0x02, 0, Field("V 2.14 12.03.19", 16));
    // Status texts 0..10, 16 bytes each, from the second row of record 0A to the end of 0C.
    const std::string_view status[] = {
        "Notruf",          "Frei ueber Funk", "Frei auf Wache", "Einsatz uebern.", "Am Einsatzort", "Sprechwunsch",
        "Nicht einsatzb.", "Patient aufgen.", "Am Zielort",     "Fremdanmeldung",  "Abbruch",
    };
    std::string texts;
    for (std::string_view text : status)
        texts += Field(text, 16);
    PutBytes(memory, 0x0A, 16, texts);
    for (std::uint8_t a = 0x2E; a <= 0x5F; ++a) {
        if (memory.Record(a)[0] == 0xFF)
            continue;
        PutBytes(memory, a, 5, Field("Kontakt " + TwoDigits(a - 0x2D), 16));
    }
}

void PutInterface(DeviceMemory& memory)
{
    PutBytes(memory, kBcAddress, 0, std::string("\x01") + static_cast<char>(kDefaultInterfaceFlag));
    PutBytes(memory, kBcAddress, 2, Field("TIF-2 1.07", 10));
    // Record 80: ISSI, country and network code, then the option bytes.
    PutBytes(memory, 0x80, 0, std::string("\x87\xD6\x12\x00\x06\x01\x02\x00", 8));
    PutBytes(memory, 0x80, 27, std::string(1, static_cast<char>(kDefaultReadGroups)));
    PutBytes(memory, 0x80, 32, Field("BOS Quendal", 16));
    // Records 81-9F: two talk groups each; the last four records are empty.
    for (std::uint8_t a = 0x81; a <= kLastInterfaceAddress; ++a) {
        if (a > 0x9B) {
            memory.SetRecord(a, Erased());
            continue;
        }
        for (int slot = 0; slot < 2; ++slot) {
            const unsigned group = 2 * (a - 0x81) + slot + 1;
            const std::string gssi = {static_cast<char>(0x10 + group), '\x20', '\x00', '\x00'};
            PutBytes(memory, a, 32 * slot, gssi + Field("TMO " + TwoDigits(group), 16));
        }
    }
}

} // namespace

const std::vector<BlockHead>& DefaultBlockHeads()
{
    static const std::vector<BlockHead> heads = MakeBlockHeads();
    return heads;
}

DeviceMemory DefaultMemory()
{
    DeviceMemory memory;
    for (const BlockHead& head : DefaultBlockHeads())
        LayOutBlock(memory, head);
    memory.SetRecord(kBcAddress, Filler(kBcAddress));
    for (std::uint8_t a = kFirstInterfaceAddress; a <= kLastInterfaceAddress; ++a)
        memory.SetRecord(a, Filler(a));
    PutFmsSettings(memory);
    PutTexts(memory);
    PutInterface(memory);
    return memory;
}

std::string DefaultImageFile()
{
    return ImageText(DefaultMemory());
}
