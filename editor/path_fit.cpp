// Shortening a path for a display field: dropping directory names near the front, then marking the gap.
#include "editor/path_fit.h"

#include <algorithm>
#include <optional>

namespace
{

constexpr std::u16string_view kEllipsis = u"...";
constexpr std::size_t kAfterDrive = 3; // the first character after a leading 'X:\'

// L, the last backslash, and S, the last backslash before it.
struct Backslashes {
    std::optional<std::size_t> last;
    std::optional<std::size_t> beforeLast;
};

Backslashes FindBackslashes(std::u16string_view path)
{
    Backslashes found;
    const std::size_t last = path.rfind(u'\\');
    if (last == std::u16string_view::npos)
        return found;
    found.last = last;
    if (last > 0) {
        const std::size_t before = path.rfind(u'\\', last - 1);
        if (before != std::u16string_view::npos)
            found.beforeLast = before;
    }
    return found;
}

// Whether the character `back` positions before `pos` exists and is a colon.
bool ColonBefore(std::u16string_view path, std::size_t pos, std::size_t back)
{
    return pos >= back && path[pos - back] == u':';
}

} // namespace

bool ReducePath(std::u16string& path)
{
    const Backslashes b = FindBackslashes(path);
    if (!b.last)
        return false;
    if (!b.beforeLast) {
        if (path.size() <= kAfterDrive)
            return false;
        path.erase(kAfterDrive, 1);
        return true;
    }
    const std::size_t s = *b.beforeLast;
    if (ColonBefore(path, s, 1)) {
        path.erase(s + 1, 1);
        return true;
    }
    // The remaining cases read the character at S-2; none stands before the start of the path.
    if (s < 2)
        return false;
    if (path[s - 2] == u':') {
        path.erase(s + 1, 1);
        path.erase(s - 1, 1);
        return true;
    }
    // Drop the directory name that ends at S, keeping the backslash in front of it.
    const std::size_t front = path.rfind(u'\\', s - 2);
    if (front == std::u16string::npos)
        return false;
    path.erase(front + 1, s - front - 1);
    return true;
}

std::u16string InsertEllipsis(std::u16string path)
{
    const Backslashes b = FindBackslashes(path);
    std::size_t at = kAfterDrive;
    if (b.beforeLast && !ColonBefore(path, *b.beforeLast, 1))
        at = *b.beforeLast;
    path.insert(std::min(at, path.size()), kEllipsis);
    return path;
}

std::u16string FitPath(std::u16string path, int fieldWidth, const TextWidth& width)
{
    const int ellipsisWidth = width(kEllipsis);
    int pathWidth = width(path);
    if (pathWidth <= fieldWidth || pathWidth + ellipsisWidth <= fieldWidth)
        return path;
    bool shortened = false;
    while (pathWidth + ellipsisWidth > fieldWidth && ReducePath(path)) {
        shortened = true;
        pathWidth = width(path);
    }
    return shortened ? InsertEllipsis(std::move(path)) : path;
}
