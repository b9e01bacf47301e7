// Data exchange for bound controls.
#include "framework/data_exchange_win.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd() == nullptr)
        static_cast<CBoundWnd&>(control).Bind(::GetDlgItem(dx->m_hDialog, id));
}
