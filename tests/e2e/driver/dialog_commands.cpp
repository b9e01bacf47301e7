// Commands for the system's own dialogs that the program opens: message boxes
// (found by the control ids of Wine's message box template) and file dialogs.
#include "commands.h"
#include "icon_match.h"
#include "window_query.h"

#include <array>
#include <cwctype>

namespace
{

constexpr int kMsgBoxTextId = 0xFFFF; // Wine's message box: the text
constexpr int kMsgBoxIconId = 1088;   // Wine's message box: the icon (stc1)
constexpr int kFileNameCombo = 1148;  // cmb13: file name field of the Explorer-style dialog
constexpr int kFileNameEdit = 1152;   // edt1: file name field of the old-style dialog

struct Search {
    DWORD pid;
    bool (*accept)(HWND);
    HWND found = nullptr;
};

BOOL CALLBACK FirstMatch(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(hwnd) || WindowProcessId(hwnd) != search->pid || ClassName(hwnd) != L"#32770")
        return TRUE;
    if (!search->accept(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindDialog(const std::wstring& pidText, bool (*accept)(HWND))
{
    Search search{static_cast<DWORD>(ParseNumber(pidText)), accept};
    EnumWindows(FirstMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMessageBox(HWND hwnd)
{
    HWND text = GetDlgItem(hwnd, kMsgBoxTextId);
    HWND icon = GetDlgItem(hwnd, kMsgBoxIconId);
    return text && icon && ClassName(text) == L"Static" && ClassName(icon) == L"Static";
}

HWND FileNameField(HWND dialog)
{
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    return field ? field : GetDlgItem(dialog, kFileNameEdit);
}

bool IsFileDialog(HWND hwnd)
{
    return FileNameField(hwnd) != nullptr;
}

BOOL CALLBACK CollectButton(HWND hwnd, LPARAM param)
{
    if (ClassName(hwnd) == L"Button" && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleButtons(HWND dialog)
{
    std::vector<HWND> buttons;
    EnumChildWindows(dialog, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

std::wstring Plain(const std::wstring& label)
{
    std::wstring out;
    for (wchar_t c : label)
        if (c != L'&')
            out += static_cast<wchar_t>(std::towlower(c));
    return out;
}

std::string ButtonsJson(HWND dialog)
{
    std::vector<std::string> items;
    for (HWND button : VisibleButtons(dialog)) {
        JsonReply item;
        item.Add("id", static_cast<int64_t>(GetDlgCtrlID(button))).Add("text", WindowText(button));
        items.push_back(item.Text());
    }
    return JsonArray(items);
}

const char* IconKind(HWND dialog)
{
    HWND icon = GetDlgItem(dialog, kMsgBoxIconId);
    if (!IsWindowVisible(icon) || !SendWithTimeout(icon, STM_GETICON, 0, 0))
        return "none";
    return IdentifyStandardIcon(icon);
}

// A dialog that closes while it is read counts as not found.
void MessageBoxInfo(const Args& args, JsonReply& reply)
{
    HWND box = FindDialog(args[0], IsMessageBox);
    JsonReply details;
    try {
        if (box)
            details.Add("caption", WindowText(box))
                .Add("text", WindowText(GetDlgItem(box, kMsgBoxTextId)))
                .Add("icon", IconKind(box))
                .AddHandle("owner", GetWindow(box, GW_OWNER))
                .AddRaw("buttons", ButtonsJson(box));
    } catch (const WindowGone&) {
        box = nullptr;
    }
    reply.AddHandle("hwnd", box);
    if (box)
        reply.AddRaw("details", details.Text());
}

// A button of the dialog by id ("6") or by label without accelerator ("yes").
HWND FindButton(HWND dialog, const std::wstring& which)
{
    bool numeric = !which.empty() && std::iswdigit(which[0]);
    for (HWND button : VisibleButtons(dialog)) {
        if (numeric ? GetDlgCtrlID(button) == ParseNumber(which) : Plain(WindowText(button)) == Plain(which))
            return button;
    }
    throw CommandError("no such visible button: " + std::string(which.begin(), which.end()));
}

void Press(const Args& args, JsonReply& reply)
{
    HWND button = FindButton(ResolveWindow(args[0]), args[1]);
    if (!IsWindowEnabled(button))
        throw CommandError("button is disabled");
    PostMessageW(button, BM_CLICK, 0, 0);
    reply.Add("id", static_cast<int64_t>(GetDlgCtrlID(button)));
}

void FileDialogInfo(const Args& args, JsonReply& reply)
{
    HWND dialog = FindDialog(args[0], IsFileDialog);
    JsonReply details;
    try {
        if (dialog)
            details.Add("caption", WindowText(dialog))
                .Add("name", WindowText(FileNameField(dialog)))
                .AddHandle("owner", GetWindow(dialog, GW_OWNER))
                .AddRaw("buttons", ButtonsJson(dialog));
    } catch (const WindowGone&) {
        dialog = nullptr;
    }
    reply.AddHandle("hwnd", dialog);
    if (dialog)
        reply.AddRaw("details", details.Text());
}

void ChooseFile(const Args& args, JsonReply&)
{
    HWND dialog = ResolveWindow(args[0]);
    HWND field = FileNameField(dialog);
    if (!field)
        throw CommandError("not a file dialog");
    SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

const std::array kCommands = {
    Command{"msgbox", "PID  the process's open message box: caption, text, icon, buttons", 1, MessageBoxInfo},
    Command{"press", "DIALOG ID|LABEL  clicks a visible button of a dialog", 2, Press},
    Command{"filedialog", "PID  the process's open file dialog: caption, file name", 1, FileDialogInfo},
    Command{"choosefile", "DIALOG PATH  types the file name and presses the OK button", 2, ChooseFile},
};

} // namespace

std::span<const Command> DialogCommands()
{
    return kCommands;
}
