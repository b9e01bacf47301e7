// Where the backup writes its records: the destination file, memory for a reading that is compared.
#pragma once

#include <string>
#include <string_view>

class RecordSink
{
  public:
    virtual ~RecordSink() = default;
    // Appends the bytes; false when the write failed.
    virtual bool Write(std::string_view bytes) = 0;
    // Makes the records written the destination's content; false when that failed.
    virtual bool Commit() = 0;
    // The message for the failed write or commit, naming the file.
    virtual std::u16string ErrorText() const = 0;
};
