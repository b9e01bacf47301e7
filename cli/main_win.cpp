// q4k.exe on Windows: the window's COM port access and port scan, UTF-8 on the console.
#include <windows.h>

#include <iostream>

#include "cli/q4k.h"
#include "cli/shell_quote.h"
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
    explicit WinPlatform(std::string program) : m_program(std::move(program)) {}

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

    // The bar redraws with escape sequences, which a console must be asked to interpret.
    void PrepareConsole()
    {
        ::SetConsoleOutputCP(CP_UTF8);
        HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
        DWORD mode = 0;
        m_terminal = ::GetConsoleMode(err, &mode) && ::SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }

    std::string CommandFor(const std::vector<std::string>& arguments) override
    {
        return CommandLine(m_program, arguments, ShellSyntax::Windows);
    }

  private:
    bool m_terminal = false;
    std::string m_program;
};

// Ctrl+C ends a transfer through its failure path, so a half-written backup is removed; the
// handler runs on a thread of its own and only asks for the stop.
BOOL WINAPI OnConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    RequestStop();
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    WinPlatform platform(ToUtf8(std::u16string(argv[0], argv[0] + ::wcslen(argv[0]))));
    platform.PrepareConsole();
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        words.push_back(ToUtf8(std::u16string(argv[i], argv[i] + ::wcslen(argv[i]))));
    return RunQ4k(words, platform, std::cout, std::cerr);
}
