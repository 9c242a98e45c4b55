// Records every message box shown while it lives, instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace pvtest {

struct CapturedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    const std::vector<CapturedBox> &boxes() const { return boxes_; }
    // The texts of all boxes, in order.
    std::vector<std::string> texts() const;
    void clear() { boxes_.clear(); }

private:
    static int Hook(HWND owner, const char *text, const char *caption, UINT type, void *context);
    std::vector<CapturedBox> boxes_;
};

}  // namespace pvtest
