#include "drawing/Setbiaozhu.h"

#include <gtest/gtest.h>

#include "drawing/Biaozhu.h"
#include "support/Fakemessages.h"

namespace {

TEST(AnnotationDialog, StartsFromTheAnnotationWithTheMemoInBlack)
{
    TBiaoZhu a;
    a.text = "基础验收";
    a.boxLineWidth = 3;
    a.hasFrame = false;
    a.textScreenColor = 0x010203;
    const TSetBiaoZhu s(a);
    EXPECT_EQ(s.memo, "基础验收");
    EXPECT_EQ(s.memoFont.name, "宋体");
    EXPECT_EQ(s.memoFont.size, 12);
    EXPECT_EQ(s.memoFont.color, 0);
    EXPECT_EQ(s.frameWidthText, "3");
    EXPECT_FALSE(s.hasFrame);
    EXPECT_EQ(s.textScreenColor, 0x010203);
    EXPECT_EQ(s.frameScreenColor, 0xC8C896);
}

TEST(AnnotationDialog, FrameWidthTextsThatAreNoNumberAreUndone)
{
    TFakeMessages msgs;
    TBiaoZhu a;
    TSetBiaoZhu s(a);
    struct Case {
        const char* typed;
        const char* shown;
        bool refused;
    };
    const Case cases[] = {
        {"4", "4", false},   {"", "4", true},      {"4a", "4", true},  {"-1", "4", true},
        {"2.5", "2.5", false}, {"2.5 ", "2.5", true}, {"12", "12", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        msgs.shown.clear();
        EXPECT_EQ(s.FrameWidthEdited(c.typed), c.shown);
        EXPECT_EQ(s.frameWidthText, c.shown);
        ASSERT_EQ(msgs.shown.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(msgs.shown[0].text, "请输入一个数字！");
            EXPECT_EQ(msgs.shown[0].caption, "提示");
            EXPECT_EQ(msgs.shown[0].icon, TMsgIcon::Warning);
        }
    }
    // A damaged width shows as no number: there is nothing to go back to.
    a.boxLineWidth = -2;
    TSetBiaoZhu damaged(a);
    EXPECT_EQ(damaged.FrameWidthEdited("x"), "1");
}

TEST(AnnotationDialog, ConfirmStoresEverythingWithAWholeFrameWidth)
{
    TBiaoZhu a;
    TSetBiaoZhu s(a);
    EXPECT_FALSE(s.Confirm(a)) << "nothing changed";

    s.memo = "混凝土养护\n七天";
    s.ChooseFont(TVqFont{"黑体", 14, 0x00FF00});
    EXPECT_EQ(s.memoFont.color, 0);
    s.textScreenColor = 1;
    s.textPrintColor = 2;
    s.frameScreenColor = 3;
    s.framePrintColor = 4;
    s.hasFrame = false;
    s.FrameWidthEdited("3.9");
    EXPECT_TRUE(s.Confirm(a));
    EXPECT_EQ(a.text, "混凝土养护\n七天");
    EXPECT_EQ(a.font.name, "黑体");
    EXPECT_EQ(a.font.size, 14);
    EXPECT_EQ(a.textScreenColor, 1);
    EXPECT_EQ(a.textPrintColor, 2);
    EXPECT_EQ(a.frameScreenColor, 3);
    EXPECT_EQ(a.framePrintColor, 4);
    EXPECT_FALSE(a.hasFrame);
    EXPECT_EQ(a.boxLineWidth, 3) << "the decimal part is cut off";

    struct Case {
        const char* text;
        double width;
    };
    const Case widths[] = {{".5", 0}, {"0", 0}, {"7.", 7}, {"99999999999999", 1000}};
    for (const Case& c : widths) {
        TSetBiaoZhu w(a);
        w.FrameWidthEdited(c.text);
        w.Confirm(a);
        EXPECT_EQ(a.boxLineWidth, c.width) << c.text;
    }

    // Only the style of the font changes: still a change to keep.
    TSetBiaoZhu bold(a);
    TVqFont f = a.font;
    f.style = TVqFont::Bold;
    bold.ChooseFont(f);
    EXPECT_TRUE(bold.Confirm(a));
    EXPECT_EQ(a.font.style, TVqFont::Bold);
}

struct TScriptedDialog : IBiaozhuDialog {
    TScriptedDialog() { SetBiaozhuDialog(this); }
    ~TScriptedDialog() override { SetBiaozhuDialog(nullptr); }
    bool Show(TSetBiaoZhu& s) override
    {
        ++shown;
        s.memo = "改过";
        return ok;
    }
    bool ok = true;
    int shown = 0;
};

TEST(AnnotationDialog, EditAnnotationStoresOnlyWhenConfirmed)
{
    TBiaoZhu a;
    bool changed = true;
    EXPECT_FALSE(EditAnnotation(a, &changed)) << "unbound: cancelled";
    EXPECT_FALSE(changed);

    TScriptedDialog d;
    d.ok = false;
    EXPECT_FALSE(EditAnnotation(a, &changed));
    EXPECT_EQ(a.text, "网络计划标注");
    d.ok = true;
    EXPECT_TRUE(EditAnnotation(a, &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(a.text, "改过");
    EXPECT_TRUE(EditAnnotation(a, &changed));
    EXPECT_FALSE(changed) << "confirmed as it was";
    EXPECT_EQ(d.shown, 3);
}

}  // namespace
