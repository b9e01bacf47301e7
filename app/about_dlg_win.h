// The help window (template 100), opened from the system menu and by "Hilfe...".
#pragma once

#include "framework/dialog_win.h"

class CAboutDlg : public CDialog
{
  public:
    explicit CAboutDlg(HWND parent = nullptr);
};

class AboutBox : public CDialog
{
  public:
    explicit AboutBox(HWND parent = nullptr);
};
