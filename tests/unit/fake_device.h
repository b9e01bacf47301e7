// A scripted fake device on the byte link: it sees every written byte, may queue
// reply bytes in answer, and hands them out one read at a time. Time is simulated:
// a read that returns a byte costs 1 ms, an empty read costs the port's 51 ms time-out.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/byte_link.h"

class FakeDevice : public ByteLink
{
  public:
    // Called with the whole command each time a written byte 0x01 ends one.
    std::function<void(const std::string& command)> onCommand;

    std::vector<std::string> commands; // every complete command written, in order
    std::string written;               // every byte written
    std::uint64_t now = 0;
    std::size_t emptyReads = 0;

    // Queues bytes for the reads that follow.
    void Queue(const std::string& bytes) { rx.push_back(Chunk{bytes, 0, 0}); }
    // Queues bytes that only appear after this many empty reads (a slow device).
    void QueueAfterSilences(const std::string& bytes, int silences) { rx.push_back(Chunk{bytes, silences, 0}); }
    // An endless stream: every read returns a byte, each after this many simulated ms.
    bool babble = false;
    std::uint64_t babbleGapMs = 0;

    std::size_t Write(const std::uint8_t* data, std::size_t n) override
    {
        for (std::size_t i = 0; i < n; ++i) {
            const char c = static_cast<char>(data[i]);
            written.push_back(c);
            pending.push_back(c);
            if (c == '\x01') {
                commands.push_back(pending);
                const std::string command = pending;
                pending.clear();
                if (onCommand)
                    onCommand(command);
            }
        }
        now += n;
        return n;
    }

    std::size_t Read(std::uint8_t* data, std::size_t n) override
    {
        if (n == 0)
            return 0;
        if (babble) {
            data[0] = 'G';
            now += babbleGapMs;
            return 1;
        }
        while (!rx.empty() && rx.front().next == rx.front().bytes.size())
            rx.pop_front();
        if (rx.empty() || rx.front().silencesFirst > 0) {
            if (!rx.empty())
                --rx.front().silencesFirst;
            ++emptyReads;
            now += 51;
            return 0;
        }
        Chunk& chunk = rx.front();
        data[0] = static_cast<std::uint8_t>(chunk.bytes[chunk.next++]);
        now += 1;
        return 1;
    }

    // A short wait sees only bytes that are there; it uses up none of a slow device's silences.
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override
    {
        while (!rx.empty() && rx.front().next == rx.front().bytes.size())
            rx.pop_front();
        if (n == 0 || babble || (!rx.empty() && rx.front().silencesFirst == 0))
            return Read(data, n);
        ++shortWaits;
        now += waitMs;
        return 0;
    }

    std::uint64_t NowMs() override { return now; }
    std::size_t shortWaits = 0;

  private:
    struct Chunk {
        std::string bytes;
        int silencesFirst;
        std::size_t next; // the next byte to hand out; the fuzz harnesses queue long streams
    };
    std::deque<Chunk> rx;
    std::string pending;
};
