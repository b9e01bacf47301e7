// Reading and replacing the clipboard's Unicode text through global memory.
#include "controls/clipboard_win.h"

#include <windows.h>

std::u16string ReadOpenClipboardText()
{
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return {};
    const auto* chars = static_cast<const char16_t*>(::GlobalLock(data));
    if (!chars)
        return {};
    // Bounded by the block's size, in case another program left out the zero.
    const std::size_t capacity = ::GlobalSize(data) / sizeof(char16_t);
    std::size_t length = 0;
    while (length < capacity && chars[length] != u'\0')
        ++length;
    std::u16string text(chars, length);
    ::GlobalUnlock(data);
    return text;
}

bool ReplaceOpenClipboardText(const std::u16string& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block)
        return false;
    auto* chars = static_cast<char16_t*>(::GlobalLock(block));
    if (!chars) {
        ::GlobalFree(block);
        return false;
    }
    text.copy(chars, text.size());
    chars[text.size()] = u'\0';
    ::GlobalUnlock(block);
    // Once SetClipboardData succeeds the block belongs to the system.
    if (!::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, block)) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}
