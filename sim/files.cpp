// Reading files, replacing files and links in one step.
#include "sim/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace
{

std::string Reason(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

std::string TemporaryName(const std::string& path)
{
    return path + ".tmp" + std::to_string(getpid());
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = Reason("cannot open", path);
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    return content.str();
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error)
{
    const std::string temporary = TemporaryName(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = Reason("cannot create", temporary);
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (std::fclose(file) != 0 || !written) {
        error = Reason("cannot write", temporary);
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = Reason("cannot replace", path);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool ReplaceSymlink(const std::string& target, const std::string& linkPath, std::string& error)
{
    const std::string temporary = TemporaryName(linkPath);
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
        error = Reason("cannot create link", temporary);
        return false;
    }
    if (std::rename(temporary.c_str(), linkPath.c_str()) != 0) {
        error = Reason("cannot replace", linkPath);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
