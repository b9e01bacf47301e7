// q4k.exe on Windows: the window's COM port access and port scan, UTF-8 on the console.
#include <windows.h>

#include <iostream>

#include "cli/q4k.h"
#include "cli/utf8.h"
#include "framework/wide_win.h"
#include "link/com_port_win.h"
#include "link/port_list.h"

namespace
{

// The byte link that owns its port handle and closes it when done.
class OwnedComLink : public ComLink
{
  public:
    explicit OwnedComLink(HANDLE port) : ComLink(port), m_handle(port) {}
    ~OwnedComLink() override { ::CloseHandle(m_handle); }

  private:
    HANDLE m_handle;
};

std::string SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message(text, text + length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' || message.back() == u' '))
        message.pop_back();
    return message.empty() ? "Fehler " + std::to_string(code) : ToUtf8(message);
}

PortFailure::Kind FailureKind(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return PortFailure::Kind::Missing;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return PortFailure::Kind::Busy;
    default:
        return PortFailure::Kind::Other;
    }
}

// "COM7" and "com7" name \\.\COM7; any other text is taken as a device path as it stands.
std::u16string DevicePathOf(const std::string& name)
{
    if (name.size() > 3 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "com") == 0) &&
        name.find_first_not_of("0123456789", 3) == std::string::npos && name.size() <= 6) {
        const int number = std::stoi(name.substr(3));
        if (number >= 1 && number <= 256)
            return ComDevicePath(number);
    }
    return FromUtf8(name).value_or(u"");
}

class WinPlatform : public Platform
{
  public:
    std::unique_ptr<ByteLink> OpenPort(const std::string& name, PortFailure& failure) override
    {
        const std::u16string path = DevicePathOf(name);
        HANDLE port = OpenComDevice(ToWide(path));
        if (port == INVALID_HANDLE_VALUE) {
            const DWORD code = ::GetLastError();
            failure = {FailureKind(code), SystemMessage(code)};
            return nullptr;
        }
        if (ConfigureComPort(port) == LineSetup::Ok)
            return std::make_unique<OwnedComLink>(port);
        // A file or a device that takes no line settings is no serial port.
        failure = {PortFailure::Kind::NotSerial, SystemMessage(::GetLastError())};
        ::CloseHandle(port);
        return nullptr;
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

  private:
    bool m_terminal = false;
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

// Ctrl+C ends a transfer through its failure path, so a half-written backup is removed; the
// handler runs on a thread of its own and only asks for the stop. A closing console window or a
// logoff ends the process without a return from wmain, so the console gets its state back here.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        RestoreConsole();
        return FALSE;
    }
    RequestStop();
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    WinPlatform platform;
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
