#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Layoutpass.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Tpertgrid.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"
#include "shell/Pictureexportfm.h"
#include "support/Fakemessages.h"
#include "support/Netbuilder.h"
#include "support/Plangen.h"

namespace {

class TDrawAppEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete owned;
        owned = nullptr;
    }
    static inline QApplication* owned = nullptr;
};

void EnsureApp()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "arrowplan_gui_tests";
    static char* argv[] = {name, nullptr};
    static ::testing::Environment* const env =
        ::testing::AddGlobalTestEnvironment(new TDrawAppEnvironment);
    (void)env;
    TDrawAppEnvironment::owned = new QApplication(argc, argv);
    InstallFontSubstitutions();
}

// A(0) -> C(20) critical on row 0, A -> B -> C on row 1 with free float;
// without the frame day 0 is at x 50, row 0 at y 100, row 1 at y 150.
std::unique_ptr<Tpertgra> SmallPlan()
{
    TNetBuilder b;
    b.Work('A', 'C', 20);
    b.Work('A', 'B', 10)->row = 1;
    b.Work('B', 'C', 5)->row = 1;
    b.N('B')->row = 1;
    b.Place();
    b.net->showFrame = false;
    b.net->Recalculate();
    ComputeDisplacements(*b.net);
    PlaceNodesAndWorks(*b.net, 1, 1);
    return std::move(b.net);
}

QImage Render(Tpertgra& net, int32_t kind)
{
    QImage image(400, 250, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        TQtCanvas canvas(&image);
        LoadPalette(net, kind);
        canvas.SetBrush(TCanvasBrush{net.displaySettings.backgroundColor, TBrushStyle::Solid});
        canvas.FillRect(TCanvasRect{0, 0, 400, 250});
        TPertDrawMode mode(&canvas, kind);
        DrawNetwork(net, mode);
    }
    return image;
}

TEST(NetworkImage, PixelsOfScreenAndPrint)
{
    EnsureApp();
    TFakeMessages messages;
    auto net = SmallPlan();
    struct Case {
        int32_t kind;
        QRgb ground;
        QRgb general;
    };
    const Case cases[] = {{dkScreen, qRgb(0, 0, 0), qRgb(255, 255, 255)},
                          {dkPrint, qRgb(255, 255, 255), qRgb(0, 0, 0)}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind);
        const QImage img = Render(*net, k.kind);
        EXPECT_EQ(img.pixel(5, 5), k.ground);
        // The critical line (3 wide, red) between A and C on row 0.
        EXPECT_EQ(img.pixel(120, 100), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(120, 101), qRgb(255, 0, 0));
        // The line of B -> C on row 1, the wave in green after it.
        EXPECT_EQ(img.pixel(175, 150), k.general);
        bool green = false;
        for (int y = 146; y <= 154; ++y)
            for (int x = 205; x < 240; ++x) green = green || img.pixel(x, y) == qRgb(0, 255, 0);
        EXPECT_EQ(green, k.kind == dkScreen);
        // A node is filled with the ground and outlined in its colour.
        EXPECT_EQ(img.pixel(150 + 6, 150 + 6), k.ground);
        EXPECT_EQ(img.pixel(150, 150 - 9), k.general);
    }
}

// Values of a damaged file reach the painter as the drawing makes them: the
// pass must still end, with the frame on.
TEST(NetworkImage, DamagedValuesStillEnd)
{
    EnsureApp();
    TFakeMessages messages;
    const std::function<void(Tpertgra&)> damage[] = {
        [](Tpertgra& n) { n.nodes.back()->row = 2000000000; },
        [](Tpertgra& n) { n.nodes.back()->time = 3e8f; },
        [](Tpertgra& n) {
            n.displaySettings.criticalPen = n.displaySettings.floatPen = 1 << 30;
            n.displaySettings.hopSize = 1 << 30;
            n.grid->frameWidth = 1 << 30;
        },
        [](Tpertgra& n) {
            for (auto& s : n.grid->scales) s.subTickSpacing = s.minLabelSpacing = 0;
            n.grid->screenRestBrush.style = 42;
        },
    };
    for (const auto& d : damage) {
        auto net = SmallPlan();
        net->showFrame = true;
        d(*net);
        PlaceNodesAndWorks(*net, 1, 1);
        for (int32_t kind : {dkScreen, dkPrint}) {
            const QImage img = Render(*net, kind);
            EXPECT_FALSE(img.isNull());
        }
    }
}

TEST(NetworkImage, ChineseFacesResolveToAFaceWithChineseCharacters)
{
    EnsureApp();
    for (const char* face : {"宋体", "黑体", "楷体_GB2312", "微软雅黑"}) {
        SCOPED_TRACE(face);
        const QFont f(QString::fromUtf8(face), 10);
        EXPECT_TRUE(QFontMetrics(f).inFont(QChar(0x5DE5)));   // 工
        EXPECT_TRUE(QFontMetrics(f).inFont(QChar(0x7A0B)));   // 程
    }
}

TEST(NetworkImage, ExportPictureFormats)
{
    EnsureApp();
    TFakeMessages messages;
    TPlanShape shape;
    shape.works = 30;
    auto net = GeneratePlan(shape);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };

    std::string problem;
    ASSERT_TRUE(ExportPicture(*net, path("plan.png"), TPicturePalette::Print, 1.0, &problem))
        << problem;
    const TCanvasSize size = DrawingSize(*net);
    QImage png(QString::fromStdString(path("plan.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.width(), size.cx);
    EXPECT_EQ(png.height(), size.cy);
    EXPECT_EQ(png.pixel(2, 2), qRgb(255, 255, 255));
    // The screen palette restored for the document afterwards.
    EXPECT_EQ(net->displaySettings.backgroundColor, net->screenPalette.backgroundColor);

    ASSERT_TRUE(ExportPicture(*net, path("plan@2.png"), TPicturePalette::Screen, 2.0, &problem));
    QImage twice(QString::fromStdString(path("plan@2.png")));
    EXPECT_EQ(twice.width(), 2 * size.cx);
    EXPECT_EQ(twice.pixel(2, 2), qRgb(0, 0, 0));

    struct File {
        const char* name;
        QByteArray head;
    };
    const File files[] = {{"plan.jpg", "\xff\xd8"},
                          {"plan.bmp", "BM"},
                          {"plan.svg", "<?xml"},
                          {"plan.pdf", "%PDF"}};
    for (const File& k : files) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(ExportPicture(*net, path(k.name), TPicturePalette::Print, 1.0, &problem))
            << problem;
        QFile f(QString::fromStdString(path(k.name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(64).startsWith(k.head));
        EXPECT_GT(f.size(), 2000);
    }

    EXPECT_FALSE(ExportPicture(*net, path("plan.gif2"), TPicturePalette::Print, 1.0, &problem));
    EXPECT_NE(problem.find("gif2"), std::string::npos);
    EXPECT_FALSE(ExportPicture(*net, path("huge.png"), TPicturePalette::Print, 1000.0, &problem));
    EXPECT_NE(problem.find("smaller scale"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("huge.png"))));
    // Sides beyond what the PNG format holds are named as such.
    EXPECT_FALSE(ExportPicture(*net, path("vast.png"), TPicturePalette::Print, 1e7, &problem));
    EXPECT_NE(problem.find("more than a PNG picture can hold"), std::string::npos) << problem;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("vast.png"))));
}

// A PNG picture is drawn band by band and written row by row; its pixels are
// those of the same drawing in one piece (the BMP picture), whatever the
// height of the bands, the last band shorter than the others included.
TEST(NetworkImage, PngInBandsMatchesTheDrawingInOnePiece)
{
    EnsureApp();
    TFakeMessages messages;
    TPlanShape shape;
    shape.works = 60;
    shape.seed = 3;
    shape.startNodes = 4;
    auto net = GeneratePlan(shape);
    net->showTimeLabels = 1;
    net->showFrame = true;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    std::string problem;
    for (TPicturePalette palette : {TPicturePalette::Print, TPicturePalette::Screen}) {
        ASSERT_TRUE(ExportPicture(*net, path("whole.bmp"), palette, 1.0, &problem)) << problem;
        const QImage whole = QImage(QString::fromStdString(path("whole.bmp")))
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(whole.isNull());
        ASSERT_GT(whole.height(), 100);
        const TPngBands shapes[] = {{}, {7, 100}, {64, 0}, {whole.height() - 1, whole.width() - 1}};
        for (const TPngBands& shape : shapes) {
            SCOPED_TRACE(std::to_string(shape.rows) + " x " + std::to_string(shape.columns));
            ASSERT_TRUE(ExportPicture(*net, path("bands.png"), palette, 1.0, &problem, shape))
                << problem;
            const QImage bands = QImage(QString::fromStdString(path("bands.png")))
                                     .convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(bands.size(), whole.size());
            EXPECT_TRUE(bands == whole);
        }
    }
}

}
