#include <gtest/gtest.h>

#include "msgbox/skinned_message_box.h"
#include "tests/support/message_box_answerer.h"

namespace radar {
namespace {

struct BoxCase {
    UINT style;
    int button;
    int expected;
};

// The result is the pressed button's system identifier minus 1.
TEST(SkinnedMessageBox, ReturnsPressedButtonMinusOne) {
    const BoxCase cases[] = {
        {kBoxInformation, IDOK, 0},
        {kBoxQuestion, IDYES, 5},
        {kBoxQuestion, IDNO, 6},
        {MB_OKCANCEL, IDCANCEL, 1},
    };
    for (const BoxCase& c : cases) {
        test::MessageBoxAnswerer answerer(c.button);
        EXPECT_EQ(c.expected, SkinnedMessageBox(nullptr, "请输入快递单号！", c.style, "提示：")) << c.style;
    }
}

// Owner, Chinese text and title and the style reach the system box unchanged.
TEST(SkinnedMessageBox, ShowsTextTitleAndStyleForOwner) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    test::MessageBoxAnswerer answerer(IDYES);
    SkinnedMessageBox(owner, "确定要开启自动查询吗？\r\n第二行", kBoxQuestion, "询问：");
    auto seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(owner, seen[0].owner);
    EXPECT_EQ("确定要开启自动查询吗？\r\n第二行", seen[0].text);
    EXPECT_EQ("询问：", seen[0].title);
    EXPECT_EQ(36u, seen[0].style);
    DestroyWindow(owner);
}

} // namespace
} // namespace radar
