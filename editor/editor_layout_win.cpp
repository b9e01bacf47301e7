// The editor's placement beside the main window and its run-time controls, laid out in the
// main window's dialog units.
#include "app/main_dlg_win.h"
#include "editor/erweitert_win.h"
#include "resources/resource.h"

namespace
{
inline constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
inline constexpr DWORD kFieldExStyle = WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY;
inline constexpr int kRowPitch = 20;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// A main-window unit to a pixel: multiplied first, then divided, truncating.
int ToDialogPixelsX(int x)
{
    return Width(g_rcMainWnd) * x / g_cxMainDlg;
}

int ToDialogPixelsY(int y)
{
    return Height(g_rcMainWnd) * y / g_cyMainDlg;
}

void MoveTo(HWND window, int x, int y)
{
    ::SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}
} // namespace

void Erweitert::PlaceEditorWindow()
{
    const int frame = ::GetSystemMetrics(SM_CXFRAME);
    const RECT painted = g_rcMainWnd;
    RECT main;
    RECT self;
    ::GetWindowRect(m_pMainDlg->m_hWnd, &main);
    ::GetWindowRect(m_hWnd, &self);
    const int w = Width(self);
    const int h = Height(self);

    if (main.left == painted.left && main.top == painted.top) {
        // Not moved since its last paint: the pair is centred on the screen, the editor on the right.
        const int x0 = (g_cxScreen - Width(painted) - w) / 2 - frame;
        const int y = (g_cyScreen - Height(painted)) / 2;
        MoveTo(m_pMainDlg->m_hWnd, x0, y);
        MoveTo(m_hWnd, x0 + Width(painted) + frame, y);
    } else if (g_cxScreen - main.right - frame >= w + 2 * frame) {
        const int y = main.top + h + 2 * frame > g_cyScreen ? g_cyScreen - h - frame : main.top;
        MoveTo(m_hWnd, main.right + frame, y);
    } else if (g_cyScreen - main.bottom - frame >= h + 2 * frame) {
        const int x = main.left + w + 2 * frame > g_cxScreen ? g_cxScreen - w - frame : main.left;
        MoveTo(m_hWnd, x, main.bottom + frame);
    }
    // Otherwise the framework centres the editor over the main window.
}

RECT Erweitert::ToDialogPixels(int left, int top, int right, int bottom) const
{
    return {ToDialogPixelsX(left), ToDialogPixelsY(top), ToDialogPixelsX(right), ToDialogPixelsY(bottom)};
}

void Erweitert::ApplyMainFont(HWND control) const
{
    ::SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(m_pMainDlg->SendMessage(WM_GETFONT)), TRUE);
}

void Erweitert::CreateIdentifierFields()
{
    m_pOwnIdEdit = std::make_unique<CHexEdit>();
    m_pOwnIdEdit->Create(kFieldStyle, kFieldExStyle, ToDialogPixels(100, 50, 145, 62), m_hWnd, IDC_EDITOR_OWN_ID);
    ApplyMainFont(m_pOwnIdEdit->m_hWnd);
    // Created row by row, so the tab order runs identifier, name, next identifier.
    for (int k = 0; k < kQuickIdCount; ++k) {
        const int top = 111 + kRowPitch * k;
        m_pQuickIdEdit[k] = std::make_unique<CHexEdit>();
        m_pQuickIdEdit[k]->Create(kFieldStyle, kFieldExStyle, ToDialogPixels(42, top, 87, top + 12), m_hWnd,
                                  IDC_EDITOR_QUICK_ID + k);
        ApplyMainFont(m_pQuickIdEdit[k]->m_hWnd);
        m_pAliasEdit[k] = std::make_unique<CEdit>();
        m_pAliasEdit[k]->Create(kFieldStyle, kFieldExStyle, ToDialogPixels(92, top, 142, top + 12), m_hWnd,
                                IDC_EDITOR_ALIAS + k);
        ApplyMainFont(m_pAliasEdit[k]->m_hWnd);
    }
}

HWND Erweitert::CreateStatic(UINT id, const wchar_t* text, int left, int top, int right, int bottom)
{
    const RECT r = ToDialogPixels(left, top, right, bottom);
    HWND label = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, r.left, r.top, Width(r),
                                   Height(r), m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    ApplyMainFont(label);
    return label;
}

void Erweitert::CreateLabels()
{
    CreateStatic(IDC_EDITOR_HEADING_ID, L"SW-Kennung", 42, 93, 87, 105);
    CreateStatic(IDC_EDITOR_HEADING_ALIAS, L"Aliasname", 92, 93, 142, 105);
    for (int k = 0; k < kQuickIdCount; ++k) {
        const int top = 113 + kRowPitch * k;
        CreateStatic(IDC_EDITOR_ROW_LABEL + k, std::to_wstring(k).c_str(), 27, top, 37, top + 12);
    }
}
