// Window facts read across processes, and window references of the protocol.
#include "window_query.h"

#include "protocol.h"

namespace
{

constexpr UINT kSendTimeoutMs = 5000;

} // namespace

HWND ResolveWindow(const std::wstring& ref)
{
    size_t slash = ref.find(L'/');
    HWND hwnd = ParseHandle(ref.substr(0, slash));
    while (slash != std::wstring::npos) {
        size_t next = ref.find(L'/', slash + 1);
        std::wstring idText = ref.substr(slash + 1, next == std::wstring::npos ? next : next - slash - 1);
        int id = static_cast<int>(ParseNumber(idText));
        HWND child = GetDlgItem(hwnd, id);
        if (!child)
            throw CommandError("no control with id " + std::to_string(id));
        hwnd = child;
        slash = next;
    }
    return hwnd;
}

LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: a worker thread that only starts pumping when its message box
    // opens counts as hung for a moment, though the box answers at once.
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
        if (!IsWindow(hwnd))
            throw WindowGone();
        throw CommandError("window did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND hwnd)
{
    // WM_GETTEXT is marshalled between processes, so edit controls give their live text.
    LRESULT length = SendWithTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendWithTimeout(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND hwnd)
{
    wchar_t name[256] = {};
    int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

DWORD WindowProcessId(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::string DescribeWindow(HWND hwnd)
{
    JsonReply item;
    item.AddHandle("hwnd", hwnd)
        .Add("id", static_cast<int64_t>(GetDlgCtrlID(hwnd)))
        .Add("class", ClassName(hwnd))
        .Add("text", WindowText(hwnd))
        .Add("enabled", IsWindowEnabled(hwnd) != FALSE)
        .Add("visible", IsWindowVisible(hwnd) != FALSE)
        .Add("style", static_cast<int64_t>(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE))))
        .Add("pid", static_cast<int64_t>(WindowProcessId(hwnd)))
        .AddHandle("owner", GetWindow(hwnd, GW_OWNER));
    return item.Text();
}
