// The destination path's naming rules: the own-identifier suffix and the split into folder
// and file name.
#pragma once

#include <string>
#include <string_view>

// Removes "_" + 8 upper-case hex digits standing right before the last four characters, if present.
std::u16string RemoveOwnIdSuffix(std::u16string path);

// The destination after "Eigene Kennung anhängen": any suffix removed, then, when append is set,
// "_" + ownId inserted in front of the last four characters. A path shorter than four characters
// gets no suffix (there is no file name to carry it).
std::u16string ComposeDestinationPath(std::u16string path, bool append, std::u16string_view ownId);

// Whether the path ends in ".q4k", in any case.
bool HasConfigFileEnding(std::u16string_view path);

struct PathParts {
    std::u16string folder;   // up to and including the last backslash; empty without one
    std::u16string fileName; // after the last backslash; the whole path without one
};

PathParts SplitPath(std::u16string_view path);
