// The German causes of file errors.
#include "cli/file_fault.h"

std::string FileFaultText(FileFault fault)
{
    switch (fault) {
    case FileFault::None:
        return {};
    case FileFault::ReadOnly:
        return "schreibgeschützt";
    case FileFault::AccessDenied:
        return "Zugriff verweigert";
    case FileFault::DiskFull:
        return "Datenträger voll";
    case FileFault::InUse:
        return "von einem anderen Programm geöffnet";
    case FileFault::NotFound:
        return "nicht gefunden";
    case FileFault::IsFolder:
        return "ist ein Ordner";
    case FileFault::Other:
        break;
    }
    return "Ein-/Ausgabefehler";
}
