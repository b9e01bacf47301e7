// Resource identifiers shared by the resource script and the program.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_Q4_BACKUP_DIALOG 102
#define IDR_MAINFRAME 129

#define IDM_ABOUTBOX 0x0010

#define IDC_PORT 1000
#define IDC_PROGRESS 1001
#define IDC_STATUS 1002
#define IDC_DEVICE_INFO 1003
#define IDC_FILE_TO_DEVICE 1004
#define IDC_DEVICE_TO_FILE 1005
#define IDC_HELP_BUTTON 1006
#define IDC_ADVANCED 1007
