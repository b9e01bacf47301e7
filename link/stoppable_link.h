// A byte link that stops moving bytes once a stop was requested (Ctrl+C on the console): the
// running exchange then ends through its own failure path, so its owners clean up as after any
// failure (the port gets its settings back, a half-written file is removed).
#pragma once

#include <atomic>

#include "link/byte_link.h"

// A signal or console handler may set the flag: it must be free of locks.
static_assert(std::atomic<bool>::is_always_lock_free);

class StoppableLink : public ByteLink
{
  public:
    StoppableLink(ByteLink& inner, const std::atomic<bool>& stop) : m_inner(inner), m_stop(stop) {}

    std::size_t Write(const std::uint8_t* data, std::size_t n) override { return m_stop ? 0 : m_inner.Write(data, n); }
    std::size_t Read(std::uint8_t* data, std::size_t n) override { return m_stop ? 0 : m_inner.Read(data, n); }
    std::uint64_t NowMs() override { return m_inner.NowMs(); }

  private:
    ByteLink& m_inner;
    const std::atomic<bool>& m_stop;
};
