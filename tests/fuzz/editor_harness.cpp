// Fuzzes the editor's record access and save: ReadSettings and WriteSettings on any text, and
// on configuration files the save's promises: same length, only data bytes changed, still a file
// the restore takes, saving twice changes nothing more, and what was written reads back.
#include <string>
#include <vector>

#include "config/config_text.h"
#include "config/editor_settings.h"
#include "tests/fuzz/fuzz_support.h"
#include "transfer/config_record.h"

namespace
{

std::u16string Identifier(FuzzInput& in)
{
    static const char16_t storable[] = u"0123456789ABCDEFX";
    std::u16string id;
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t b = in.Byte();
        id += b < 0xF8 ? storable[b % 17] : static_cast<char16_t>(in.Byte()); // now and then one that is not
    }
    return id;
}

EditorSettings Settings(FuzzInput& in)
{
    EditorSettings settings;
    const std::uint8_t flags = in.Byte();
    settings.masterSlave = flags & 1;
    settings.hasTetra = (flags & 2) != 0;
    settings.autoTransfer = (flags & 4) != 0;
    settings.readGroups = (flags & 8) != 0;
    settings.ownId = Identifier(in);
    for (int k = 0; k < kQuickIdCount; ++k) {
        settings.quickId[k] = Identifier(in);
        const std::size_t length = in.Byte() % 11; // the editor takes at most 10 Latin-1 characters
        for (std::size_t i = 0; i < length; ++i)
            settings.alias[k] += static_cast<char16_t>(1 + in.Byte() % 255);
    }
    return settings;
}

// Records in the order a backup writes them, with "$P06" to "$P0A" among them: then no two
// settings share a byte, and a save must read back exactly.
bool HasBackupLayout(std::string_view text)
{
    std::vector<int> order;
    for (std::size_t pos = 0; pos < text.size(); pos += CONFIG_RECORD_LEN) {
        const int address = std::stoi(std::string(text.substr(pos + 2, 2)), nullptr, 16);
        order.push_back(address == 0xBC ? 0x7F8 : address < 0x80 ? address << 4 : address << 8);
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (order[i] <= order[i - 1])
            return false;
    }
    int needed = 0;
    for (int o : order)
        needed += o >= 0x60 && o <= 0xA0;
    return needed == 5;
}

void CheckSave(const std::string& text, const EditorSettings& settings, const std::string& saved)
{
    FUZZ_CHECK(saved.size() == text.size());
    if (!IsConfigurationFile(text))
        return;
    FUZZ_CHECK(IsConfigurationFile(saved));
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const std::size_t inRecord = pos % CONFIG_RECORD_LEN;
        if (inRecord < kRecordDataPos || inRecord >= kRecordTerminatorPos)
            FUZZ_CHECK(saved[pos] == text[pos]);
    }
    const SettingsWritten again = WriteSettings(saved, settings);
    FUZZ_CHECK(again.error == ConfigTextError::None && again.text == saved);
    if (!HasBackupLayout(text))
        return;
    const SettingsRead back = ReadSettings(saved);
    FUZZ_CHECK(back.error == ConfigTextError::None);
    FUZZ_CHECK(back.settings.masterSlave == settings.masterSlave);
    FUZZ_CHECK(back.settings.ownId == settings.ownId);
    FUZZ_CHECK(back.settings.quickId == settings.quickId);
    FUZZ_CHECK(back.settings.alias == settings.alias);
    if (settings.hasTetra) {
        FUZZ_CHECK(back.settings.hasTetra);
        FUZZ_CHECK(back.settings.autoTransfer == settings.autoTransfer);
        FUZZ_CHECK(back.settings.readGroups == settings.readGroups);
    }
}

} // namespace

void FuzzEditorSettings(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string file = in.Bytes(in.Word() * 2);
    const std::string text = ConfigTextFromFile(file);
    const EditorSettings settings = Settings(in);

    const SettingsRead read = ReadSettings(text);
    if (read.error == ConfigTextError::None) {
        FUZZ_CHECK(read.settings.masterSlave == 0 || read.settings.masterSlave == 1);
        FUZZ_CHECK(read.settings.ownId.size() == 8);
        for (int k = 0; k < kQuickIdCount; ++k)
            FUZZ_CHECK(read.settings.quickId[k].size() == 8 && read.settings.alias[k].size() <= 11);
    }
    const SettingsWritten written = WriteSettings(text, settings);
    if (written.error == ConfigTextError::None)
        CheckSave(text, settings, written.text);
    // The settings as read, saved unchanged, are a save like any other.
    if (read.error == ConfigTextError::None) {
        const SettingsWritten same = WriteSettings(text, read.settings);
        if (same.error == ConfigTextError::None)
            CheckSave(text, read.settings, same.text);
    }
}
