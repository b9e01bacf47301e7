// The editor's placement beside the main window, its run-time controls laid out in the main
// window's dialog units, and paths shortened to fit its display fields.
#include "app/main_dlg_shared_win.h"
#include "editor/editor_placement.h"
#include "editor/erweitert_win.h"
#include "editor/path_fit.h"
#include "framework/window_placement_win.h"
#include "platform/wide_win.h"
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

} // namespace

void Erweitert::PlaceEditorWindow()
{
    HWND mainWnd = m_pMainDlg->m_hWnd;
    EditorPlacementInput in;
    in.painted = ToScreenRect(g_rcMainWnd);
    in.main = WindowRectOf(mainWnd);
    in.editor = WindowRectOf(m_hWnd);
    in.screenWidth = g_cxScreen;
    in.screenHeight = g_cyScreen;
    in.frame = ::GetSystemMetrics(SM_CXFRAME);
    in.workArea = WorkAreaOf(mainWnd);
    const EditorPlacement placed = PlaceEditor(in);
    if (placed.main)
        MoveWindowTo(mainWnd, *placed.main, HWND_TOP, 0);
    // Without a place of its own, the framework centres the editor over the main window.
    if (placed.editor)
        MoveWindowTo(m_hWnd, *placed.editor, HWND_TOP, 0);
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

void Erweitert::FitPathToControl(HWND field, HWND measure, std::wstring& path) const
{
    RECT r;
    ::GetWindowRect(field, &r);
    HDC dc = ::GetDC(measure);
    if (!dc)
        return;
    // Without a font of its own the field shows the system font, which the context already has.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(field, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    const auto width = [dc](std::u16string_view text) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                                &size);
        return static_cast<int>(size.cx);
    };
    path = ToWide(FitPath(FromWide(path), r.right - r.left, width));
    if (previous)
        ::SelectObject(dc, previous);
    ::ReleaseDC(measure, dc);
}
