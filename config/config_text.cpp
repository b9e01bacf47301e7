// Building the editor's configuration text from a file and finding a record in it by its tag.
#include "config/config_text.h"

#include "transfer/config_record.h"

std::string ConfigTextFromFile(std::string_view fileBytes)
{
    return std::string(fileBytes.substr(0, fileBytes.size() - fileBytes.size() % CONFIG_RECORD_LEN));
}

std::optional<std::size_t> FindRecord(std::string_view text, std::string_view tag)
{
    const std::size_t pos = text.find(tag);
    if (pos == std::string_view::npos)
        return std::nullopt;
    return pos;
}
