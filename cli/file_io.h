// Files as the console front end reads and writes them: whole-file reads with a size cap, and
// writes that keep what the user's path stands for. "-" is standard input or output; a symbolic
// link stays and its final target is written; a regular file is replaced atomically through a
// temporary file beside it, synced, and keeps its mode; a device or a FIFO is written directly.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/system_file.h"
#include "transfer/record_sink.h"

// Command-line words are UTF-8 on both systems.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Whether the path is "-", standard input or output.
bool IsStandardStream(const std::filesystem::path& path);

// The file's first `cap` bytes (all of a shorter file), or false with a German reason in `error`.
// A file that fills the cap is larger than any configuration, so the checks that follow refuse it.
bool ReadWholeFile(const std::filesystem::path& path, std::size_t cap, std::string& bytes, std::string& error);

// How a write reaches the user's path.
enum class WriteWay {
    StandardOutput, // "-": collected and written when committed
    Replace,        // a regular file or a new one: a temporary file renamed over the target
    Direct,         // a device, a FIFO: opened and written in place
};

struct WriteTarget {
    WriteWay way;
    std::filesystem::path path; // the link's final target; for Replace possibly not there yet
};

// Decides how to write the path: a device or a FIFO (links followed) directly; otherwise the final
// target of its symbolic links, which need not exist yet, is replaced.
WriteTarget ResolveWriteTarget(const std::filesystem::path& path);

// What may become of a regular file that is already at the target.
enum class ExistingFile {
    Keep,            // refused: "Datei gibt es schon" (a backup without -f)
    ReplaceWritable, // replaced unless it has no write permission bit ("Datei schreibgeschützt")
    Replace,         // replaced, writable or not (-f)
};

// The target's content in the making, in a temporary file of this writer's own beside the target;
// the temporary file is removed again unless committed.
class PendingFile : public RecordSink
{
  public:
    PendingFile(std::filesystem::path target, ExistingFile existing);
    ~PendingFile() override;

    bool IsOpen() const { return m_target.way == WriteWay::StandardOutput || m_file.IsOpen(); }
    // Whether a write or the commit failed.
    bool WriteFailed() const { return m_writeFailed; }
    bool Write(std::string_view bytes) override;
    // Completes the write, on the disk once it returns; ErrorText then says why it failed.
    bool Commit() override;
    // Why the file is not open, not written or not committed: "Datei nicht schreibbar: " and the
    // path the user gave with the cause, or the refusal of an existing file.
    std::u16string ErrorText() const override;

    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

  private:
    // Why an existing file at the target must stay as it is; empty when it may be replaced.
    std::string Refusal() const;
    std::string Failure() const;

    std::filesystem::path m_given;
    ExistingFile m_existing;
    WriteTarget m_target;
    std::filesystem::path m_temp; // empty while there is no temporary file
    SystemFile m_file;
    std::string m_collected; // for standard output
    std::string m_error;
    bool m_committed = false;
    bool m_writeFailed = false;
};

// Writes the bytes to the path through a PendingFile.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, ExistingFile existing,
                    std::string& error);
