// Text output over the frame: one line drawn and measured in a font made for the call.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "polvex/polvex.h"

namespace pv {
namespace {

// Marks a colour argument as absent: measure only for the text, transparent for the cells.
constexpr int32_t kNoColor = -1;

// The text's top-left corner for an anchor and a placement code. The centred position
// stands unless the code starts with something other than 'c'; then its first two
// characters pull the text to one side, 'l' before 'r' and 't' before 'b'.
void PlaceText(const char *placement, int32_t x, int32_t y, int64_t w, int64_t h,
               int64_t *left, int64_t *top) {
    *left = x - w / 2;
    *top = y - h / 2;
    if (placement == nullptr || placement[0] == '\0' || placement[0] == 'c') return;
    const char first = placement[0], second = placement[1];
    const auto either = [&](char letter) { return first == letter || second == letter; };
    if (either('l')) {
        *left = x;
    } else if (either('r')) {
        *left = x - w;
    }
    if (either('t')) {
        *top = y;
    } else if (either('b')) {
        *top = y - h;
    }
}

// Anchors far outside the frame may push a corner past the int range; such text is not
// visible anyway, so it is kept at the range's edge instead of wrapping onto the frame.
int ToCoordinate(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace
}  // namespace pv

extern "C" POLVEX_API uint64_t Font(HDC dc, int32_t x, int32_t y, const char *placement,
                                    const char *text, int32_t textColor, int32_t backColor,
                                    const char *faceName, int32_t height) {
    using namespace pv;
    HFONT font = CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, faceName);
    HGDIOBJ previous = SelectObject(dc, font);
    // A null text is measured and drawn as an empty one.
    const int length = text != nullptr ? static_cast<int>(std::strlen(text)) : 0;
    SIZE size{0, 0};
    if (textColor == kNoColor) {
        GetTextExtentPoint32A(dc, text, length, &size);
    } else {
        SetTextColor(dc, static_cast<COLORREF>(textColor));
        if (backColor == kNoColor) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, static_cast<COLORREF>(backColor));
        }
        GetTextExtentPoint32A(dc, text, length, &size);
        int64_t left = 0, top = 0;
        PlaceText(placement, x, y, size.cx, size.cy, &left, &top);
        TextOutA(dc, ToCoordinate(left), ToCoordinate(top), text, length);
    }
    // Without a selection there is nothing to put back, and the font was never the DC's.
    if (previous != nullptr) SelectObject(dc, previous);
    if (font != nullptr) DeleteObject(font);
    return static_cast<uint64_t>(static_cast<uint32_t>(size.cx)) |
           (static_cast<uint64_t>(static_cast<uint32_t>(size.cy)) << 32);
}
