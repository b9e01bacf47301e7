// Argument splitting and JSON reply writing for the driver's line protocol.
#include "protocol.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace
{

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; throws when they are not there.
wchar_t HexEscape(const std::wstring& text, size_t pos, int digits)
{
    if (pos + digits > text.size())
        throw CommandError("short escape in quoted argument");
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexValue(text[pos + i]);
        if (d < 0)
            throw CommandError("bad hex digit in quoted argument");
        value = value * 16 + d;
    }
    return static_cast<wchar_t>(value);
}

} // namespace

std::vector<std::wstring> SplitArguments(const std::string& line)
{
    const std::wstring text = FromUtf8(line);
    std::vector<std::wstring> args;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L' ' || text[i] == L'\t') {
            ++i;
            continue;
        }
        std::wstring arg;
        if (text[i] != L'"') {
            while (i < text.size() && text[i] != L' ' && text[i] != L'\t')
                arg += text[i++];
            args.push_back(arg);
            continue;
        }
        ++i;
        for (;;) {
            if (i >= text.size())
                throw CommandError("unterminated quoted argument");
            wchar_t c = text[i++];
            if (c == L'"')
                break;
            if (c != L'\\') {
                arg += c;
                continue;
            }
            if (i >= text.size())
                throw CommandError("unterminated quoted argument");
            wchar_t e = text[i++];
            switch (e) {
            case L'n':
                arg += L'\n';
                break;
            case L'r':
                arg += L'\r';
                break;
            case L't':
                arg += L'\t';
                break;
            case L'x':
                arg += HexEscape(text, i, 2);
                i += 2;
                break;
            case L'u':
                arg += HexEscape(text, i, 4);
                i += 4;
                break;
            default:
                arg += e;
                break;
            }
        }
        args.push_back(arg);
    }
    return args;
}

std::string JsonString(const std::wstring& text)
{
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out + "\"";
}

std::string JsonArray(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
    return out + "]";
}

std::string HandleText(HWND hwnd)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "\"0x%llx\"", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    return buf;
}

void JsonReply::Key(const char* key)
{
    if (!m_body.empty())
        m_body += ',';
    m_body += '"';
    m_body += key;
    m_body += "\":";
}

JsonReply& JsonReply::Add(const char* key, const std::wstring& value)
{
    Key(key);
    m_body += JsonString(value);
    return *this;
}

JsonReply& JsonReply::Add(const char* key, const char* value)
{
    Key(key);
    m_body += JsonString(std::wstring(value, value + std::strlen(value)));
    return *this;
}

JsonReply& JsonReply::Add(const char* key, int64_t value)
{
    Key(key);
    m_body += std::to_string(value);
    return *this;
}

JsonReply& JsonReply::Add(const char* key, bool value)
{
    Key(key);
    m_body += value ? "true" : "false";
    return *this;
}

JsonReply& JsonReply::AddHandle(const char* key, HWND value)
{
    Key(key);
    m_body += value ? HandleText(value) : "null";
    return *this;
}

JsonReply& JsonReply::AddNull(const char* key)
{
    Key(key);
    m_body += "null";
    return *this;
}

JsonReply& JsonReply::AddRaw(const char* key, const std::string& json)
{
    Key(key);
    m_body += json;
    return *this;
}

int64_t ParseNumber(const std::wstring& word)
{
    wchar_t* end = nullptr;
    errno = 0;
    long long value = std::wcstoll(word.c_str(), &end, 0);
    if (word.empty() || *end != L'\0' || errno != 0) {
        std::string narrow(word.begin(), word.end());
        throw CommandError("not a number: " + narrow);
    }
    return value;
}

HWND ParseHandle(const std::wstring& word)
{
    int64_t value = ParseNumber(word);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(value));
    if (!IsWindow(hwnd)) {
        std::string narrow(word.begin(), word.end());
        throw CommandError("no such window: " + narrow);
    }
    return hwnd;
}
