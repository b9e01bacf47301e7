// Port list building and selection rules.
#include "link/port_list.h"

#include <string>

#include "link/wire_text.h"

std::u16string ComDevicePath(int portNumber)
{
    return u"\\\\.\\COM" + WidenBytes(std::to_string(portNumber));
}

PortList BuildPortList(const PortTable& table, PortChoice& choice)
{
    PortList list;
    for (const std::u16string& path : table) {
        if (path.empty())
            continue;
        const int k = static_cast<int>(list.items.size());
        list.listedPorts.push_back(path);
        list.items.push_back(path.size() > 4 ? path.substr(4) : std::u16string());
        if (!choice.firstPortTaken) {
            choice.portPath = path;
            list.selection = k;
            choice.firstPortTaken = true;
        }
    }
    return list;
}

int SelectSavedPort(const std::vector<std::u16string>& listedPorts, const std::u16string& saved)
{
    int selection = listedPorts.empty() ? -1 : 0;
    for (std::size_t i = 0; i < listedPorts.size(); ++i)
        if (listedPorts[i] == saved)
            selection = static_cast<int>(i);
    return selection;
}

std::optional<std::u16string> PortAfterCloseup(const std::vector<std::u16string>& listedPorts, int selection)
{
    if (listedPorts.empty())
        return std::nullopt;
    if (selection < 0 || selection >= static_cast<int>(listedPorts.size()))
        selection = 0;
    return listedPorts[static_cast<std::size_t>(selection)];
}
