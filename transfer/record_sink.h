// Where the backup writes its records: the destination file on Windows, memory in tests.
#pragma once

#include <string>
#include <string_view>

class RecordSink
{
  public:
    virtual ~RecordSink() = default;
    // Appends the bytes; false when the write failed.
    virtual bool Write(std::string_view bytes) = 0;
    // The message for the failed write, naming the file.
    virtual std::u16string ErrorText() const = 0;
};
