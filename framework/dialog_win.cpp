// Modal dialogs with a message loop of their own, command routing and reflection
// of control notifications back to the controls.
#include "framework/dialog_win.h"

#include "framework/message_box_win.h"
#include "framework/window_placement_win.h"

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_hParent(parent)
{
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_hParent;
    HWND created = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!created)
        return -1;
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);

    m_running = true;
    // The first show raises WM_SHOWWINDOW with status 0, as a dialog's first display does.
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    MSG msg{};
    bool quit = false;
    while (m_running) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = (got == 0);
            break;
        }
        if (PreTranslate(msg))
            continue;
        if (!::IsDialogMessageW(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // Detached first: the focus leaving a control while the owner takes over must reach no handler.
    HWND window = m_hWnd;
    Detach();
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    ::DestroyWindow(window);
    if (quit)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    return m_result;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_running = false;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the loop so that it sees the end
}

bool CDialog::PreTranslate(MSG& msg)
{
    // Offer the message to every framework window from its target up to this dialog.
    try {
        for (HWND h = msg.hwnd; h; h = ::GetParent(h)) {
            CWnd* wnd = CWnd::FromHandle(h);
            if (wnd && wnd->PreTranslateMessage(&msg))
                return true;
            if (h == m_hWnd)
                break;
        }
    } catch (const std::exception& error) {
        ReportException(error);
        return true;
    }
    return false;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    // An exchange started by a focus change while another one reports its failure would report again.
    if (m_inExchange)
        return FALSE;
    m_inExchange = true;
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(&dx);
    m_inExchange = false;
    return !dx.Failed();
}

void CDialog::CenterWindow()
{
    // Over the owner, or on the work area without one; never beyond the work area.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const ScreenRect work = WorkAreaOf(owner ? owner : m_hWnd);
    const ScreenRect over = owner ? WindowRectOf(owner) : work;
    MoveWindowTo(m_hWnd, ClampedInto(CentredOver(WindowRectOf(m_hWnd), over), work), nullptr,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnCommand(UINT, UINT, HWND)
{
    return FALSE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_INITDIALOG: {
        handled = true;
        RECT before;
        ::GetWindowRect(m_hWnd, &before);
        const BOOL result = OnInitDialog();
        RECT after;
        ::GetWindowRect(m_hWnd, &after);
        // A dialog that did not place itself opens centred over its owner, or on the work area.
        if (before.left == after.left && before.top == after.top)
            CenterWindow();
        return result;
    }
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        LRESULT reflected = 0;
        CWnd* child = CWnd::FromHandle(control);
        if (child && child->OnChildNotify(message, wParam, lParam, &reflected)) {
            handled = true;
            return 0;
        }
        handled = true;
        if (OnCommand(id, code, control))
            return 0;
        if (code == BN_CLICKED || control == nullptr) {
            if (id == IDOK)
                OnOK();
            else if (id == IDCANCEL)
                OnCancel();
        }
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        CWnd* child = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
        if (child && child->OnChildNotify(message, wParam, lParam, &brush)) {
            handled = true;
            return brush;
        }
        break;
    }
    default:
        break;
    }
    return OnMessage(message, wParam, lParam, handled);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->Attach(hwnd);
    }
    auto* self = static_cast<CDialog*>(CWnd::FromHandle(hwnd));
    if (!self)
        return FALSE;
    bool handled = false;
    INT_PTR result = 0;
    // Exceptions stop here: the window system between this and the message loop cannot pass them on.
    try {
        result = self->Dispatch(message, wParam, lParam, handled);
    } catch (const std::exception& error) {
        ReportException(error);
        return FALSE;
    }
    if (!handled)
        return FALSE;
    // Messages with a real answer return it directly; the rest report "handled".
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
        return result;
    default:
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
