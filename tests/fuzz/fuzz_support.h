// What every fuzz harness shares: the entry points, a reader that takes the input apart,
// a contract check that stops the run, and a silent transfer view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "transfer/transfer_view.h"

// One entry per harness; the fuzzing engine and the corpus replay both call these.
void FuzzBackupExchange(const std::uint8_t* data, std::size_t size);
void FuzzRestoreExchange(const std::uint8_t* data, std::size_t size);
void FuzzIdentification(const std::uint8_t* data, std::size_t size);
void FuzzHexEdit(const std::uint8_t* data, std::size_t size);
void FuzzEditorSettings(const std::uint8_t* data, std::size_t size);
void FuzzSimCommands(const std::uint8_t* data, std::size_t size);

struct FuzzHarness {
    const char* name; // also the name of its corpus folder under tests/fuzz/corpus/
    void (*entry)(const std::uint8_t*, std::size_t);
};

inline constexpr FuzzHarness kFuzzHarnesses[] = {
    {"backup", FuzzBackupExchange}, {"restore", FuzzRestoreExchange}, {"identification", FuzzIdentification},
    {"hex_edit", FuzzHexEdit},      {"editor", FuzzEditorSettings},   {"sim_commands", FuzzSimCommands},
};

// A broken contract ends the run at once, so the engine keeps the input and the replay test fails.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: contract broken: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Takes the input apart front to back; past its end every byte reads 0.
class FuzzInput
{
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return Empty() ? 0 : m_data[m_pos++]; }
    // Two bytes, high first (spelt out: the operands of | have no order of their own).
    std::size_t Word()
    {
        const std::size_t high = Byte();
        return high << 8 | Byte();
    }
    std::string Bytes(std::size_t n)
    {
        const std::size_t take = n < m_size - m_pos ? n : m_size - m_pos;
        std::string bytes(reinterpret_cast<const char*>(m_data + m_pos), Empty() ? 0 : take);
        m_pos += bytes.size();
        return bytes;
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Two upper-case hex digits of a byte.
inline std::string HexPair(std::uint8_t byte)
{
    static const char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

// Keeps what a contract needs to see and shows nothing.
class QuietView : public TransferView
{
  public:
    int messages = 0;
    std::u16string status;

    void PhaseBegun(const std::u16string& text, std::size_t) override { status = text; }
    void PhaseRelabelled(const std::u16string& text) override { status = text; }
    void RecordUnderWay(const std::string&) override {}
    void RecordFailed(const std::string&, const std::u16string&, const std::u16string&, MessageIcon) override
    {
        ++messages;
    }
    void PhaseCut() override {}
    void FileFailed(const std::u16string&) override { ++messages; }
    void TransferEnded(TransferOutcome, const std::u16string& text) override { status = text; }
};
