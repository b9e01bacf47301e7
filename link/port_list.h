// Building the port list from a scan, choosing the current port and matching the saved one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The device path of port n (1..256): \\.\COMn.
std::u16string ComDevicePath(int portNumber);

using PortTable = std::array<std::u16string, 256>;

struct PortList {
    std::vector<std::u16string> listedPorts; // device paths, parallel to the items
    std::vector<std::u16string> items;       // what the list shows, e.g. COM3
    int selection = -1;                      // -1: no selection
};

// State of the main window that the list building reads and changes.
struct PortChoice {
    bool firstPortTaken = false;
    std::u16string portPath; // the current port's device path
};

// Lists the free ports in table order; the first one listed ever becomes current and selected.
PortList BuildPortList(const PortTable& table, PortChoice& choice);

// Selects item 0, then the last item whose device path equals the saved one exactly.
int SelectSavedPort(const std::vector<std::u16string>& listedPorts, const std::u16string& saved);

// What closing the list makes current: the selected item's path (item 0 without a
// selection), or nothing when the list is empty.
std::optional<std::u16string> PortAfterCloseup(const std::vector<std::u16string>& listedPorts, int selection);
