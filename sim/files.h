// File-system steps of the simulator program. Files that other processes watch are replaced
// in one rename, so a reader never sees half of one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole file; nothing, with error set, when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

// Writes a temporary file next to path and renames it over path.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// Makes linkPath a symbolic link to target, replacing whatever file or link was there.
bool ReplaceSymlink(const std::string& target, const std::string& linkPath, std::string& error);
