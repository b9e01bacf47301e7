// The Win32 side of CHexEdit: wires messages to the portable hex edit rules.
#include "controls/hex_edit_win.h"

#include <climits>

#include "controls/clipboard_win.h"
#include "controls/hex_edit_convert.h"
#include "controls/hex_edit_filter.h"
#include "controls/hex_edit_menu.h"
#include "framework/message_box_win.h"
#include "platform/wide_win.h"

static_assert(kHexEditUndo == EM_UNDO && kHexEditCut == WM_CUT && kHexEditCopy == WM_COPY &&
                  kHexEditPaste == WM_PASTE && kHexEditClear == WM_CLEAR,
              "menu ids are the edit-control messages that carry the commands out");
static_assert(kVirtualKeyX == 'X' && kVirtualKeyV == 'V' && kVirtualKeyDelete == VK_DELETE &&
              kVirtualKeyInsert == VK_INSERT);

BOOL CHexEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd)
        return FALSE;
    HexEditKey key;
    // Any code past 32 bits stays past 16, so the filter still refuses it.
    const auto code = static_cast<unsigned>(msg->wParam <= UINT_MAX ? msg->wParam : UINT_MAX);
    if (msg->message == WM_KEYDOWN)
        key = {HexEditKey::KeyDown, code, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0};
    else if (msg->message == WM_CHAR)
        key = {HexEditKey::Char, code, false, false};
    else
        return FALSE;

    const HexEditFilterResult result = FilterHexEditKey(key, ReadField());
    switch (result.action) {
    case HexEditFilterResult::Swallow:
        return TRUE;
    case HexEditFilterResult::Paste:
        SendMessage(WM_PASTE);
        return TRUE;
    case HexEditFilterResult::PassReplaced:
        msg->wParam = result.character;
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CHexEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != EN_UPDATE)
            break;
        OnTextUpdate();
        *result = 0;
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // No brush of its own: the standard edit colours apply.
        return FALSE;
    default:
        break;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

BOOL CHexEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    switch (id) {
    case kHexEditUndo:
    case kHexEditCut:
    case kHexEditCopy:
    case kHexEditPaste:
    case kHexEditClear:
        NormaliseClipboard();
        SendMessage(id);
        return TRUE;
    case ID_HEXEDIT_SELECTALL:
        SetSel(0, -1);
        return TRUE;
    case ID_HEXEDIT_CONVERT:
        SendMessage(WM_HEXEDIT_CONVERT);
        return TRUE;
    default:
        return CEdit::OnCommand(wParam, lParam);
    }
}

LRESULT CHexEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HEXEDIT_CONVERT:
        return OnConvert(wParam, lParam);
    case WM_PASTE:
        // Every paste ends here: the keys, the menu and a WM_PASTE from outside alike.
        if (!ClipboardAllowsPaste(LookAtClipboard(), ReadField()))
            return 0;
        return CEdit::WindowProc(message, wParam, lParam);
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam),
                      {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    default:
        // WM_CHAR included: the filter has already done its work before translation.
        return CEdit::WindowProc(message, wParam, lParam);
    }
}

void CHexEdit::OnContextMenu(HWND, POINT point)
{
    ::SetFocus(m_hWnd);
    const HexEditMenuContext context{CanUndo() != FALSE, IsReadOnly() != FALSE};
    const auto items = BuildHexEditMenu(ReadField(), context, [this] { return LookAtClipboard(); });

    HMENU menu = ::CreatePopupMenu();
    for (const HexEditMenuItem& item : items) {
        if (item.id == 0) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring text(item.text.begin(), item.text.end());
        ::AppendMenuW(menu, MF_STRING | (item.greyed ? MF_GRAYED : MF_ENABLED), item.id, text.c_str());
    }
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CHexEdit::OnTextUpdate()
{
    m_isHex = TextCountsAsHex(FromWide(GetWindowText()));
}

LRESULT CHexEdit::OnConvert(WPARAM, LPARAM)
{
    // Setting the text raises EN_UPDATE, so m_isHex follows the new form.
    SetWindowText(ToWide(ConvertHexEditText(FromWide(GetWindowText()), m_isHex)));
    return 0;
}

HexEditField CHexEdit::ReadField() const
{
    HexEditField field;
    field.text = FromWide(GetWindowText());
    GetSel(field.start, field.end);
    return field;
}

ClipboardView CHexEdit::LookAtClipboard() const
{
    ClipboardView view;
    view.hasText = ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    if (!view.hasText)
        return view;
    if (!::OpenClipboard(m_hWnd)) {
        AfxMessageBox(u"Cannot open clipboard!", MB_OK);
        return view;
    }
    view.opened = true;
    view.text = ReadOpenClipboardText();
    ::CloseClipboard();
    return view;
}

void CHexEdit::NormaliseClipboard() const
{
    if (!::OpenClipboard(m_hWnd))
        return;
    if (::IsClipboardFormatAvailable(CF_UNICODETEXT))
        ReplaceOpenClipboardText(NormaliseClipboardText(ReadOpenClipboardText()));
    ::CloseClipboard();
}
