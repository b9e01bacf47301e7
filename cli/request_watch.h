// A byte link that remembers which record the last read request or record write named, so that a
// failed transfer can say where it stopped.
#pragma once

#include <string>

#include "link/byte_link.h"

class RequestWatch : public ByteLink
{
  public:
    explicit RequestWatch(ByteLink& inner) : m_inner(inner) {}

    std::size_t Write(const std::uint8_t* data, std::size_t n) override;
    std::size_t Read(std::uint8_t* data, std::size_t n) override { return m_inner.Read(data, n); }
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override
    {
        return m_inner.ReadWithin(data, n, waitMs);
    }
    std::uint64_t NowMs() override { return m_inner.NowMs(); }

    // Keeps the address of the request under way as the place of the first failure.
    void MarkFailure()
    {
        if (m_failedAt.empty())
            m_failedAt = m_address;
    }
    // The two address characters ("5A") marked, empty without a failure.
    const std::string& FailedAt() const { return m_failedAt; }

  private:
    ByteLink& m_inner;
    std::string m_start; // "$R" or "$P" and what followed, up to the address
    std::string m_address;
    std::string m_failedAt;
};
