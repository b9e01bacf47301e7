// Greying of the hex edit control's context-menu items.
#include "controls/hex_edit_menu.h"

std::vector<HexEditMenuItem> BuildHexEditMenu(const HexEditField& field, const HexEditMenuContext& context,
                                              const ClipboardReader& clipboard)
{
    const std::u16string& text = field.text;
    const bool nothingSelected = field.start == field.end;
    // Cut and Delete must not take the prefix's '0' away on its own.
    const bool onlyPrefixZero = IsPrefixed(text) && field.start == 0 && field.end == 1;
    const bool cutGreyed = nothingSelected || context.readOnly || onlyPrefixZero;
    const bool pasteGreyed = context.readOnly || !ClipboardAllowsPaste(clipboard(), field);
    const bool allSelected = field.start == 0 && field.end == static_cast<int>(text.size());

    return {
        {kHexEditUndo, u"&Undo", !context.canUndo || context.readOnly},
        {},
        {kHexEditCut, u"Cu&t", cutGreyed},
        {kHexEditCopy, u"&Copy", nothingSelected},
        {kHexEditPaste, u"&Paste", pasteGreyed},
        {kHexEditClear, u"&Delete", cutGreyed},
        {},
        {ID_HEXEDIT_SELECTALL, u"Select &All", text.empty() || allSelected},
        {},
        {ID_HEXEDIT_CONVERT, u"Con&vert", text.empty() || text == u"0x"},
    };
}
