// Test helpers for the transfer exchanges: a recording view, a memory sink, hand-made record data.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "transfer/record_sink.h"
#include "transfer/transfer_view.h"

// A text of U+0000-U+00FF back to its bytes, for short ASCII log lines.
inline std::string NarrowToBytes(std::u16string_view text)
{
    std::string bytes;
    for (char16_t c : text)
        bytes.push_back(static_cast<char>(c & 0xFF));
    return bytes;
}

struct ShownMessage {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
};

// Keeps every call; `log` holds them in order as short ASCII lines for sequence checks.
class RecordingView : public TransferView
{
  public:
    std::vector<std::u16string> statuses;
    std::vector<ShownMessage> messages;
    std::vector<std::string> log;
    std::uint16_t range = 0xFFFF;
    int step = 0;
    int pos = -1;

    std::vector<StatusKind> kinds;

    void SetStatus(const std::u16string& text, StatusKind kind) override
    {
        statuses.push_back(text);
        kinds.push_back(kind);
        log.push_back("status " + NarrowToBytes(text));
    }
    void SetProgressRange(std::uint16_t upper) override
    {
        range = upper;
        log.push_back("range " + std::to_string(upper));
    }
    void SetProgressStep(int s) override { step = s; }
    void SetProgressPos(int p) override
    {
        pos = p;
        log.push_back("pos " + std::to_string(p));
    }
    void StepProgress() override
    {
        pos += step;
        log.push_back("stepit");
    }
    void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
        log.push_back("box " + NarrowToBytes(caption));
    }

    // Recorded with this caption: the window puts the application's name there.
    static constexpr char16_t kApplicationCaption[] = u"<application>";
    void ShowFileError(const std::u16string& text) override
    {
        ShowMessage(text, kApplicationCaption, MessageIcon::Exclamation);
    }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const ShownMessage& m : messages)
            captions.push_back(NarrowToBytes(m.caption));
        return captions;
    }
};

// The destination file in memory; can be told to fail from a given write on.
class MemorySink : public RecordSink
{
  public:
    std::vector<std::string> writes;
    int failFromWrite = -1;

    bool Write(std::string_view bytes) override
    {
        if (failFromWrite >= 0 && static_cast<int>(writes.size()) >= failFromWrite)
            return false;
        writes.emplace_back(bytes);
        return true;
    }
    std::u16string ErrorText() const override { return u"Write failed: C:\\conf\\a.q4k"; }

    std::string Bytes() const
    {
        std::string all;
        for (const std::string& w : writes)
            all += w;
        return all;
    }
};

// 128 data characters in which data byte k reads k ("000102...3F"), so every byte is told apart.
inline std::string CountingData()
{
    std::string data;
    for (int k = 0; k < 64; ++k) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", k);
        data += pair;
    }
    return data;
}

// CountingData with data byte 0 replaced by the given two characters (a block marker).
inline std::string DataWithHead(const std::string& head)
{
    return head + CountingData().substr(2);
}

inline std::string FileRecord(const std::string& address, const std::string& data)
{
    return "$P" + address + data + '\x01';
}

// The golden backup of the simulator's default image (tests/golden/default_backup.q4k).
inline std::string GoldenFile()
{
    const auto path = std::filesystem::path(__FILE__).parent_path() / ".." / "golden" / "default_backup.q4k";
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
