// q4k's file errors as the system reports them, and the German cause each message names.
#include <gtest/gtest.h>

#include <cerrno>

#include "cli/file_fault.h"

TEST(FileFault, EachSystemErrorNamesItsCauseInGerman)
{
    const std::pair<int, const char*> cases[] = {
        {EROFS, "schreibgeschützt"},
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Zugriff verweigert"},
        {ENOSPC, "Datenträger voll"},
        {EDQUOT, "Datenträger voll"},
        {EFBIG, "Datenträger voll"},
        {ETXTBSY, "von einem anderen Programm geöffnet"},
        {EBUSY, "von einem anderen Programm geöffnet"},
        {EWOULDBLOCK, "von einem anderen Programm geöffnet"},
        {ENOENT, "nicht gefunden"},
        {ENOTDIR, "nicht gefunden"},
        {EISDIR, "ist ein Ordner"},
        {EIO, "Ein-/Ausgabefehler"},
        {ESTALE, "Ein-/Ausgabefehler"},
        {0, ""},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(FileFaultText(FileFaultOfErrno(error)), text) << "errno " << error;
}
