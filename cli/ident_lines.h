// The three lines of a device's identification, taken from the text the identification shows.
#pragma once

#include <optional>
#include <string>

// An identified device's three lines without their labels: software, version, option.
struct IdentLines {
    std::u16string software, version, option;
};

// The display text's lines after their labels ("Software: ", "Version:\t    ", ...); nothing when
// the reply is no identification (not three lines, or characters that are line noise).
std::optional<IdentLines> SplitShown(const std::u16string& shown);
