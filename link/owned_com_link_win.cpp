// Opening a COM port by name, and the kind of failure when it does not open.
#include "link/owned_com_link_win.h"

#include "link/port_list.h"
#include "platform/wide_win.h"

namespace
{

std::string Utf8Of(const wchar_t* text, int length)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// Empty for bytes that are no UTF-8: such a name opens nothing.
std::wstring WideOf(const std::string& utf8)
{
    const int length = static_cast<int>(utf8.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), size);
    return wide;
}

std::string SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' '))
        --length;
    const std::string message = Utf8Of(text, static_cast<int>(length));
    ::LocalFree(text);
    return message.empty() ? "Fehler " + std::to_string(code) : message;
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

std::wstring DevicePathOf(const std::string& name)
{
    if (name.size() > 3 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "com") == 0) &&
        name.find_first_not_of("0123456789", 3) == std::string::npos && name.size() <= 6) {
        const int number = std::stoi(name.substr(3));
        if (number >= 1 && number <= 256)
            return ToWide(ComDevicePath(number));
    }
    return WideOf(name);
}

} // namespace

std::unique_ptr<OwnedComLink> OwnedComLink::Open(const std::string& name, PortFailure& failure)
{
    HANDLE port = OpenComDevice(DevicePathOf(name));
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        failure = {FailureKind(code), SystemMessage(code)};
        return nullptr;
    }
    if (ConfigureComPort(port) == LineSetup::Ok)
        return std::unique_ptr<OwnedComLink>(new OwnedComLink(port));
    // A file or a device that takes no line settings is no serial port.
    failure = {PortFailure::Kind::NotSerial, SystemMessage(::GetLastError())};
    ::CloseHandle(port);
    return nullptr;
}

OwnedComLink::~OwnedComLink()
{
    ::CloseHandle(m_handle);
}
