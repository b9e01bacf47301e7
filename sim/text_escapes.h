// Texts given on the command line with C escapes: \r, \n, \\ and \xHH (two hex digits).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes a text with escapes stands for; nothing, with error set, for an unknown or cut escape.
std::optional<std::string> Unescape(std::string_view text, std::string& error);

// Bytes outside 0x20..0x7E as "<XX>" (upper-case hex), everything else as it is: one log line.
std::string Printable(std::string_view bytes);
