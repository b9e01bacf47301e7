// The console's reading of configuration files and its messages.
#include "cli/configuration_input.h"

#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/utf8.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

namespace
{

std::string Reason(const FileVerdict& verdict)
{
    switch (verdict.fault) {
    case FileVerdict::Fault::TooLarge:
        return "größer als " + std::to_string(kMaxConfigFileBytes) + " Bytes";
    case FileVerdict::Fault::BadRecord:
        return "Datensatz " + std::to_string(verdict.record) + " (ab Byte " +
               std::to_string((verdict.record - 1) * CONFIG_RECORD_LEN) + ") ist kein gültiger Datensatz";
    case FileVerdict::Fault::NoRecords:
        return "keine Datensätze";
    case FileVerdict::Fault::None:
        break;
    }
    return "";
}

} // namespace

int ReadConfiguration(const std::string& name, std::string& bytes, std::ostream& verdict)
{
    std::string error;
    if (!ReadWholeFile(PathFromUtf8(name), kConfigFileReadCap, bytes, error)) {
        verdict << error << "\n";
        return kExitFile;
    }
    const std::string reason = Reason(JudgeConfigurationFile(bytes));
    if (reason.empty())
        return kExitDone;
    verdict << ToUtf8(kUnsuitableFileText) << " " << name << ": " << reason << "\n";
    return kExitFile;
}
