// MessageBoxA: the installed hook sees every field; without one, standard error gets the box.
#include <string>

#include "gdi_test_util.h"
#include "support/message_capture.h"
#include "user/message_box.h"

namespace {

struct HookRecord {
    HWND owner = nullptr;
    std::string text, caption;
    UINT type = 0;
    int calls = 0;
};

int RecordingHook(HWND owner, const char *text, const char *caption, UINT type, void *context) {
    auto *record = static_cast<HookRecord *>(context);
    *record = {owner, text, caption, type, record->calls + 1};
    return 7;
}

TEST(MessageBoxTest, HookReceivesExactFieldsAndAnswers) {
    HookRecord record;
    PlatformSetMessageBoxHook(&RecordingHook, &record);
    auto owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
    EXPECT_EQ(MessageBoxA(owner, "メモリが足りません。", "POLVEX", MB_ICONWARNING), 7);
    PlatformSetMessageBoxHook(nullptr, nullptr);
    EXPECT_EQ(record.calls, 1);
    EXPECT_EQ(record.owner, owner);
    EXPECT_EQ(record.text, "メモリが足りません。");
    EXPECT_EQ(record.caption, "POLVEX");
    EXPECT_EQ(record.type, static_cast<UINT>(MB_ICONWARNING));
}

TEST(MessageBoxTest, WithoutHookTheBoxGoesToStandardError) {
    const auto saved = platform::g_messageBoxBackend;
    platform::g_messageBoxBackend = &platform::MessageBoxToStderr;
    testing::internal::CaptureStderr();
    const int answer = MessageBoxA(nullptr, "ファイルが開けません。", "POLVEX", MB_ICONWARNING);
    const std::string written = testing::internal::GetCapturedStderr();
    platform::g_messageBoxBackend = saved;
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(written, "[POLVEX] ファイルが開けません。\n");
}

TEST(MessageBoxTest, BackendIsReplaceableAndHookWinsOverIt) {
    static int backendCalls = 0;
    const auto saved = platform::g_messageBoxBackend;
    platform::g_messageBoxBackend = [](HWND, const char *, const char *, UINT) {
        ++backendCalls;
        return 2;
    };
    EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OK), 2);
    {
        pvtest::MessageCapture capture;
        EXPECT_EQ(MessageBoxA(nullptr, "c", "d", MB_OK), IDOK);
        EXPECT_EQ(capture.texts(), std::vector<std::string>{"c"});
    }
    platform::g_messageBoxBackend = saved;
    EXPECT_EQ(backendCalls, 1);
}

}  // namespace
