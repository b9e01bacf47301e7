// Test helpers for the transfer exchanges: a recording view, a memory sink, hand-made record data.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
    std::string address;
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
};

// Keeps every event; `log` holds them in order as short ASCII lines for sequence checks.
class RecordingView : public TransferView
{
  public:
    std::vector<std::u16string> statuses; // the status line's texts: phases, relabels, the end
    std::vector<std::size_t> phases;      // each phase's number of records
    std::vector<ShownMessage> messages;
    std::vector<std::u16string> fileErrors;
    std::vector<TransferOutcome> outcomes;
    std::vector<std::string> log;

    void PhaseBegun(const std::u16string& text, std::size_t records) override
    {
        statuses.push_back(text);
        phases.push_back(records);
        log.push_back("phase " + NarrowToBytes(text) + " " + std::to_string(records));
    }
    void PhaseRelabelled(const std::u16string& text) override
    {
        statuses.push_back(text);
        log.push_back("relabel " + NarrowToBytes(text));
    }
    void RecordUnderWay(const std::string& address) override { log.push_back("record " + address); }
    void RecordFailed(const std::string& address, const std::u16string& text, const std::u16string& caption,
                      MessageIcon icon) override
    {
        messages.push_back({address, text, caption, icon});
        log.push_back("failed " + address + " " + NarrowToBytes(caption));
    }
    void PhaseCut() override { log.push_back("cut"); }
    void FileFailed(const std::u16string& text) override
    {
        fileErrors.push_back(text);
        log.push_back("file " + NarrowToBytes(text));
    }
    void TransferEnded(TransferOutcome outcome, const std::u16string& text) override
    {
        statuses.push_back(text);
        outcomes.push_back(outcome);
        log.push_back("end " + NarrowToBytes(text));
    }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const ShownMessage& m : messages)
            captions.push_back(NarrowToBytes(m.caption));
        return captions;
    }
    long Records() const
    {
        return std::count_if(log.begin(), log.end(),
                             [](const std::string& line) { return line.starts_with("record "); });
    }
};

// The destination file in memory; can be told to fail from a given write on, or at the commit.
class MemorySink : public RecordSink
{
  public:
    std::vector<std::string> writes;
    int failFromWrite = -1;
    bool failCommit = false;
    int commits = 0;

    bool Write(std::string_view bytes) override
    {
        if (failFromWrite >= 0 && static_cast<int>(writes.size()) >= failFromWrite)
            return false;
        writes.emplace_back(bytes);
        return true;
    }
    bool Commit() override
    {
        ++commits;
        return !failCommit;
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
