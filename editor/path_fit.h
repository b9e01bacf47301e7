// Shortening a path with "..." so that it fits a display field, measured by an injected function.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Width of a text in pixels, in the font of the display field.
using TextWidth = std::function<int(std::u16string_view)>;

// One reduction step (a directory name or a character dropped near the front); false when the
// step cannot be made or changes nothing, in which case the path is left as it was.
bool ReducePath(std::u16string& path);

// Inserts "..." where the reductions took text away.
std::u16string InsertEllipsis(std::u16string path);

// The path as shown in a field `fieldWidth` pixels wide: unchanged when it fits, otherwise
// reduced until it fits with "..." (or until no step changes anything) and marked with "...".
std::u16string FitPath(std::u16string path, int fieldWidth, const TextWidth& width);
