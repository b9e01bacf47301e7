// A record sink in memory: a reading of the device that is compared or named before it is saved.
#pragma once

#include <string>
#include <string_view>

#include "transfer/record_sink.h"

class StringSink : public RecordSink
{
  public:
    std::string bytes;
    bool Write(std::string_view b) override
    {
        bytes += b;
        return true;
    }
    bool Commit() override { return true; }
    std::u16string ErrorText() const override { return {}; }
};
