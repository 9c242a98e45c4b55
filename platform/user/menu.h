// Internal pieces of the menu shared by its loop (menu.cpp) and its pictures (menu_draw.cpp).
#pragma once

#include <string>

#include "user/window.h"

namespace platform {

constexpr int kPopupItemHeight = 18;

// A label without its '&' marks, and the byte offset and length of the mnemonic character
// in the result (offset -1 without one).
struct MenuLabel {
    std::string text;
    int mnemonicOffset = -1;
    int mnemonicLength = 0;
    char mnemonic = 0; // the ASCII mnemonic, upper case; 0 for none or a non-ASCII one
};
MenuLabel ParseLabel(const std::string &text);

// Where to click to choose the item with this command: x in the menu bar that opens its
// popup, and a point of the item in client coordinates (popups open at the top of the client
// area, below their label). False when no item has the command.
bool MenuCommandPoints(HWND window, UINT command, int *barX, POINT *itemPoint);

// Brings the bar picture, the label positions and, when a popup is open, the popup picture
// and its rectangle up to date.
void UpdateMenuImages(HWND window);

}  // namespace platform
