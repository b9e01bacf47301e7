// q4k.exe on Windows: the COM ports opened by name and scanned as the window does, UTF-8 on the console.
#include <windows.h>

#include <iostream>

#include "cli/q4k.h"
#include "cli/shell_quote.h"
#include "cli/utf8.h"
#include "link/com_port_win.h"
#include "link/owned_com_link_win.h"
#include "link/port_list.h"

namespace
{

class WinPlatform : public Platform
{
  public:
    explicit WinPlatform(std::string program) : m_program(std::move(program)) {}

    std::unique_ptr<ByteLink> OpenPort(const std::string& name, PortFailure& failure) override
    {
        return OwnedComLink::Open(name, failure);
    }

    std::vector<std::string> ListPorts() override
    {
        PortTable table;
        ScanComPorts(table);
        PortChoice choice;
        std::vector<std::string> ports;
        for (const std::u16string& item : BuildPortList(table, choice).items)
            ports.push_back(ToUtf8(item));
        return ports;
    }

    bool ErrorIsTerminal() override { return m_terminal; }
    int ErrorColumns() override
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info))
            return info.srWindow.Right - info.srWindow.Left + 1;
        return Platform::ErrorColumns();
    }

    void SetTerminal(bool terminal) { m_terminal = terminal; }

    std::string CommandFor(const std::vector<std::string>& arguments) override
    {
        return CommandLine(m_program, arguments, ShellSyntax::Windows);
    }

  private:
    bool m_terminal = false;
    std::string m_program;
};

// The console as the caller had it: q4k writes UTF-8 and has the bar's escape sequences
// interpreted while it runs, and gives the code page and the mode back when it ends, so that the
// batch file or the cmd window that called it reads its own umlauts as before.
struct CallerConsole {
    UINT codePage = 0;
    HANDLE err = INVALID_HANDLE_VALUE;
    DWORD mode = 0;
    bool modeChanged = false;
};
CallerConsole g_caller;

// True when stderr is a console that now interprets escape sequences.
bool PrepareConsole()
{
    g_caller.codePage = ::GetConsoleOutputCP();
    ::SetConsoleOutputCP(CP_UTF8);
    g_caller.err = ::GetStdHandle(STD_ERROR_HANDLE);
    g_caller.modeChanged = ::GetConsoleMode(g_caller.err, &g_caller.mode) &&
                           ::SetConsoleMode(g_caller.err, g_caller.mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    return g_caller.modeChanged;
}

void RestoreConsole()
{
    if (g_caller.codePage != 0)
        ::SetConsoleOutputCP(g_caller.codePage);
    if (g_caller.modeChanged)
        ::SetConsoleMode(g_caller.err, g_caller.mode);
}

// The handler's way to the platform's stop.
StopSource* g_stop = nullptr;

// Ctrl+C ends a transfer through its failure path, so a half-written backup is removed; the
// handler runs on a thread of its own and only asks for the stop. A closing console window or a
// logoff ends the process without a return from wmain, so the console gets its state back here.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        RestoreConsole();
        return FALSE;
    }
    g_stop->Request(StopSource::Kind::Now, kExitInterrupted);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    WinPlatform platform(ToUtf8(std::u16string(argv[0], argv[0] + ::wcslen(argv[0]))));
    g_stop = &platform.Stop();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    platform.SetTerminal(PrepareConsole());
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.push_back(ToUtf8(std::u16string(argv[i], argv[i] + ::wcslen(argv[i]))));
    // Ctrl+C ends a command through its failure path, so it returns here too.
    const int code = RunQ4k(words, platform, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    RestoreConsole();
    return code;
}
