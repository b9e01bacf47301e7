// What the file dialogs of both windows offer: configuration files, with their extension added.
#pragma once

inline constexpr wchar_t kConfigFileFilter[] = L"Quendal 4 - Konfigurationsdatei (*.q4k) |*.q4k||";
inline constexpr wchar_t kConfigFileExt[] = L"q4k";
