// The work dialog's window: its widgets reach the dialog's rules and show
// what the rules leave in the boxes.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "editing/Relayout.h"
#include "entry/Budgetitemsource.h"
#include "entry/Worktablefm1.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "platform/Programfolders.h"
#include "platform/qt/Qtdialogkit.h"
#include "support/Fakemessages.h"

namespace {

using Texts = std::vector<std::string>;

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

void Key(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

void Focus(QWidget* w, bool in)
{
    QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

void SelectAll(QLineEdit* e)
{
    e->selectAll();
}

// A -> B (5), B -> C (3), A -> C (2), laid out.
std::unique_ptr<Tpertgra> Plan()
{
    auto net = SmallPlan();
    LayoutNetwork(*net);
    return net;
}

Tedge* WorkNamed(Tpertgra& net, const std::string& name)
{
    for (Tedge* w : net.AllWorks())
        if (w->data->name == name) return w;
    return nullptr;
}

TAddAnchors AtNode(Tvertex* v)
{
    TAddAnchors a;
    a.kind = TAddAnchors::Node;
    a.node = v;
    return a;
}

TEST(WorkDialogWindow, CaptionsKindsAndTheForcedDuration)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    Tworktablefm add(*net, AtNode(net->nodes[1].get()), nullptr);
    EXPECT_EQ(add.windowTitle(), QStringLiteral("工作信息(添加工作)"));
    EXPECT_EQ(add.typecob->count(), 6);
    EXPECT_EQ(add.typecob->currentText(), QStringLiteral("实工作"));
    EXPECT_EQ(add.duredit->text(), QStringLiteral("10"));
    EXPECT_EQ(add.duredit->maxLength(), 6);
    EXPECT_EQ(add.gcledit->text(), QStringLiteral("0"));
    EXPECT_EQ(add.edtfinishbili->text(), QStringLiteral("-1"));
    EXPECT_FALSE(add.workesdt->isEnabled());
    EXPECT_TRUE(add.WorkendtimeEdt->isEnabled());

    add.typecob->setCurrentText(QStringLiteral("虚工作"));
    EXPECT_EQ(add.duredit->text(), QStringLiteral("0"));
    Type(add.duredit, QStringLiteral("5"));
    EXPECT_EQ(add.duredit->text(), QStringLiteral("0"));
    add.typecob->setCurrentText(QStringLiteral("实工作"));
    SelectAll(add.duredit);
    Type(add.duredit, QStringLiteral("7"));
    EXPECT_EQ(add.duredit->text(), QStringLiteral("7"));
    Type(add.duredit, QStringLiteral("x"));
    EXPECT_EQ(add.duredit->text(), QStringLiteral("7"));
    EXPECT_EQ(msgs.Texts(), Texts{"请输入一个数字"});
    EXPECT_EQ(add.State().duration, "7");

    Tedge* w = WorkNamed(*net, "AB");
    Tworktablefm edit(*net, w, nullptr);
    EXPECT_EQ(edit.windowTitle(), QStringLiteral("工作信息(修改工作)"));
    EXPECT_EQ(edit.namecob->currentText(), QStringLiteral("AB"));
    EXPECT_EQ(edit.duredit->text(), QStringLiteral("5"));
}

TEST(WorkDialogWindow, EscPutsTheBoxBackAndLeavingTheCompletionFillsIt)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    Tworktablefm d(*net, WorkNamed(*net, "BC"), nullptr);
    Focus(d.gcledit, true);
    SelectAll(d.gcledit);
    Type(d.gcledit, QStringLiteral("45"));
    EXPECT_EQ(d.State().quantity, "45");
    Key(d.gcledit, Qt::Key_Escape);
    EXPECT_EQ(d.gcledit->text(), QStringLiteral("0"));
    EXPECT_EQ(d.result(), 0);   // Esc in a box does not close the dialog

    Focus(d.edtfinishbili, true);
    d.edtfinishbili->clear();
    Type(d.edtfinishbili, QStringLiteral("-"));
    EXPECT_EQ(d.edtfinishbili->text(), QStringLiteral("-"));
    Focus(d.edtfinishbili, false);
    EXPECT_EQ(d.edtfinishbili->text(), QStringLiteral("-1"));
    Focus(d.edtfinishbili, true);
    SelectAll(d.edtfinishbili);
    Type(d.edtfinishbili, QStringLiteral("150"));
    EXPECT_EQ(d.edtfinishbili->text(), QStringLiteral("-1"));
    EXPECT_EQ(msgs.Texts(), Texts{"完成率不能大于100！"});
}

TEST(WorkDialogWindow, ARefusedMilestoneLeavesTheDialogOpenWithItsValues)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    const auto before = net->Clone();
    Tworktablefm d(*net, AtNode(net->nodes[1].get()), nullptr);
    d.namecob->setEditText(QStringLiteral("主体验收"));
    d.typecob->setCurrentText(QStringLiteral("里程碑"));
    d.okButton->click();
    EXPECT_EQ(msgs.Texts(), Texts{"不能添加里程碑！"});
    EXPECT_EQ(d.LastConfirm(), TWorkConfirm::StayOpen);
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(d.namecob->currentText(), QStringLiteral("主体验收"));
    EXPECT_EQ(d.typecob->currentText(), QStringLiteral("里程碑"));
    EXPECT_TRUE(net->IsSameAs(*before));

    d.typecob->setCurrentText(QStringLiteral("实工作"));
    SelectAll(d.duredit);
    Type(d.duredit, QStringLiteral("4"));
    d.okButton->click();
    EXPECT_EQ(d.LastConfirm(), TWorkConfirm::Changed);
    EXPECT_EQ(d.result(), 1);
    Tedge* added = WorkNamed(*net, "主体验收");
    ASSERT_NE(added, nullptr);
    EXPECT_FLOAT_EQ(added->data->duration, 4);
}

TEST(WorkDialogWindow, AnEmptyDurationFocusesTheBox)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    Tworktablefm d(*net, WorkNamed(*net, "AB"), nullptr);
    d.pages->setCurrentIndex(1);
    SelectAll(d.duredit);
    Key(d.duredit, Qt::Key_Backspace);
    EXPECT_EQ(d.State().duration, "");
    d.Confirm();
    EXPECT_EQ(msgs.Texts(), Texts{"持续时间不能为空！"});
    EXPECT_EQ(d.pages->currentIndex(), 0);
    EXPECT_EQ(d.result(), 0);
}

TEST(WorkDialogWindow, ResourceLinesAndStatisticsPages)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    Tworktablefm d(*net, WorkNamed(*net, "AB"), nullptr);   // 5 days
    d.pages->setCurrentIndex(2);
    d.resnumbercob->setEditText(QStringLiteral("R1"));
    EXPECT_EQ(d.resdanweiedit->text(), QStringLiteral("人"));
    EXPECT_EQ(d.resleibiecob->currentText(), QStringLiteral("人力资源"));
    EXPECT_TRUE(d.resdwsledit->isEnabled());
    EXPECT_FALSE(d.reszledit->isEnabled());
    d.jlmodecob->setCurrentIndex(1);
    EXPECT_FALSE(d.resdwsledit->isEnabled());
    EXPECT_TRUE(d.reszledit->isEnabled());
    Focus(d.reszledit, true);
    Type(d.reszledit, QStringLiteral("10"));
    Focus(d.reszledit, false);
    EXPECT_EQ(d.resdwsledit->text(), QStringLiteral("2"));
    Type(d.resdanjiaedit, QStringLiteral("80"));
    d.addResource->click();
    ASSERT_EQ(d.reslist->topLevelItemCount(), 1);
    QTreeWidgetItem* line = d.reslist->topLevelItem(0);
    EXPECT_EQ(line->text(0), QStringLiteral("R1"));
    EXPECT_EQ(line->text(2), QStringLiteral("2"));
    EXPECT_EQ(line->text(3), QStringLiteral("10"));
    EXPECT_EQ(line->text(4), QStringLiteral("总量"));
    EXPECT_EQ(line->text(7), QStringLiteral("800"));
    EXPECT_EQ(d.reslist->headerItem()->text(6), QStringLiteral("单价 "));

    d.pages->setCurrentIndex(3);
    EXPECT_EQ(d.labourCost->text(), QStringLiteral("800"));
    EXPECT_EQ(d.totalCost->text(), QStringLiteral("800"));
    EXPECT_EQ(d.totalPeople->text(), QStringLiteral("10"));
    EXPECT_EQ(d.labourDays->text(), QStringLiteral("2"));
    EXPECT_EQ(d.materialCost->text(), QStringLiteral("0"));

    d.pages->setCurrentIndex(2);
    d.reslist->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(d.resnumbercob->currentText(), QStringLiteral("R1"));
    msgs.answers = {TMsgAnswer::Yes};
    d.deleteResource->click();
    EXPECT_EQ(d.reslist->topLevelItemCount(), 0);
    EXPECT_EQ(d.resnumbercob->currentText(), QString());
    EXPECT_TRUE(msgs.Texts().back() == "真的要删除吗?");
}

TEST(WorkDialogWindow, ShiftClickSavesTheNameAndTheNameListRefills)
{
    EnsureDesktopApp();
    TScratchFolder dir;
    SetProgramFolders(TProgramFolders::InOneFolder(dir.path));
    WriteText(dir.File("workbook.txt"), "土方开挖\n");
    {
        auto net = Plan();
        Tworktablefm d(*net, AtNode(net->nodes[0].get()), nullptr);
        d.namecob->setEditText(QStringLiteral("基础垫层"));
        const QPoint p(3, 3);
        QMouseEvent press(QEvent::MouseButtonPress, p, d.btnworkname->mapToGlobal(p),
                          Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(d.btnworkname, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, d.btnworkname->mapToGlobal(p),
                            Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
        QApplication::sendEvent(d.btnworkname, &release);
        EXPECT_EQ(FileText(dir.File("workbook.txt")), "土方开挖\n基础垫层\n");
        d.namecob->showPopup();
        d.namecob->hidePopup();
        ASSERT_EQ(d.namecob->count(), 2);
        EXPECT_EQ(d.namecob->itemText(1), QStringLiteral("基础垫层"));
        EXPECT_EQ(d.namecob->currentText(), QStringLiteral("基础垫层"));
    }
    SetProgramFolders(TProgramFolders::InOneFolder("."));
}

class TOneItem : public IBudgetItemSource {
public:
    std::optional<Tworkdata> HighlightedItem() const override { return item; }
    void ReleaseHighlight() override { ++released; }
    Tworkdata item;
    int released = 0;
};

TEST(WorkDialogWindow, TheDialogsForTheCommandsReportTheOutcome)
{
    EnsureDesktopApp();
    TFakeMessages msgs;
    auto net = Plan();
    TOneItem items;
    items.item.name = "混凝土浇筑";
    items.item.quantity = 12.5;
    auto dialogs = MakeWorktableDialogs(nullptr, &items);
    SetWorkDialogs(dialogs.get());
    // 确定 on the dialog as soon as it is shown
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Tworktablefm*>(w); d && d->isVisible()) d->okButton->click();
    });
    const TWorkDialogOutcome out = WorkDialogs().AddWork(*net, AtNode(net->nodes[1].get()));
    EXPECT_EQ(out.result, 1);
    EXPECT_TRUE(out.changed);
    ASSERT_NE(out.added, nullptr);
    EXPECT_EQ(out.added->data->name, "混凝土浇筑");
    EXPECT_DOUBLE_EQ(out.added->data->quantity, 12.5);
    EXPECT_EQ(items.released, 1);

    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<Tworktablefm*>(w); d && d->isVisible())
                d->cancelButton->click();
    });
    const auto before = net->Clone();
    const TWorkDialogOutcome cancelled = WorkDialogs().EditWork(*net, WorkNamed(*net, "BC"));
    EXPECT_EQ(cancelled.result, 2);
    EXPECT_FALSE(cancelled.changed);
    EXPECT_TRUE(net->IsSameAs(*before));
    EXPECT_EQ(items.released, 2);
    SetWorkDialogs(nullptr);
}

}  // namespace
