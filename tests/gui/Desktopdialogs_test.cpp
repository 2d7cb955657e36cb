#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "drawing/Pertsetfm.h"
#include "editing/Deletechoice.h"
#include "editing/Deletefm.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"
#include "platform/qt/Qtsingleinstance.h"
#include "schedule/Timesetfm.h"
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

}  // namespace
