// Texts of the framework's standard message boxes.
#include "framework/standard_texts.h"

#include "link/wire_text.h"

namespace
{

// Replaces the single "%1" of a template by the argument.
std::u16string Substitute(const char* pattern, const std::u16string& argument)
{
    std::u16string text = WidenBytes(pattern);
    const auto at = text.find(u"%1");
    if (at != std::u16string::npos)
        text.replace(at, 2, argument);
    return text;
}

const char* FilePattern(FileErrorKind kind)
{
    switch (kind) {
    case FileErrorKind::NotFound:
        return "%1 was not found.";
    case FileErrorKind::BadPath:
        return "%1 contains an invalid path.";
    case FileErrorKind::TooManyOpen:
        return "%1 could not be opened because there are too many open files.";
    case FileErrorKind::AccessDenied:
        return "Access to %1 was denied.";
    case FileErrorKind::InvalidFile:
        return "An invalid file handle was associated with %1.";
    case FileErrorKind::DirectoryFull:
        return "%1 could not be created because the directory is full.";
    case FileErrorKind::HardIo:
        return "A hardware I/O error was reported while accessing %1.";
    case FileErrorKind::SharingViolation:
        return "A sharing violation occurred while accessing %1.";
    case FileErrorKind::LockViolation:
        return "A locking violation occurred while accessing %1.";
    case FileErrorKind::DiskFull:
        return "Disk full while accessing %1.";
    case FileErrorKind::EndOfFile:
        return "An attempt was made to access %1 past its end.";
    case FileErrorKind::Generic:
        break;
    }
    return "An unexpected error occurred while accessing %1.";
}

} // namespace

std::u16string FileErrorText(FileErrorKind kind, const std::u16string& path)
{
    return Substitute(FilePattern(kind), path.empty() ? u"an unnamed file" : path);
}

std::u16string MaxCharsText(int maxChars)
{
    const std::string number = std::to_string(maxChars);
    return Substitute("Please enter no more than %1 characters.", WidenBytes(number));
}
