#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QMessageBox>
#include <QTranslator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

#include "drawing/Displaysettings.h"
#include "drawing/Biaozhu.h"
#include "drawing/Pertsetfm.h"
#include "drawing/Setbiaozhufm.h"
#include "drawing/Timesetfm.h"
#include "editing/Deletechoice.h"
#include "editing/Deletefm.h"
#include "editing/Paixufm.h"
#include "editing/Timedicfm.h"
#include "editing/Fenduanfm.h"
#include "editing/Liushuisetfm.h"
#include "support/Netbuilder.h"
#include <QDateEdit>
#include "gantt/Paixuchoice.h"
#include <QRadioButton>
#include <QTableWidget>
#include "gantt/Gantt.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"
#include "platform/qt/Qtmessagebox.h"
#include "platform/qt/Qtsingleinstance.h"
#include "platform/qt/Qttranslations.h"
#include "support/Fakemessages.h"

namespace {

TEST(DisplaySettingsWindow, AFieldThatIsNotANumberKeepsTheDialogOpen)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = SmallPlan();
    Tpertsetfm d(*net);
    d.nodeRadiusX->setText(QString());
    d.Confirm();
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"请输入一个数字"});
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(net->displaySettings.nodeRadiusX, 9);
    d.nodeRadiusX->setText(QStringLiteral("12"));
    d.Confirm();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    EXPECT_EQ(net->displaySettings.nodeRadiusX, 12);
    EXPECT_TRUE(d.Changed());
}

TEST(DisplaySettingsWindow, EqualRatiosTakeTheHorizontalValue)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tpertsetfm d(*net);
    d.printRatioX->setText(QStringLiteral("80"));
    d.printRatioY->setText(QStringLiteral("55"));
    d.equalRatios->setChecked(true);
    d.Confirm();
    EXPECT_EQ(net->displaySettings.printRatioX, 80);
    EXPECT_EQ(net->displaySettings.printRatioY, 80);
}

TEST(DisplaySettingsWindow, TheGanttPageEditsTheChart)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tpertsetfm d(*net);
    d.ganttTitle->setText(QStringLiteral("进度横道图"));
    d.ganttRowsPerPage->setText(QStringLiteral("30"));
    d.ganttColumns->item(4, 0)->setCheckState(Qt::Checked);      // 工程量 shown
    d.ganttColumns->item(3, 2)->setText(QStringLiteral("200"));  // 工作名称 wider
    d.ganttResources->setText(QStringLiteral("R1, R2"));
    d.Confirm();
    const Tgantt& g = net->liveGantt;
    EXPECT_EQ(g.title, "进度横道图");
    EXPECT_EQ(g.rowsPerPage, 30);
    EXPECT_TRUE(g.columns[4].visible);
    EXPECT_EQ(g.columns[3].width, 200);
    EXPECT_EQ(g.resourceColumnIds, (std::vector<std::string>{"R1", "R2"}));
    EXPECT_TRUE(net->modified);
}

TEST(SortWindow, TheRadioButtonsSetTheChoice)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    TPaixuChoice choice(net.get());
    Tpaixufm d(choice);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("排序"));
    EXPECT_EQ(d.byStart->text(), QStringLiteral("按实际开始时间排序"));
    EXPECT_TRUE(d.byStart->isChecked());
    d.byGroup->click();
    EXPECT_EQ(choice.paixumode, 1);
    d.byStart->click();
    EXPECT_EQ(choice.paixumode, 0);
}

TEST(DeleteWindow, TheWorkBoxAndTheLinkBoxesExcludeEachOther)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tedge* work = net->AllWorks().front();
    work->data->name = "  ";
    TDeleteChoice choice(net.get(), work);
    TDeletefm d(choice);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("删除工作"));
    EXPECT_EQ(d.chkedge->text(), QStringLiteral("工作名称"));   // a blank name
    EXPECT_TRUE(d.chkedge->isChecked());
    EXPECT_FALSE(d.chkbacklink->isChecked());
    EXPECT_TRUE(d.okbut->isDefault());
    d.chkbacklink->click();
    d.chkfrontlink->click();
    EXPECT_FALSE(d.chkedge->isChecked());
    EXPECT_TRUE(d.chkbacklink->isChecked() && d.chkfrontlink->isChecked());
    EXPECT_TRUE(choice.chkbacklink && choice.chkfrontlink && !choice.chkedge);
    d.chkedge->click();
    EXPECT_TRUE(d.chkedge->isChecked());
    EXPECT_FALSE(d.chkbacklink->isChecked() || d.chkfrontlink->isChecked());
    EXPECT_TRUE(choice.chkedge && !choice.chkbacklink && !choice.chkfrontlink);
}

TEST(TimedicWindow, TheScrollBarShiftsAndCancelRestores)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    net->Recalculate();
    Tedge* work = nullptr;
    for (Tedge* w : net->AllWorks())
        if (w->TF() >= 1 && w->data->start == w->data->es) work = w;
    ASSERT_NE(work, nullptr);
    const auto before = net->Clone();
    TTimedic state(net.get(), work);
    Ttimedicfm d(state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("时差调整"));
    EXPECT_EQ(d.diceditgbx->title(), QString::fromStdString(work->data->name + "时差调整"));
    EXPECT_EQ(d.diceditscb->maximum(), state.scrollMax);
    EXPECT_TRUE(d.okbut->isDefault());
    d.diceditscb->setValue(1);
    EXPECT_EQ(d.leftdicud->value(), 1);
    EXPECT_EQ(d.rightdicedit->text(), QString::number(state.scrollMax - 1));
    EXPECT_FLOAT_EQ(work->data->start, work->fromNode->time + 1);
    d.cancelbut->click();
    EXPECT_FALSE(state.confirmed);
    state.Restore();
    EXPECT_TRUE(net->IsSameAs(*before));
}

TEST(FenduanWindow, TheScrollBarSetsBothPartsAndTheDatesReadLong)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tedge* work = nullptr;
    for (Tedge* w : net->AllWorks())
        if (w->data->duration >= 2 && !w->nextSegment) work = w;
    ASSERT_NE(work, nullptr);
    TFenduan state(net.get(), work, work->data->start + 1);
    Tfenduanfm d(state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("工作分段"));
    EXPECT_EQ(d.firstedgeduredit->text(), QStringLiteral("1"));
    d.fenduanscb->setValue(2);
    EXPECT_EQ(d.firstedgeduredit->text(), QStringLiteral("2"));
    EXPECT_EQ(d.secondedgeduredit->text(), QString::number(double(work->data->duration) - 2));
    EXPECT_EQ(d.workstarttimedt->displayFormat(), QStringLiteral("yyyy年M月d日"));
    d.cancalbtn->click();
    EXPECT_EQ(work->nextSegment, nullptr);
}

TEST(AnnotationWindow, TheControlsEditTheStateAndAWidthThatIsNoNumberIsUndone)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    TBiaoZhu a;
    a.text = "基础验收";
    TSetBiaoZhu state(a);
    TfmSetBiaoZhu d(state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("标注属性"));
    EXPECT_EQ(d.memo->toPlainText(), QStringLiteral("基础验收"));
    EXPECT_EQ(d.memo->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(d.linewidthedit->text(), QStringLiteral("2"));
    EXPECT_TRUE(d.framechk->isChecked());
    EXPECT_TRUE(d.okbut->isDefault());
    d.memo->setPlainText(QStringLiteral("拆模"));
    // What typing does: each edit reaches the dialog as textEdited.
    for (const QString& typed : {QStringLiteral("3"), QStringLiteral("3x")}) {
        d.linewidthedit->setText(typed);
        emit d.linewidthedit->textEdited(typed);
    }
    EXPECT_EQ(d.linewidthedit->text(), QStringLiteral("3"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "请输入一个数字！");
    d.framechk->click();
    d.okbut->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(state.Confirm(a));
    EXPECT_EQ(a.text, "拆模");
    EXPECT_EQ(a.boxLineWidth, 3);
    EXPECT_FALSE(a.hasFrame);
}

TEST(FenduanWindow, TheEditModeShowsItsChoicesAndMergesThePair)
{
    EnsureDesktopApp();
    auto net = SmallPlan();
    Tedge* work = nullptr;
    for (Tedge* w : net->AllWorks())
        if (w->data->duration >= 2 && !w->nextSegment) work = w;
    ASSERT_NE(work, nullptr);
    const float total = work->data->duration;
    ASSERT_EQ(SplitWork(*net, work, 1, total - 1), 1);
    {
        TFenduan split(net.get(), work, work->data->start);
        Tfenduanfm d(split);
        EXPECT_TRUE(d.editselectbox->isHidden());
    }
    TFenduan state = TFenduan::ForSegments(net.get(), work);
    Tfenduanfm d(state);
    EXPECT_FALSE(d.editselectbox->isHidden());
    EXPECT_TRUE(d.fenduanrbtn->isChecked());
    EXPECT_EQ(d.firstedgeduredit->text(), QStringLiteral("1"));
    d.hebinrbtn->click();
    EXPECT_FALSE(d.firstedgeduredit->isEnabled());
    d.okbtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(work->nextSegment, nullptr);
    EXPECT_FLOAT_EQ(work->data->duration, total);
}

TEST(LiushuiWindow, TheDefaultsAndWhatOkHandsOn)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    TNetBuilder b;
    Tedge* p = b.Work('A', 'B', 2);
    Tedge* q = b.Work('B', 'C', 3);
    b.Place();
    b.net->Recalculate();
    b.net->selection = {p, q};
    TLiushuiset state(b.net.get());
    Tliushuisetfm d(state);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("参数设置"));
    EXPECT_EQ(d.liushuicengnumedit->text(), QStringLiteral("9"));
    EXPECT_EQ(d.liushuiduannumedit->text(), QStringLiteral("1"));
    EXPECT_EQ(d.liushuicengnumedit->maxLength(), 2);
    EXPECT_TRUE(d.chkcengduanname->isChecked());
    EXPECT_TRUE(d.downrbtn->isChecked());
    EXPECT_TRUE(d.okbut->isDefault());
    d.liushuicengnumedit->setText(QStringLiteral("x"));
    d.okbut->click();
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"请输入正整数！"});
    EXPECT_NE(d.result(), QDialog::Accepted);
    d.liushuicengnumedit->setText(QStringLiteral("2"));
    d.uprbtn->click();
    d.okbut->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(b.net->WorkCount(), 4);
    EXPECT_EQ(p->data->name, "AB1");
}

TEST(RestDaysWindow, RemovingWithNothingHighlightedWarns)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = SmallPlan();
    Tfmtimeset d(*net);
    d.RemoveHighlighted();
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"请先选择要删除的时间！"});
    d.yearEdit->setText(QStringLiteral("二〇二四"));
    d.AutoAdd();
    EXPECT_EQ(msgs.Texts().back(), "输入的时间有误！");
    d.yearEdit->setText(QString::number(DateOfStamp(net->projectStart).year() + 1));
    d.AutoAdd();   // every Sunday of next year
    EXPECT_GE(d.list->count(), 52);
    d.list->item(0)->setSelected(true);
    d.RemoveHighlighted();
    EXPECT_EQ(int(d.State().days.size()), d.list->count());
}

TEST(SingleInstance, ALaterStartHandsItsFilesToTheRunningOne)
{
    EnsureDesktopApp();
    const QString name = QStringLiteral("arrowplan-test-%1").arg(QCoreApplication::applicationPid());
    TQtSingleInstance first(name);
    ASSERT_TRUE(first.Claim());
    std::vector<std::string> got;
    first.SetHandler([&](const std::vector<std::string>& files) { got = files; });
    TQtSingleInstance second(name);
    EXPECT_FALSE(second.Claim());
    ASSERT_TRUE(second.SendToRunning({"/工程/住宅楼.prt"}));
    for (int i = 0; i < 200 && got.empty(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(got, std::vector<std::string>{"/工程/住宅楼.prt"});
}

// Qt's own texts come out in Chinese: the buttons of our message boxes and
// the buttons of the open and save dialogs.
TEST(QtTranslations, MessageBoxesAndFileDialogsSpeakChinese)
{
    EnsureDesktopApp();
    QTranslator* translator = InstallQtTranslations(*QCoreApplication::instance());
    ASSERT_TRUE(translator) << "qtbase_zh_CN.qm not found";
    const struct {
        TMsgButtons buttons;
        QStringList texts;
    } cases[] = {
        {TMsgButtons::Ok, {"确定"}},
        {TMsgButtons::YesNo, {"是", "否"}},
        {TMsgButtons::YesNoCancel, {"是", "否", "取消"}},
    };
    TQtMessageService service;
    for (const auto& c : cases) {
        QStringList seen;
        WhenModal<QMessageBox>([&seen](QMessageBox& box) {
            // Without the keyboard accelerator: "是(&Y)" is "是".
            for (QAbstractButton* b : box.buttons())
                seen << b->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))).remove('&');
            box.button(box.buttons().size() == 1 ? QMessageBox::Ok : QMessageBox::No)->click();
        });
        service.Show("是否保存网络图1?", "退出", TMsgIcon::Question, c.buttons);
        seen.sort();
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(seen, expected);
    }
    for (const auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        QFileDialog d;
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(mode);
        auto* box = d.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(box);
        QStringList texts;
        for (QAbstractButton* b : box->buttons()) texts << b->text();
        const QString accept = mode == QFileDialog::AcceptOpen ? "打开" : "保存";
        EXPECT_TRUE(texts.join('|').contains(accept)) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.join('|').contains("取消")) << texts.join('|').toStdString();
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

}  // namespace
