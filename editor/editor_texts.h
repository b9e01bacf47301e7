// The texts the configuration editor shows, word for word as the user sees them.
#pragma once

#include <array>

inline constexpr char16_t kEditorErrorCaption[] = u"Fehler";
inline constexpr char16_t kEditorBusyText[] = u"Bitte warten Sie bis der momentane Prozess beendet ist!";

inline constexpr char16_t kHelpCaption[] = u"Hilfe";
// The help box's lines, joined by CR LF when shown.
inline constexpr std::array<const char16_t*, 9> kHelpLines = {
    u"Laden Sie zunächst über die Schaltfläche \"Öffnen\" das gewünschte Konfigurationsfile.",
    u"In der linken Fensterhälfte können Sie nun die Master/Slave-Konfiguration, die eigene Kennung und bei Bedarf die "
    u"10 FMS-Schnellwechselkennungen sowie deren Klarnamen editieren.",
    u"",
    u"Beim Quendal 4 BOS mit Option TETRA kann nun zusätzlich die Konfiguration des TETRA-Interface eingelesen werden "
    u"(über \"Erw. Sicherungsopt.\" im Q4-Setup). Diese wird dann beim Abspeichern als Konfig-Datei mit gesichert. Es "
    u"besteht die Möglichkeit, die Interface-Konfiguration beim ersten Betrieb des Hörers automatisch aufs Interface "
    u"zu überspielen (nur Master-Hörer, TETRA-FuG noch nicht anschließen) und das automatische Auslesen der "
    u"TETRA-Gruppenstruktur beim ersten Anschluss des TETRA-FuG zu programmieren.",
    u"",
    u"Um einen Zieldateinamen zu wählen, gibt es verschiedene Möglichkeiten. Sie können über die entsprechende Box die "
    u"Quell-Datei ebenfalls als Ziel verwenden. Wird diese unverändert verwendet, wird sie natürlich überschrieben.",
    u" Bei Verwendung von \"Eigene Kennung anhängen\" wird immer die momentan eingetragene Eigene FMS-Kennung an den "
    u"Dateinamen angehängt. Weiterhin kann auch ein beliebiger Dateiname ausgewählt werden.",
    u"",
    u"Wenn ein Quendal 4 verbunden ist und eine Ziel-Datei bestimmt wurde, dann kann die Konfiguration in diese Datei "
    u"gespeichert werden, woraufhin diese dann an den Quendal 4 gesendet wird. Dieser muss sich dazu im Modus "
    u"\"PC-Verbindung\" befinden (erreichbar im Setup über das Untermenü \"Erw. Sicherungsopt.\")."};
