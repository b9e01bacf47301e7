// The German help of q4k.
#pragma once

inline constexpr char kHelpText[] = R"(q4k - Konfiguration eines Quendal 4 sichern, übertragen, prüfen und bearbeiten

Aufruf: q4k BEFEHL [OPTIONEN]

Befehle, die mit dem Gerät sprechen (PORT z. B. /dev/ttyUSB0 oder COM3):
  ports                     die seriellen Ports dieses Rechners
  identify PORT             Software, Version und Option des Geräts
  backup PORT DATEI         Quendal 4 -> Datei (die Datei entsteht erst, wenn alles gelesen ist)
  restore PORT DATEI        Datei -> Quendal 4 (eine ungeeignete Datei sendet nichts)
  verify PORT DATEI         Gerät auslesen und mit DATEI vergleichen ("XX"-Bytes zählen nicht)

Befehle für Dateien:
  show DATEI [--json]       Rolle, Kennungen, Namen, TETRA-Optionen, Zahl der Datensätze
  set DATEI -o AUS [...]    Einstellungen ändern wie im Fenster "Erweitert" (AUS darf DATEI sein)
      --role master|slave   --own-id KENNUNG       --quick K=KENNUNG    --name K=TEXT
      --auto-transfer on|off                       --read-groups on|off
      --append-own-id       hängt "_" und die eigene Kennung an den Namen von AUS an
      (Kennungen: genau 8 Zeichen 0-9,A-F; Namen: höchstens 10 Zeichen; K: 0 bis 9)
  diff A B                  Unterschiede: erst die Einstellungen, dann die übrigen Datensätze
  check DATEI               ob die Übertragung die Datei annehmen würde

Optionen:
  --trace LOG               jedes Byte auf der Leitung mit Richtung und Zeit in LOG
  -q, --quiet               keine Fortschrittsanzeige
  -h, --help                diese Hilfe
  --version                 die Version von q4k

Beispiel:
  q4k backup /dev/ttyUSB0 fahrzeug-12.q4k && q4k verify /dev/ttyUSB0 fahrzeug-12.q4k
  q4k set fahrzeug-12.q4k -o vorlage.q4k --own-id 12AB34CD --name 1="RTW 2" --append-own-id

Exit-Codes:
  0  erledigt
  1  Unterschiede gefunden (diff, verify)
  2  Aufruf fehlerhaft
  3  kein Gerät antwortet (oder der Port lässt sich nicht öffnen)
  4  Datei ungeeignet, nicht lesbar oder nicht schreibbar
  5  Übertragung fehlgeschlagen (ein "Fehler" beim Auslesen, eine fehlende Quittung)
  130  abgebrochen mit Strg+C (keine halb geschriebene Datei bleibt zurück)
)";
