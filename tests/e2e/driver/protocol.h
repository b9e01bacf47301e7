// The driver's line protocol: splitting a command line into arguments and
// writing one JSON reply line, so that the Python side parses replies with json.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A command that cannot be carried out; its message becomes the error reply.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The window was destroyed while the driver was reading it.
struct WindowGone : CommandError {
    WindowGone() : CommandError("window has been destroyed") {}
};

// Splits a UTF-8 line into arguments. Double-quoted arguments may hold spaces
// and the escapes \\ \" \n \r \t \xHH \uXXXX; bare words end at a space.
std::vector<std::wstring> SplitArguments(const std::string& line);

// Builds a JSON object member by member; strings are written as pure ASCII.
class JsonReply
{
  public:
    JsonReply& Add(const char* key, const std::wstring& value);
    JsonReply& Add(const char* key, const char* value);
    JsonReply& Add(const char* key, int64_t value);
    JsonReply& Add(const char* key, bool value);
    JsonReply& AddHandle(const char* key, HWND value);
    JsonReply& AddNull(const char* key);
    // Adds a member whose value is already JSON text (an object or array).
    JsonReply& AddRaw(const char* key, const std::string& json);
    std::string Text() const { return "{" + m_body + "}"; }

  private:
    void Key(const char* key);
    std::string m_body;
};

std::string JsonString(const std::wstring& text);
std::string JsonArray(const std::vector<std::string>& items);
std::string HandleText(HWND hwnd);

// Parsers for argument words, throwing CommandError with the word in the message.
int64_t ParseNumber(const std::wstring& word);
HWND ParseHandle(const std::wstring& word);
