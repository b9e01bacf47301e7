// Commands that read and work common controls: progress bar and combo box.
#include "commands.h"
#include "window_query.h"

#include <commctrl.h>

#include <array>

namespace
{

void Progress(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    // PBM_GETRANGE answers one limit when given no structure, which needs no marshalling.
    reply.Add("pos", static_cast<int64_t>(SendWithTimeout(hwnd, PBM_GETPOS, 0, 0)))
        .Add("min", static_cast<int64_t>(SendWithTimeout(hwnd, PBM_GETRANGE, TRUE, 0)))
        .Add("max", static_cast<int64_t>(SendWithTimeout(hwnd, PBM_GETRANGE, FALSE, 0)));
}

std::wstring ComboItem(HWND hwnd, LRESULT index)
{
    LRESULT length = SendWithTimeout(hwnd, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendWithTimeout(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

void Combo(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    LRESULT count = SendWithTimeout(hwnd, CB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i)
        items.push_back(JsonString(ComboItem(hwnd, i)));
    reply.Add("count", static_cast<int64_t>(count))
        .Add("selection", static_cast<int64_t>(SendWithTimeout(hwnd, CB_GETCURSEL, 0, 0)))
        .Add("text", WindowText(hwnd))
        .Add("dropped", SendWithTimeout(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0)
        .AddRaw("items", JsonArray(items));
}

// The combo box sends CBN_DROPDOWN/CBN_CLOSEUP itself when it opens or closes,
// as it does for a user's click; posting keeps a handler's message box from blocking us.
void DropDown(const Args& args, JsonReply&)
{
    HWND hwnd = ResolveWindow(args[0]);
    bool show = args[1] == L"show";
    if (!show && args[1] != L"hide")
        throw CommandError("dropdown takes show or hide");
    if (!PostMessageW(hwnd, CB_SHOWDROPDOWN, show, 0))
        throw CommandError("PostMessageW failed");
}

// Selects an item and tells the parent, as a user's choice in the list would.
void Select(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    WPARAM index = static_cast<WPARAM>(ParseNumber(args[1]));
    if (SendWithTimeout(hwnd, CB_SETCURSEL, index, 0) == CB_ERR)
        throw CommandError("no such item");
    int id = GetDlgCtrlID(hwnd);
    PostMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hwnd));
    reply.Add("text", WindowText(hwnd));
}

const std::array kCommands = {
    Command{"progress", "WIN  position and range of a progress bar", 1, Progress},
    Command{"combo", "WIN  items, count, selection, text and drop-down state of a combo box", 1, Combo},
    Command{"dropdown", "WIN show|hide  posts CB_SHOWDROPDOWN", 2, DropDown},
    Command{"select", "WIN INDEX  CB_SETCURSEL and CBN_SELCHANGE to the parent", 2, Select},
};

} // namespace

std::span<const Command> ControlCommands()
{
    return kCommands;
}
