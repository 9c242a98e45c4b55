// Message-box capture for tests.
#include "support/message_capture.h"

namespace pvtest {

MessageCapture::MessageCapture() { PlatformSetMessageBoxHook(&MessageCapture::Hook, this); }

MessageCapture::~MessageCapture() { PlatformSetMessageBoxHook(nullptr, nullptr); }

std::vector<std::string> MessageCapture::texts() const {
    std::vector<std::string> out;
    for (const CapturedBox &box : boxes_) out.push_back(box.text);
    return out;
}

int MessageCapture::Hook(HWND owner, const char *text, const char *caption, UINT type, void *context) {
    auto *self = static_cast<MessageCapture *>(context);
    self->boxes_.push_back({owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

}  // namespace pvtest
