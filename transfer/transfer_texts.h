// The texts the backup and the restore show, word for word as the user sees them.
#pragma once

// Backup.
inline constexpr char16_t kBackupRunningText[] = u"Speichere Konfiguration in Datei...";
inline constexpr char16_t kBackupInterfaceText[] = u"Speichere Interface-Konfig in Datei...";
inline constexpr char16_t kBackupDoneText[] = u"Konfiguration in Datei gespeichert!";
inline constexpr char16_t kBackupFailedText[] = u"Auslesen der Konfiguration fehlerhaft!";
inline constexpr char16_t kBackupErrorBoxText[] =
    u"Auslesen der Konfiguration fehlerhaft. Datei konnte nicht gespeichert werden.";

// The status texts of a reading of the device: its two phases and its outcome.
struct ReadingTexts {
    const char16_t* running;
    const char16_t* interface;
    const char16_t* done;
    const char16_t* failed;
};
inline constexpr ReadingTexts kBackupTexts{kBackupRunningText, kBackupInterfaceText, kBackupDoneText,
                                           kBackupFailedText};

// A reading that only compares the device with a file writes none, so its texts say "read"; the
// comparison's result stands in place of a final text.
inline constexpr ReadingTexts kVerifyReadingTexts{
    u"Lese Konfiguration aus Quendal 4...", u"Lese Interface-Konfiguration aus Quendal 4...", u"", kBackupFailedText};

// Restore.
inline constexpr char16_t kRestoreRunningText[] = u"Transferiere Konfiguration auf Quendal 4...";
inline constexpr char16_t kRestoreInterfaceText[] = u"Transferiere Interface-Konfiguration auf Quendal 4...";
inline constexpr char16_t kRestoreDoneText[] = u"Konfiguration auf Quendal 4 transferiert!";
inline constexpr char16_t kRestoreFailedText[] = u"Laden der Konfiguration fehlerhaft!";
// The misspelling "Konifguration" is what users and their screenshots know; keep it.
inline constexpr char16_t kRestoreErrorBoxText[] =
    u"Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden.";
inline constexpr char16_t kUnsuitableFileText[] = u"Datei nicht geeignet!";
inline constexpr char16_t kRestoreErrorCaption[] = u"Fehler";
