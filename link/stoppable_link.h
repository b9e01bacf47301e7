// A byte link that stops moving bytes once a stop was requested (Ctrl+C on the console): the
// running exchange then ends through its own failure path, so its owners clean up as after any
// failure (the port gets its settings back, a half-written file is removed).
#pragma once

#include "link/byte_link.h"

class StoppableLink : public ByteLink
{
  public:
    // Asked before every move of bytes whether a stop was requested.
    using StopQuery = bool (*)();

    StoppableLink(ByteLink& inner, StopQuery stopRequested) : m_inner(inner), m_stopRequested(stopRequested) {}

    std::size_t Write(const std::uint8_t* data, std::size_t n) override
    {
        return m_stopRequested() ? 0 : m_inner.Write(data, n);
    }
    std::size_t Read(std::uint8_t* data, std::size_t n) override
    {
        return m_stopRequested() ? 0 : m_inner.Read(data, n);
    }
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override
    {
        return m_stopRequested() ? 0 : m_inner.ReadWithin(data, n, waitMs);
    }
    bool Stopped() override { return m_stopRequested(); }
    std::uint64_t NowMs() override { return m_inner.NowMs(); }

  private:
    ByteLink& m_inner;
    StopQuery m_stopRequested;
};
