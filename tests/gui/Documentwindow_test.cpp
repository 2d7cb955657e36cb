#include "editing/Pertfm1.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QMenu>
#include <QLabel>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "editing/Autobackup.h"
#include "editing/Selectcmd.h"
#include "file/Projectfile.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "shell/Pertmainfm1.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"

namespace {

// A command that reports a change at every release, as an editing tool would.
class TChangingCmd : public CPertCommand {
public:
    int32_t Kind() const override { return ckSelect; }
    int32_t MouseDown(Tpertgra&, int32_t, TPosition2D, TPertDrawMode&) override { return 0; }
    int32_t MouseMove(Tpertgra&, int32_t, TPosition2D, TPertDrawMode&) override { return 0; }
    int32_t MouseUp(Tpertgra& net, int32_t, TPosition2D, TPertDrawMode&) override
    {
        net.nodes.front()->firstWork->data->duration += 1;
        return 1;
    }
    int32_t DoubleClick(Tpertgra&, TPertDrawMode&) override { return 0; }
};

struct DocFixture {
    explicit DocFixture(std::unique_ptr<Tpertgra> net = SmallPlan())
    {
        EnsureDesktopApp();
        folders = TProgramFolders::InOneFolder(dir.path);
        window = std::make_unique<Tpertmainfm>(folders, timers.Factory());
        window->resize(900, 700);
        window->show();
        const std::string path = dir.File("plan.prt");
        EXPECT_TRUE(SaveProject(*net, path));
        doc = window->OpenDocument(path);
        QApplication::processEvents();
    }
    QWidget* Box() const { return doc->paintbox; }
    void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QMouseEvent press(QEvent::MouseButtonPress, p, Box()->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, m);
        QApplication::sendEvent(Box(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, Box()->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, m);
        QApplication::sendEvent(Box(), &release);
    }
    void Move(QPoint p, Qt::MouseButtons held)
    {
        QMouseEvent move(QEvent::MouseMove, p, Box()->mapToGlobal(p), Qt::NoButton, held,
                         Qt::NoModifier);
        QApplication::sendEvent(Box(), &move);
    }
    void Wheel(int delta)
    {
        const QPointF at(100, 100);
        QWheelEvent w(at, Box()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Box(), &w);
    }
    QAction* Action(const char* text)
    {
        for (QAction* a : window->findChildren<QAction*>())
            if (!a->menu() && a->text() == QString::fromUtf8(text)) return a;
        return nullptr;
    }

    TScratchFolder dir;
    TProgramFolders folders;
    TFakeMessages msgs;
    TFakeFileDialogs dialogs;
    TManualTimers timers;
    std::unique_ptr<Tpertmainfm> window;
    Tpertfm* doc = nullptr;
};

TEST(DocumentWindow, ChangesAreBackedUpAtMostOncePerSecond)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    f.window->toolCommand = std::make_unique<TChangingCmd>();
    ASSERT_EQ(f.timers.made.size(), 1u);
    TManualTimer& timer = *f.timers.made[0];
    const std::string backup = f.dir.File("~TMP");
    f.Click({300, 300});
    EXPECT_TRUE(f.doc->Network()->modified);
    f.doc->doc.backup->WaitIdle();
    ASSERT_TRUE(FileExists(backup));
    EXPECT_EQ(f.doc->doc.backup->Writes(), 1);
    f.Click({300, 300});
    f.Click({300, 300});
    EXPECT_EQ(f.doc->doc.backup->Writes(), 1);   // within the second
    const float latest = f.doc->Network()->nodes.front()->firstWork->data->duration;
    timer.Fire();
    EXPECT_EQ(f.doc->doc.backup->Writes(), 2);   // the second is over: the latest state
    Tpertgra back;
    ASSERT_EQ(LoadProject(back, backup), 1);
    EXPECT_EQ(back.nodes.front()->firstWork->data->duration, latest);
    // The document itself still belongs to its file.
    EXPECT_EQ(f.doc->Network()->fileName, f.dir.File("plan.prt"));
    EXPECT_TRUE(f.doc->Network()->modified);
}

TEST(DocumentWindow, UndoReachesTheOpenedStateAndRedoComesBack)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    const float opened = f.doc->Network()->nodes.front()->firstWork->data->duration;
    f.window->toolCommand = std::make_unique<TChangingCmd>();
    f.Click({300, 300});
    f.Action("撤消")->trigger();
    EXPECT_EQ(f.doc->Network()->nodes.front()->firstWork->data->duration, opened);
    f.Action("恢复")->trigger();
    EXPECT_EQ(f.doc->Network()->nodes.front()->firstWork->data->duration, opened + 1);
    // The tool command was made afresh for the network that undo put in place.
    EXPECT_NE(f.window->toolCommand.get(), nullptr);
}

TEST(DocumentWindow, WheelZoomNeedsTwoNotchesOneWay)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    f.Wheel(120);
    EXPECT_EQ(f.doc->doc.zoom, 100);
    f.Wheel(-120);
    EXPECT_EQ(f.doc->doc.zoom, 100);
    f.Wheel(120);
    f.Wheel(120);
    EXPECT_NEAR(f.doc->doc.zoom, 110, 1e-9);
    EXPECT_FALSE(f.window->zoomtbut->isChecked());
}

TEST(DocumentWindow, ZoomStopsAtTwoHundredAndOneToOneReturns)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    EXPECT_TRUE(f.window->zoomtbut->isChecked());
    for (int i = 0; i < 12; ++i) f.Action("放大")->trigger();
    EXPECT_EQ(f.doc->doc.zoom, 200);
    EXPECT_FALSE(f.window->zoomtbut->isChecked());
    f.Action("1：1")->trigger();
    EXPECT_TRUE(IsActualSize(f.doc->doc.zoom));
    EXPECT_TRUE(f.window->zoomtbut->isChecked());
}

TEST(DocumentWindow, ALongPlanAtTwoHundredPercentScrollsWithoutAHugeWidget)
{
    TPlanShape shape;
    shape.works = 3000;
    auto net = GeneratePlan(shape);
    DocFixture f(std::move(net));
    ASSERT_TRUE(f.doc);
    for (int i = 0; i < 12; ++i) f.Action("放大")->trigger();
    ASSERT_EQ(f.doc->doc.zoom, 200);
    QScrollBar* h = f.doc->scbox->horizontalScrollBar();
    EXPECT_GT(h->maximum(), 32767);              // the drawing is wider than X11 widgets may be
    EXPECT_LE(f.Box()->width(), f.window->width());
    const int before = f.doc->rebuilds;
    h->setValue(h->maximum());
    EXPECT_GT(f.doc->rebuilds, before);           // far right: the region there is drawn
    EXPECT_TRUE(f.doc->doc.viewCache.Covers(h->value(), int(f.doc->doc.view.scrollY),
                                            f.Box()->width(), f.Box()->height()));
    // Back to the left the picture is placed to end at the view; further
    // small steps stay inside it.
    h->setValue(h->value() - 8);
    const int after = f.doc->rebuilds;
    h->setValue(h->value() - 8);
    h->setValue(h->value() - 8);
    EXPECT_EQ(f.doc->rebuilds, after);
}

TEST(DocumentWindow, RubberBandIsPaintedWhileDraggingAndGoneAfterwards)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    auto* select = dynamic_cast<TSelectCmd*>(f.window->toolCommand.get());
    ASSERT_TRUE(select);
    const QPoint from(20, 20), to(400, 450);
    f.Move(from, Qt::NoButton);
    QMouseEvent press(QEvent::MouseButtonPress, from, f.Box()->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Box(), &press);
    f.Move(to, Qt::LeftButton);
    EXPECT_TRUE(select->bandShown);
    const QImage during = f.Box()->grab().toImage();
    QMouseEvent release(QEvent::MouseButtonRelease, to, f.Box()->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.Box(), &release);
    EXPECT_FALSE(select->bandShown);
    const QImage after = f.Box()->grab().toImage();
    // Along the band's lower edge the picture differs while dragging and is back afterwards.
    int differs = 0, back = 0;
    for (int x = 260; x < 380; ++x) {
        for (int y = to.y() - 2; y <= to.y() + 2; ++y) differs += during.pixel(x, y) != after.pixel(x, y);
        back += after.pixel(x, to.y()) == after.pixel(x, to.y() + 6);
    }
    EXPECT_GT(differs, 10);
    EXPECT_GT(back, 100);
}

TEST(DocumentWindow, StatusPanelsFollowThePointer)
{
    DocFixture f;
    ASSERT_TRUE(f.doc);
    f.Move({150, 150}, Qt::NoButton);
    EXPECT_TRUE(f.window->pointerPanels[1]->text().startsWith(QStringLiteral("当前时间:")));
    EXPECT_EQ(f.window->pointerPanels[4]->text(), QStringLiteral("总工期:8天"));
    f.doc->Network()->modified = false;
    f.doc->parentWidget()->close();
    EXPECT_TRUE(f.window->pointerPanels[1]->text().isEmpty());
    // The last document is gone: its total duration goes with it.
    EXPECT_TRUE(f.window->pointerPanels[4]->text().isEmpty());
}

}  // namespace
