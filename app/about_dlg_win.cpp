// Both help window classes only show the template and close with "OK".
#include "app/about_dlg_win.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent)
{
}

AboutBox::AboutBox(HWND parent) : CDialog(IDD_ABOUTBOX, parent)
{
}
