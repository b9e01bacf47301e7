// Reading facts about windows of other processes (text, class, id, owner),
// with time-outs so that a hung target never hangs the driver.
#pragma once

#include <windows.h>

#include <string>

// Resolves "0xHWND" or "0xHWND/ID/ID..." (children found by control id).
HWND ResolveWindow(const std::wstring& ref);

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
DWORD WindowProcessId(HWND hwnd);

// Sends a message and waits at most a few seconds for the answer.
LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The JSON object describing one window: handle, id, class, text, states.
std::string DescribeWindow(HWND hwnd);
