#include <gtest/gtest.h>
#include <windows.h>
// richedit.h builds on the types of windows.h.
#include <richedit.h>

#include <utility>

#include "services/window/labels.h"
#include "services/window/rich_text_view.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

using LabelTest = WindowTest;

TEST_F(LabelTest, AShadowLabelPaintsTheShadowByItsDepthThenTheText) {
    ShadowLabel& label = CreateShadowLabel(form_, "HHHH", 2);
    label.SetFontHeight(32);
    label.SetFontColor(RGB(0, 0, 0));
    label.SetColor(RGB(255, 255, 255));
    label.SetTextAlign(0);
    label.SetAutoSize(true);
    EXPECT_EQ(label.EffectiveShadowColor(), RGB(0x7F, 0x7F, 0x7F));
    Capture capture(label.Width(), label.Height());
    capture.Paint(label.Handle(), WM_PRINTCLIENT);
    const RECT all = {0, 0, capture.Width(), capture.Height()};
    const RECT text = BoxOf(capture, RGB(0, 0, 0), all);
    const RECT shadow = BoxOf(capture, RGB(0x7F, 0x7F, 0x7F), all);
    ASSERT_FALSE(IsRectEmpty(&text));
    ASSERT_FALSE(IsRectEmpty(&shadow));
    EXPECT_EQ(std::pair(shadow.left - text.left, shadow.top - text.top), std::pair(2L, 2L));
    EXPECT_EQ(std::pair(shadow.right - text.right, shadow.bottom - text.bottom), std::pair(2L, 2L));

    label.SetShadowColor(RGB(255, 0, 0));
    capture.Paint(label.Handle(), WM_PRINTCLIENT);
    const RECT red = BoxOf(capture, RGB(255, 0, 0), all);
    EXPECT_EQ(red.left - text.left, 2) << "a set shadow colour replaces the automatic one";
    EXPECT_EQ(label.SendToControl(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x")), 1);
    EXPECT_EQ(label.Caption(), "HHHH") << "the caption is the control's own";
}

TEST_F(LabelTest, TheRichTextViewUsesTheChosenClassAndShowsRichText) {
    RichTextView& view = CreateRichTextView(form_, ES_READONLY | WS_VSCROLL);
    view.SetAutoUrlDetect(true);
    view.LoadRichText("{\\rtf1\\ansi Read me: http://example.com/}");
    char name[64] = {};
    GetClassNameA(view.Handle(), name, sizeof(name));
    EXPECT_EQ(std::string(name), "obj_" + app_->RichEditClass());
    EXPECT_GT(GetWindowTextLengthW(view.HandleIfCreated()), 8);
    EXPECT_EQ(view.SendToControl(EM_GETEVENTMASK, 0, 0), 0x042C0001);
    EXPECT_TRUE(view.SendToControl(EM_GETAUTOURLDETECT, 0, 0));
}

}  // namespace
}  // namespace pellwise
