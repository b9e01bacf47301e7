// Hexadecimal text as the device writes it: upper-case digits, two per byte, high digit first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The value of an upper-case hexadecimal digit; nothing for any other character (lower case included,
// because the device only ever sees and sends upper case).
std::optional<int> HexDigit(char c);

// A byte as two upper-case digits.
std::string HexPair(std::uint8_t value);

// The byte two upper-case digits stand for; nothing when either is no such digit.
std::optional<std::uint8_t> ParseHexPair(char high, char low);

// Each byte as two upper-case digits.
std::string HexText(const std::uint8_t* data, std::size_t n);
