#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QToolBar>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Desktopgui.h"
#include "drawing/Displaysettings.h"
#include "editing/Relayout.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtprinter.h"
#include "shell/Previewfm.h"
#include "shell/Printnetwork.h"
#include "support/Fakemessages.h"
#include "support/Fakeprinter.h"
#include "support/Plangen.h"

namespace {

std::unique_ptr<Tpertgra> LaidOutPlan(int32_t works)
{
    TPlanShape shape;
    shape.works = works;
    auto net = GeneratePlan(shape);
    net->showFrame = true;
    LayoutNetwork(*net, 1, 1);
    return net;
}

// Pages of the written PDF: Qt writes one page object per sheet.
int PdfPages(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray all = f.readAll();
    return int(all.count("/Type /Page\n"));
}

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}

TEST(PrintPreview, ToolBarPagesGapsAndRatios)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = LaidOutPlan(200);
    TFakePrinter printer;
    printer.page = {700, 500};
    int ratioCalls = 0;
    TPreviewActions actions;
    actions.ratio = [&](bool enlarge) {
        ++ratioCalls;
        enlarge ? EnlargePrint(*net) : ShrinkPrint(*net);
    };
    Tpreviewfm w(*net, printer, actions);
    EXPECT_EQ(w.windowTitle(), "预览");
    QStringList bar;
    for (QAction* a : w.toolBar->actions())
        if (!a->isSeparator() && !a->text().isEmpty()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{"退出", "打印", "打印设置", "横向伸长", "横向压缩", "纵向伸长",
                                "纵向压缩", "图形属性", "打印比例及边距", "放大打印", "缩小打印"}));
    EXPECT_EQ(w.scaleBox->count(), 10);
    EXPECT_EQ(w.scaleBox->itemText(9), "10%");

    const TSheet s = w.Sheet();
    ASSERT_GT(s.across, 1);
    EXPECT_EQ(w.PageRect(1, 0).left(), int(s.width) + 10);
    EXPECT_EQ(w.PaintBoxSize().width(), (int(s.width) + 10) * s.across);
    // The last page is drawn when asked for, not left blank.
    EXPECT_TRUE(HasInk(w.PageImage(s.across - 1, s.down - 1)));
    EXPECT_EQ(net->displaySettings.backgroundColor, 0);  // the screen palette again

    w.scaleBox->setCurrentIndex(9);
    EXPECT_DOUBLE_EQ(w.Scale(), 0.1);
    EXPECT_NEAR(w.Sheet().width, s.width / 10, 1e-6);
    EXPECT_EQ(w.Sheet().across, s.across);

    net->displaySettings.printRatioX = 2;
    for (QAction* a : w.toolBar->actions())
        if (a->text() == "缩小打印") a->trigger();
    EXPECT_EQ(ratioCalls, 1);
    EXPECT_EQ(net->displaySettings.printRatioX, 2);
    EXPECT_EQ(net->displaySettings.printRatioY, 100);
    EXPECT_TRUE(msgs.shown.empty());

    if (const char* shot = std::getenv("ARROWPLAN_PREVIEW_SHOT")) {
        net->displaySettings.printRatioX = 100;
        w.scaleBox->setCurrentIndex(7);
        w.show();
        w.grab().save(QString::fromUtf8(shot));
    }
}

TEST(PrintPreview, RefusedWithoutPrintableArea)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = LaidOutPlan(20);
    TFakePrinter printer;
    printer.page = {40, 40};
    EXPECT_FALSE(Preview(*net, printer, {}, nullptr));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_NE(msgs.shown[0].text.find("页边距"), std::string::npos);
}

TEST(QtPrinter, PaperCodesBothWays)
{
    EXPECT_EQ(PageSizeOfPaperCode(9).id(), QPageSize::A4);
    EXPECT_EQ(PageSizeOfPaperCode(8).id(), QPageSize::A3);
    EXPECT_EQ(PageSizeOfPaperCode(1).id(), QPageSize::Letter);
    EXPECT_EQ(PaperCodeOfPageSize(QPageSize(QPageSize::A3)), 8);
    EXPECT_EQ(PaperCodeOfPageSize(QPageSize(QPageSize::A0)), 0);
    EnsureDesktopApp();
    TScratchFolder dir;
    TQtPrinter p(dir.File("x.pdf"));
    // A code Qt has no size for stays as stored.
    p.SetPaper(27, 1);
    EXPECT_EQ(p.PaperCode(), 27);
    p.SetPaper(8, 0);
    EXPECT_EQ(p.PaperCode(), 8);
    EXPECT_EQ(p.Orientation(), 0);
    EXPECT_EQ(p.Printers(), (std::vector<std::string>{TQtPrinter::kPdfPrinterName}));
}

TEST(QtPrinter, ALargePlanPrintsToAMultiPagePdf)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    TScratchFolder dir;
    auto net = LaidOutPlan(2000);
    const std::string path = dir.File("plan.pdf");
    TQtPrinter printer(path);
    ApplyPaper(printer, 9, 1);
    const TPrintGeometry g = PrintGeometry(*net, printer);
    ASSERT_TRUE(g.problem.empty());
    ASSERT_GT(g.Pages(), 4);
    ASSERT_TRUE(PrintPages(*net, printer, 1, g.Pages()));
    EXPECT_EQ(PdfPages(path), g.Pages());
    EXPECT_TRUE(msgs.shown.empty());
}

}

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include "drawing/Explaindraw.h"
#include "drawing/Pertsetfm.h"
#include "drawing/Tpertgrid.h"
#include "gantt/Gantt.h"

namespace {

TEST(ExplanationSettings, ThePageWritesTheBlockOfBothFrames)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    net->modified = false;
    Tpertsetfm d(*net);
    d.explainMode[2]->setChecked(true);
    d.explainHeight->setText(QStringLiteral("100"));
    d.explanationMemo->setPlainText(QStringLiteral("甲\n乙"));
    d.cellEdits[0]->setText(QStringLiteral("某建设公司"));
    d.titleStylePages->setCurrentIndex(1);
    d.rightBarGrid->item(1, 0)->setText(QStringLiteral("  "));   // row 2 emptied
    d.leftBarShown->setChecked(false);
    d.Confirm();
    const Tpertexplain& e = net->grid->explain;
    EXPECT_TRUE(d.Changed());
    EXPECT_EQ(e.showMode, 2);
    EXPECT_EQ(e.blockHeight, 100);
    EXPECT_EQ(e.explanationLines, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(e.cells[0], "某建设公司");
    EXPECT_EQ(e.titleStyle, 1);
    EXPECT_EQ(e.rightBar.labels, (std::vector<std::string>{"项目名称", "绘图人", "文件名"}));
    EXPECT_TRUE(e.rightBar.values.empty());
    EXPECT_FALSE(e.leftBar.shown);
    EXPECT_TRUE(net->liveGantt.ruler.explain == e);
}

TEST(ExplanationSettings, TheDownKeyInTheLastRowOfATitleTableAppendsARow)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    net->grid->explain.leftBar.labels.clear();
    net->grid->explain.leftBar.values.clear();
    Tpertsetfm d(*net);
    QTableWidget* g = d.rightBarGrid;
    ASSERT_EQ(g->rowCount(), 4);   // the four default labels, no spare rows
    EXPECT_EQ(d.leftBarGrid->rowCount(), 1);
    auto down = [](QTableWidget* t) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(t, &press);
    };
    g->setCurrentCell(1, 0);
    down(g);
    EXPECT_EQ(g->rowCount(), 4);
    EXPECT_EQ(g->currentRow(), 2);
    g->setCurrentCell(3, 1);
    down(g);
    ASSERT_EQ(g->rowCount(), 5);
    EXPECT_EQ(g->currentRow(), 4);
    g->item(4, 0)->setText(QStringLiteral("审核人"));
    g->item(4, 1)->setText(QStringLiteral("张三"));
    d.titleStylePages->setCurrentIndex(1);
    d.Confirm();
    const TTitleBar& bar = net->grid->explain.rightBar;
    EXPECT_EQ(bar.labels, (std::vector<std::string>{"项目名称", "施工单位", "绘图人", "文件名", "审核人"}));
    EXPECT_EQ(bar.values, (std::vector<std::string>{"张三"}));
}

TEST(ExplanationSettings, UnchangedConfirmChangesNothingAndAutoItemsFillAtOnce)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    const Tpertexplain before = net->grid->explain;
    {
        Tpertsetfm d(*net);
        d.Confirm();
        EXPECT_FALSE(d.Changed());
        EXPECT_TRUE(net->grid->explain == before);
    }
    net->grid->explain.autoEnd = false;
    Tpertsetfm d(*net);
    d.autoEnd->setChecked(true);
    EXPECT_EQ(d.cellEdits[18]->text().toStdString(), AutoEndText(*net));
}

TEST(PrintSettings, BottomAndRightMarginsAndTheGanttMargins)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tpertsetfm d(*net);
    d.ShowPrintPage();
    d.printBottomMargin->setText(QStringLiteral("20"));
    d.printRightMargin->setText(QStringLiteral("-3"));
    d.ganttPrintMargins[3]->setText(QStringLiteral("30"));
    emit d.ganttPrintMargins[3]->textEdited(QStringLiteral("30"));
    d.Confirm();
    EXPECT_EQ(net->printBottomMargin, 20);
    EXPECT_EQ(net->printRightMargin, 0);   // a margin is never negative
    EXPECT_EQ(net->liveGantt.margins.rightMargin, 30);
}

}
