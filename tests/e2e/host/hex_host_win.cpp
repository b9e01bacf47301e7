// q4host.exe: a small window holding one hex edit field (control 109) for the
// end-to-end tests, with a message loop and reflection like the framework's dialogs.
#include <windows.h>

#include <commctrl.h>

#include <string_view>
#include <vector>

#include "controls/hex_edit_win.h"
#include "framework/app_win.h"

namespace
{

const int kFieldId = 109;
const wchar_t kCaption[] = L"Q4 Hex Host";

// The host window as a framework window, so that message boxes have their owner.
class HostWindow : public CWnd
{
  public:
    void Bind(HWND hwnd) { Attach(hwnd); }
};

CWinApp theApp;
HostWindow g_host;
CHexEdit g_field;

// Hands a notification back to the control that sent it, as the framework's dialogs do.
bool Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    CWnd* child = CWnd::FromHandle(control);
    return child && child->OnChildNotify(message, wParam, lParam, &result);
}

INT_PTR CALLBACK HostProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_INITDIALOG: {
        g_host.Bind(dlg);
        const RECT rect{12, 12, 132, 36};
        g_field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, rect, dlg, kFieldId);
        g_field.SendMessage(WM_SETFONT, ::SendMessageW(dlg, WM_GETFONT, 0, 0));
        g_field.SetLimitText(8);
        ::SetFocus(g_field.m_hWnd);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (!Reflect(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result) && LOWORD(wParam) == IDCANCEL)
            ::DestroyWindow(dlg);
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return Reflect(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result) ? result : FALSE;
    case WM_CLOSE:
        ::DestroyWindow(dlg);
        return TRUE;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

// An in-memory dialog template without controls: the field is created at run time.
std::vector<WORD> HostTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT;
    header->x = 10;
    header->y = 10;
    header->cx = 100;
    header->cy = 30;
    auto append = [&words](std::wstring_view text) {
        words.insert(words.end(), text.begin(), text.end());
        words.push_back(0);
    };
    words.push_back(0); // no menu
    words.push_back(0); // the standard dialog class
    append(kCaption);
    words.push_back(8); // point size of the font
    append(L"MS Shell Dlg");
    return words;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    // Message boxes take the application's name and main window from here.
    theApp.m_hInstance = instance;
    theApp.m_pszAppName = L"Q4_Backup";
    theApp.m_pMainWnd = &g_host;

    const std::vector<WORD> dialogTemplate = HostTemplate();
    HWND dlg = ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                            nullptr, &HostProc, 0);
    if (!dlg)
        return 1;

    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (CWnd* w = CWnd::FromHandle(msg.hwnd); w && w->PreTranslateMessage(&msg))
            continue;
        if (!::IsDialogMessageW(dlg, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    theApp.m_pMainWnd = nullptr;
    return 0;
}
