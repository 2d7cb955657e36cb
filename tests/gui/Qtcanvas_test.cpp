#include "platform/qt/Qtcanvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QSvgGenerator>

// The font library keeps its configuration until the process ends; that is
// not a leak of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

namespace {

// One application for the whole program, made by the first test that needs
// it and ended after the last.
class TApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete owned;
        owned = nullptr;
    }
    static inline QApplication* owned = nullptr;
};

[[maybe_unused]] ::testing::Environment* const appEnvironment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

void EnsureApplication()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "arrowplan_gui_tests";
    static char* argv[] = {name, nullptr};
    TApplicationEnvironment::owned = new QApplication(argc, argv);
    InstallFontSubstitutions();
}

QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    return img;
}

int NonWhite(const QImage& img, QRect r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white)) ++n;
    return n;
}

TEST(QtCanvas, ColoursFillsAndMapping)
{
    EnsureApplication();
    QImage img = WhiteImage(100, 100);
    {
        TQtCanvas c(&img);
        c.SetBrush(TCanvasBrush{0x0000FF, TBrushStyle::Solid});
        c.FillRect(TCanvasRect{0, 0, 10, 10});
        c.SetMapping(TCanvasMapping{2, 2, 5, 5});
        c.SetBrush(TCanvasBrush{0xFF0000, TBrushStyle::Solid});
        c.FillRect(TCanvasRect{10, 10, 20, 20});   // device 25..45
        EXPECT_EQ(c.ClipBox(), (TCanvasRect{-3, -3, 48, 48}));
    }
    EXPECT_EQ(img.pixelColor(5, 5), QColor(255, 0, 0));       // 0x0000FF is red
    EXPECT_EQ(img.pixelColor(30, 30), QColor(0, 0, 255));     // 0xFF0000 is blue
    EXPECT_EQ(img.pixelColor(20, 20), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(46, 46), QColor(Qt::white));
}

TEST(QtCanvas, ExclusiveOrTwiceLeavesNoTrace)
{
    EnsureApplication();
    QImage img = WhiteImage(60, 60);
    {
        TQtCanvas c(&img);
        c.SetBrush(TCanvasBrush{0x00FF00, TBrushStyle::Solid});
        c.FillRect(TCanvasRect{0, 0, 30, 60});
        TCanvasPen p;
        p.color = 0xF0CAA6;
        p.mode = TPenMode::Xor;
        c.SetPen(p);
        c.Line(5, 20, 55, 20);
        EXPECT_NE(img.pixelColor(40, 20), QColor(Qt::white));
        c.Line(5, 20, 55, 20);
    }
    EXPECT_EQ(img.pixelColor(40, 20), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(10, 20), QColor(0, 255, 0));
}

TEST(QtCanvas, ChineseTextHasGlyphs)
{
    EnsureApplication();
    QFont song(QString::fromUtf8("宋体"));
    EXPECT_TRUE(QFontMetrics(song).inFont(QChar(0x5DE5)));   // 工
    QImage img = WhiteImage(120, 40);
    TCanvasSize ext;
    {
        TQtCanvas c(&img, 96);
        c.SetFont(TCanvasFont{"宋体", 12, 0x000000, 0, 1});
        ext = c.TextExtent("工程");
        c.TextOut(2, 2, "工程");
    }
    EXPECT_GE(ext.cx, 24);   // two characters of 16 pixels, near enough
    EXPECT_GE(ext.cy, 16);
    EXPECT_GT(NonWhite(img, QRect(2, 2, ext.cx, ext.cy)), 20);
    EXPECT_EQ(NonWhite(img, QRect(2 + ext.cx + 4, 0, 10, 40)), 0);
}

TEST(QtCanvas, ClippedAndEmptyTextAndShapes)
{
    EnsureApplication();
    QImage img = WhiteImage(100, 40);
    {
        TQtCanvas c(&img);
        c.SetFont(TCanvasFont{"Arial", 20, 0x000000, 0, 1});
        c.TextRect(TCanvasRect{0, 0, 10, 40}, 0, 0, "WWWWWW");
        c.DrawText(TCanvasRect{50, 0, 50, 40}, "WWW", TTextFormat{});   // empty: nothing
        c.SetBrush(TCanvasBrush{0x000000, TBrushStyle::BackwardDiagonal});
        c.Rectangle(TCanvasRect{60, 0, 100, 40});
    }
    EXPECT_GT(NonWhite(img, QRect(0, 0, 10, 40)), 0);
    EXPECT_EQ(NonWhite(img, QRect(11, 0, 38, 40)), 0);
    // A hatched rectangle has ground between its lines.
    const int inside = NonWhite(img, QRect(62, 2, 36, 36));
    EXPECT_GT(inside, 50);
    EXPECT_LT(inside, 36 * 36 / 2);
}

TEST(QtCanvas, ImagesAndVectorFiles)
{
    EnsureApplication();
    QImage img = WhiteImage(50, 50);
    {
        TQtCanvas c(&img);
        std::unique_ptr<ICanvasImage> off = c.CreateImage(10, 10);
        off->Canvas().SetBrush(TCanvasBrush{0x0000FF, TBrushStyle::Solid});
        off->Canvas().FillRect(TCanvasRect{0, 0, 10, 10});
        c.DrawImage(20, 20, *off);
    }
    EXPECT_EQ(img.pixelColor(25, 25), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(15, 15), QColor(Qt::white));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(200, 100));
    {
        TQtCanvas c(&svg);
        TCanvasPen p;
        p.mode = TPenMode::Xor;   // no exclusive-or on a vector file: drawn as a copy
        p.style = TPenStyle::Custom;
        p.dash = 2;
        p.gap = 6;
        c.SetPen(p);
        c.Line(0, 50, 200, 50);
        c.SetFont(TCanvasFont{"宋体", 10, 0x0000FF, 0, 1});
        c.TextOut(10, 10, "网络图");
    }
    const QByteArray out = buffer.data();
    EXPECT_TRUE(out.contains("<svg"));
    EXPECT_TRUE(out.contains(QString::fromUtf8("网络图").toUtf8()));
}

}
