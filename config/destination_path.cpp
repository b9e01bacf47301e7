// The own-identifier suffix of the destination path and the path's split into folder and file name.
#include "config/destination_path.h"

#include "transfer/hex_codec.h"

namespace
{

constexpr std::size_t kExtensionLen = 4; // ".q4k"
constexpr std::size_t kSuffixLen = 9;    // '_' + 8 hex digits
constexpr std::size_t kSuffixedTailLen = kSuffixLen + kExtensionLen;

bool HasOwnIdSuffix(std::u16string_view path)
{
    if (path.size() < kSuffixedTailLen)
        return false;
    const std::size_t suffix = path.size() - kSuffixedTailLen;
    if (path[suffix] != u'_')
        return false;
    for (std::size_t i = suffix + 1; i < suffix + kSuffixLen; ++i)
        if (!IsUpperHexDigit(path[i]))
            return false;
    return true;
}

} // namespace

std::u16string RemoveOwnIdSuffix(std::u16string path)
{
    if (HasOwnIdSuffix(path))
        path.erase(path.size() - kSuffixedTailLen, kSuffixLen);
    return path;
}

std::u16string ComposeDestinationPath(std::u16string path, bool append, std::u16string_view ownId)
{
    path = RemoveOwnIdSuffix(std::move(path));
    if (append && path.size() >= kExtensionLen)
        path.insert(path.size() - kExtensionLen, u"_" + std::u16string(ownId));
    return path;
}

bool HasConfigFileEnding(std::u16string_view path)
{
    if (path.size() < kExtensionLen)
        return false;
    std::u16string ending(path.substr(path.size() - kExtensionLen));
    for (char16_t& ch : ending)
        if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch - u'A' + u'a');
    return ending == u".q4k";
}

PathParts SplitPath(std::u16string_view path)
{
    const std::size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos)
        return {{}, std::u16string(path)};
    return {std::u16string(path.substr(0, slash + 1)), std::u16string(path.substr(slash + 1))};
}
