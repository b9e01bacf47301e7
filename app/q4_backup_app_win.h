// The application object of Q4_Backup.
#pragma once

#include "framework/app_win.h"

class CQ4_BackupApp : public CWinApp
{
  public:
    BOOL InitInstance() override;
};
