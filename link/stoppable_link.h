// A stop asked for from outside a running command, and a byte link that stops moving bytes once
// it is asked to stop at once: the running exchange then ends through its own failure path, so
// its owners clean up as after any failure (the port gets its settings back, a half-written file
// is removed).
#pragma once

#include <atomic>

#include "link/byte_link.h"

// Set by a signal or console handler, so it holds nothing but lock-free atomics.
class StopSource
{
  public:
    enum class Kind : int {
        None,
        WhenDone, // a closed terminal: what has begun runs to its end, nothing new begins
        Now,      // the user's stop (Ctrl+C, SIGTERM): the running exchange ends
    };

    // Keeps the stronger of two requests, and the exit code of the one kept.
    void Request(Kind kind, int exitCode)
    {
        int held = m_kind.load();
        while (held < static_cast<int>(kind))
            if (m_kind.compare_exchange_weak(held, static_cast<int>(kind))) {
                m_exitCode = exitCode;
                return;
            }
    }
    bool Requested() const { return m_kind.load() != static_cast<int>(Kind::None); }
    bool Now() const { return m_kind.load() == static_cast<int>(Kind::Now); }
    // The status the process ends with after the stop (128 and the signal's number on POSIX).
    int ExitCode() const { return m_exitCode.load(); }

  private:
    static_assert(std::atomic<int>::is_always_lock_free);
    std::atomic<int> m_kind{static_cast<int>(Kind::None)};
    std::atomic<int> m_exitCode{0};
};

class StoppableLink : public ByteLink
{
  public:
    StoppableLink(ByteLink& inner, const StopSource& stop) : m_inner(inner), m_stop(stop) {}

    std::size_t Write(const std::uint8_t* data, std::size_t n) override
    {
        return m_stop.Now() ? 0 : m_inner.Write(data, n);
    }
    std::size_t Read(std::uint8_t* data, std::size_t n) override { return m_stop.Now() ? 0 : m_inner.Read(data, n); }
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override
    {
        return m_stop.Now() ? 0 : m_inner.ReadWithin(data, n, waitMs);
    }
    bool Stopped() override { return m_stop.Now(); }
    std::uint64_t NowMs() override { return m_inner.NowMs(); }

  private:
    ByteLink& m_inner;
    const StopSource& m_stop;
};
