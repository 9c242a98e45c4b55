// Pictures of the menu: the one-line bar above the client area and the open popup, drawn with
// the platform's own text output in the classic grey of the original system, and the
// composition of a window as it appears below its caption.
#include <algorithm>
#include <cstring>

#include "user/menu.h"

namespace platform {
namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kHighlight = RGB(0, 0, 128);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr int kBarPadding = 7;     // left and right of each label in the bar
constexpr int kPopupPadding = 20;  // left and right of each item's text in a popup
constexpr int kFontHeight = -12;   // em height in pixels

// A 32-bit top-down drawing area for one picture, with the menu font selected.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = std::max(1, width);
        info.bmiHeader.biHeight = -std::max(1, height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        font_ = CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                            NONANTIALIASED_QUALITY, 0, nullptr);
        oldFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~Canvas() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    void Fill(RECT r, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ old = SelectObject(dc_, brush);
        PatBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
        SelectObject(dc_, old);
        DeleteObject(brush);
    }
    int Width(const std::string &text, int length = -1) {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), length < 0 ? static_cast<int>(text.size()) : length,
                              &size);
        return size.cx;
    }
    // Draws a label with its mnemonic underlined, top-left at (x, y).
    void Label(const MenuLabel &label, int x, int y, COLORREF color) {
        SetTextColor(dc_, color);
        TextOutA(dc_, x, y, label.text.c_str(), static_cast<int>(label.text.size()));
        if (label.mnemonicOffset < 0) return;
        const int left = x + Width(label.text, label.mnemonicOffset);
        const int right = x + Width(label.text, label.mnemonicOffset + label.mnemonicLength);
        Fill(RECT{left, y + 13, right, y + 14}, color);
    }
    void CopyTo(std::vector<uint32_t> &out) {
        out.assign(static_cast<size_t>(width_) * height_, 0);
        if (bits_ != nullptr) std::memcpy(out.data(), bits_, out.size() * 4);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr, oldFont_ = nullptr;
    void *bits_ = nullptr;
};

void DrawBar(HWND window) {
    const int width = std::max(1, window->clientWidth);
    Canvas canvas(width, kMenuHeight);
    canvas.Fill(RECT{0, 0, width, kMenuHeight}, kFace);
    window->barItemLeft.clear();
    int x = 0;
    for (size_t p = 0; p < window->menu->popups.size(); ++p) {
        const MenuLabel label = ParseLabel(window->menu->popups[p].text);
        const int itemWidth = canvas.Width(label.text) + 2 * kBarPadding;
        const bool open = static_cast<int>(p) == window->openPopup;
        if (open) canvas.Fill(RECT{x, 1, x + itemWidth, kMenuHeight - 1}, kHighlight);
        canvas.Label(label, x + kBarPadding, 3, open ? kHighlightText : kText);
        window->barItemLeft.push_back(x);
        x += itemWidth;
    }
    window->barItemLeft.push_back(x);
    canvas.CopyTo(window->barImage);
    window->barImageWidth = window->clientWidth;
}

void DrawPopup(HWND window) {
    const MenuPopup &popup = window->menu->popups[window->openPopup];
    Canvas measure(1, 1);
    int textWidth = 0;
    for (const MenuItem &item : popup.items) {
        textWidth = std::max(textWidth, measure.Width(ParseLabel(item.text).text));
    }
    const int width = textWidth + 2 * kPopupPadding;
    const int height = static_cast<int>(popup.items.size()) * kPopupItemHeight + 4;
    Canvas canvas(width, height);
    canvas.Fill(RECT{0, 0, width, height}, kShadow);
    canvas.Fill(RECT{1, 1, width - 1, height - 1}, kFace);
    for (size_t i = 0; i < popup.items.size(); ++i) {
        const int top = 2 + static_cast<int>(i) * kPopupItemHeight;
        const bool hot = static_cast<int>(i) == window->hotItem;
        if (hot) canvas.Fill(RECT{2, top, width - 2, top + kPopupItemHeight}, kHighlight);
        canvas.Label(ParseLabel(popup.items[i].text), kPopupPadding, top + 2,
                     hot ? kHighlightText : kText);
    }
    canvas.CopyTo(window->popupImage);
    const int left = window->barItemLeft[window->openPopup];
    window->popupRect = RECT{left, 0, left + width, height};
}

}  // namespace

// The bar is redrawn on every change of the open popup too, since the open label is
// highlighted; popups are redrawn when the open popup or its highlight changes.
void UpdateMenuImages(HWND window) {
    if (window->menu == nullptr) return;
    const int key = window->openPopup < 0 ? -1 : window->openPopup * 1000 + window->hotItem + 1;
    if (window->barImageWidth != window->clientWidth || key != window->popupImageKey) {
        DrawBar(window);
    }
    if (key != window->popupImageKey) {
        if (window->openPopup >= 0) {
            DrawPopup(window);
        } else {
            window->popupImage.clear();
            window->popupRect = RECT{};
        }
        window->popupImageKey = key;
    }
}

void ComposeWindow(HWND window, uint32_t *out, int stride) {
    UpdateMenuImages(window);
    const int bar = MenuBarHeight(window);
    const int width = window->clientWidth;
    for (int y = 0; y < bar; ++y) {
        std::memcpy(out + static_cast<size_t>(y) * stride, window->barImage.data() + y * width,
                    static_cast<size_t>(width) * 4);
    }
    for (int y = 0; y < window->clientHeight; ++y) {
        std::memcpy(out + static_cast<size_t>(y + bar) * stride,
                    window->pixels.data() + static_cast<size_t>(y) * width,
                    static_cast<size_t>(width) * 4);
    }
    if (window->popupImage.empty()) return;
    const RECT &r = window->popupRect;
    const int popupWidth = r.right - r.left;
    for (int y = r.top; y < r.bottom && y < window->clientHeight; ++y) {
        const int columns = std::min(popupWidth, width - r.left);
        if (columns <= 0) break;
        std::memcpy(out + static_cast<size_t>(y + bar) * stride + r.left,
                    window->popupImage.data() + static_cast<size_t>(y - r.top) * popupWidth,
                    static_cast<size_t>(columns) * 4);
    }
}

bool MenuCommandPoints(HWND window, UINT command, int *barX, POINT *itemPoint) {
    if (window->menu == nullptr) return false;
    UpdateMenuImages(window);
    for (size_t p = 0; p < window->menu->popups.size(); ++p) {
        const std::vector<MenuItem> &items = window->menu->popups[p].items;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].command != command) continue;
            *barX = window->barItemLeft[p] + kBarPadding;
            itemPoint->x = window->barItemLeft[p] + kPopupPadding;
            itemPoint->y = 2 + static_cast<int>(i) * kPopupItemHeight + kPopupItemHeight / 2;
            return true;
        }
    }
    return false;
}

}  // namespace platform
