// CHexEdit: the edit control for hexadecimal numbers, with its keyboard filter,
// its own context menu and the Convert command between "0x%X" and "%u".
#pragma once

#include "controls/hex_edit_field.h"
#include "controls/hex_edit_paste.h"
#include "framework/edit_win.h"

class CHexEdit : public CEdit
{
  public:
    CHexEdit() = default;

    // The keyboard filter; it must see the control's messages before translation.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The parent reflects the control's own EN_UPDATE here; colours are left to the parent.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    // The context menu's commands.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnContextMenu(HWND window, POINT point);
    void OnTextUpdate();
    LRESULT OnConvert(WPARAM wParam, LPARAM lParam);

    // Whether the text counts as hexadecimal; recomputed on every text update, read by Convert.
    bool m_isHex = false;

  private:
    HexEditField ReadField() const;
    // Reads the clipboard's text; says "Cannot open clipboard!" when it cannot be opened.
    ClipboardView LookAtClipboard() const;
    // Rewrites the clipboard text before a menu command; a clipboard that cannot be opened is left alone.
    void NormaliseClipboard() const;
};
