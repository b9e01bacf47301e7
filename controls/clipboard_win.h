// Unicode text on the Win32 clipboard, for callers that have opened it themselves.
#pragma once

#include <string>

// The clipboard's CF_UNICODETEXT up to its terminating zero; empty when it has none.
std::u16string ReadOpenClipboardText();

// Empties the clipboard and puts the text there (with its terminating zero) as
// CF_UNICODETEXT; false when that could not be done.
bool ReplaceOpenClipboardText(const std::u16string& text);
