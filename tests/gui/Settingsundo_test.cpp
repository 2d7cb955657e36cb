// The settings dialogs and view commands of the main window in the undo
// history: a confirmed change is one step that marks the document modified
// and writes the backup; an edit after it is undone alone, the next undo
// takes the change back; 取消 and an unchanged 确定 record nothing.
#include "shell/Pertmainfm1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <vector>

#include "drawing/Durinterval_x.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertsetfm.h"
#include "drawing/Scalesetfm.h"
#include "drawing/Timedatasetfm.h"
#include "drawing/Vanguardlinesetfm.h"
#include "editing/Autobackup.h"
#include "editing/Pertfm1.h"
#include "editing/Workinsert.h"
#include "entry/Createpertinffm.h"
#include "file/Projectfile.h"
#include "gantt/Gantt.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtdialogkit.h"
#include "schedule/Perttime_out.h"
#include "drawing/Timesetfm.h"
#include "support/Fakemessages.h"

namespace {

struct UndoFixture {
    UndoFixture()
    {
        EnsureDesktopApp();
        folders = TProgramFolders::InOneFolder(dir.path);
        window = std::make_unique<Tpertmainfm>(folders, timers.Factory());
        window->resize(900, 700);
        window->show();
    }
    Tpertfm* Open()
    {
        const std::string path = dir.File("plan.prt");
        auto net = SmallPlan();
        EXPECT_TRUE(SaveProject(*net, path));
        return window->OpenDocument(path);
    }
    QAction* Menu(const char* text)
    {
        for (QAction* a : window->findChildren<QAction*>())
            if (!a->menu() && a->text() == QString::fromUtf8(text)) return a;
        return nullptr;
    }
    TScratchFolder dir;
    TProgramFolders folders;
    TFakeMessages msgs;
    TManualTimers timers;
    std::unique_ptr<Tpertmainfm> window;
};

void Press(QDialog& d, const char* caption)
{
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(caption)) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << caption;
}

// An ordinary edit recorded as the pointer commands record theirs.
void Edit(Tpertfm& d)
{
    Tpertgra& net = *d.Network();
    Tworkdata data;
    data.name = "新工作";
    data.duration = 4;
    if (net.nodes.empty()) {
        AddWorkAtAnchors(net, data, {});
    } else {
        TAddAnchors a;
        a.kind = TAddAnchors::Node;
        a.node = net.nodes.back().get();
        AddWorkAtAnchors(net, data, a);
    }
    d.doc.RecordChange();
    d.RefreshView();
}

bool HasWork(const Tpertgra& net, const std::string& name)
{
    for (const auto& n : net.nodes)
        for (const Tedge* w = n->firstWork; w; w = w->nextWork)
            if (w->data->name == name) return true;
    return false;
}

struct Case {
    const char* what;
    // Opens the dialog or runs the command on the document; `change` false
    // leaves the settings as they are and confirms or cancels.
    std::function<void(UndoFixture&, Tpertfm&, bool change, bool confirm)> run;
    // The setting the change makes, read from a network.
    std::function<bool(const Tpertgra&)> changed;
};

template <class D>
void Dialog(QAction* item, std::function<void(D&)> change, bool doChange, bool confirm)
{
    WhenModal<D>([change, doChange, confirm](D& d) {
        if (doChange) change(d);
        Press(d, confirm ? "确定" : "取消");
    });
    item->trigger();
}

const Case kCases[] = {
    {"属性设置",
     [](UndoFixture& f, Tpertfm&, bool change, bool confirm) {
         Dialog<Tpertsetfm>(f.Menu("属性设置"),
                            [](Tpertsetfm& d) { d.titleEdit->setText(QStringLiteral("住宅楼")); },
                            change, confirm);
     },
     [](const Tpertgra& n) { return n.title == "住宅楼"; }},
    {"资源图设置",
     [](UndoFixture& f, Tpertfm&, bool change, bool confirm) {
         Dialog<Tpertsetfm>(f.Menu("属性设置"),
                            [](Tpertsetfm& d) {
                                for (QCheckBox* b : d.findChildren<QCheckBox*>())
                                    if (b->text() == QStringLiteral("网络图里含资源图")) b->setChecked(false);
                            },
                            change, confirm);
     },
     [](const Tpertgra& n) { return !n.resourceDiagramInNetwork; }},
    {"休息日设置",
     [](UndoFixture& f, Tpertfm&, bool change, bool confirm) {
         Dialog<Tfmtimeset>(f.Menu("休息日设置"),
                            [](Tfmtimeset& d) {
                                d.weekdayBox->setCurrentText(QStringLiteral("星期日"));
                                d.AutoAdd();
                            },
                            change, confirm);
     },
     [](const Tpertgra& n) { return !n.restIntervals.Items().empty(); }},
    {"标尺比例设置",
     [](UndoFixture& f, Tpertfm&, bool change, bool confirm) {
         Dialog<Tfmscalebiliset>(f.Menu("标尺比例设置"),
                                 [](Tfmscalebiliset& d) {
                                     d.spanEnd->setDate(d.spanStart->date().addDays(3));
                                     Press(d, "添加");
                                 },
                                 change, confirm);
     },
     [](const Tpertgra& n) { return n.timeScale.intervals.size() == 1; }},
    {"时间参数设置",
     [](UndoFixture&, Tpertfm& d, bool change, bool confirm) {
         QAction* item = nullptr;
         for (QAction* a : d.pertppmenu->actions())
             if (a->text() == QStringLiteral("时间参数")) item = a;
         ASSERT_TRUE(item);
         Dialog<TTimedatasetFm>(item, [](TTimedatasetFm& t) { t.showBox->setChecked(true); },
                                change, confirm);
     },
     [](const Tpertgra& n) { return n.showTimeLabels == 1; }},
    {"前锋线设置",
     [](UndoFixture& f, Tpertfm&, bool change, bool confirm) {
         Dialog<Tvanguardlinesetfm>(f.Menu("前锋线设置"),
                                    [](Tvanguardlinesetfm& d) { d.showBox->setChecked(true); },
                                    change, confirm);
     },
     [](const Tpertgra& n) { return n.showProgressLine; }},
    {"显示资源图",
     [](UndoFixture& f, Tpertfm&, bool change, bool) {
         f.Menu(change ? "显示资源图" : "显示网络图")->trigger();
     },
     [](const Tpertgra& n) { return ViewKind(n) == 3; }},
    {"逻辑网络图",
     [](UndoFixture& f, Tpertfm&, bool change, bool) {
         const int i = change ? 1 : 0;
         f.window->Cobpert->setCurrentIndex(i);
         emit f.window->Cobpert->activated(i);
     },
     [](const Tpertgra& n) { return ViewKind(n) == 2; }},
    {"横道图",
     [](UndoFixture& f, Tpertfm&, bool change, bool) {
         if (change) f.window->ganttswbtn->trigger();
         else f.Menu("显示网络图")->trigger();
     },
     [](const Tpertgra& n) { return ViewKind(n) == 0; }},
    {"显示关系连线",
     [](UndoFixture& f, Tpertfm& d, bool change, bool) {
         if (!change) {
             f.Menu("显示网络图")->trigger();
             return;
         }
         for (QAction* a : d.pertppmenu->actions())
             if (a->text() == QStringLiteral("显示关系连线")) a->trigger();
     },
     [](const Tpertgra& n) { return n.liveGantt.ShowLinks() != Tgantt().ShowLinks(); }},
};

TEST(SettingsUndo, AConfirmedChangeIsOneStepAndAnEditAfterItIsUndoneAlone)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        UndoFixture f;
        Tpertfm* d = f.Open();
        ASSERT_TRUE(d);
        const int32_t steps = d->doc.history.Count();
        c.run(f, *d, true, true);
        ASSERT_TRUE(c.changed(*d->Network()));
        EXPECT_TRUE(d->Network()->modified);
        EXPECT_EQ(d->doc.history.Count(), steps + 1);
        ASSERT_TRUE(d->doc.backup);
        EXPECT_EQ(d->doc.backup->Writes(), 1);

        Edit(*d);
        ASSERT_TRUE(HasWork(*d->Network(), "新工作"));
        f.Menu("撤消")->trigger();
        EXPECT_FALSE(HasWork(*d->Network(), "新工作"));
        EXPECT_TRUE(c.changed(*d->Network())) << "the first undo took the setting too";
        f.Menu("撤消")->trigger();
        EXPECT_FALSE(c.changed(*d->Network()));
        f.Menu("恢复")->trigger();
        EXPECT_TRUE(c.changed(*d->Network()));
        EXPECT_FALSE(HasWork(*d->Network(), "新工作"));
    }
}

// 横道图里含资源图 stands on the Gantt page and the resource page: both
// boxes show the one setting.
TEST(SettingsUndo, TheGanttDiagramSwitchIsOneSettingOnTwoPages)
{
    UndoFixture f;
    Tpertfm* d = f.Open();
    ASSERT_TRUE(d);
    WhenModal<Tpertsetfm>([](Tpertsetfm& dialog) {
        std::vector<QCheckBox*> boxes;
        for (QCheckBox* b : dialog.findChildren<QCheckBox*>())
            if (b->text() == QStringLiteral("横道图里含资源图")) boxes.push_back(b);
        ASSERT_EQ(boxes.size(), 2u);
        boxes[1]->setChecked(true);
        EXPECT_TRUE(boxes[0]->isChecked());
        boxes[0]->setChecked(false);
        EXPECT_FALSE(boxes[1]->isChecked());
        boxes[1]->setChecked(true);
        Press(dialog, "确定");
    });
    f.Menu("属性设置")->trigger();
    EXPECT_TRUE(d->Network()->liveGantt.showResourceDiagram);
}

TEST(SettingsUndo, CancelAndAnUnchangedConfirmRecordNothing)
{
    for (const Case& c : kCases) {
        for (bool confirm : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (confirm ? " 确定" : " 取消"));
            UndoFixture f;
            Tpertfm* d = f.Open();
            ASSERT_TRUE(d);
            const int32_t steps = d->doc.history.Count();
            c.run(f, *d, false, confirm);
            EXPECT_FALSE(c.changed(*d->Network()));
            EXPECT_FALSE(d->Network()->modified);
            EXPECT_EQ(d->doc.history.Count(), steps);
            EXPECT_EQ(d->doc.backup->Writes(), 0);
        }
    }
}

// 伸长 and 压缩 of the scale dialog show their effect at once; 取消 puts the
// scale back and leaves no step.
TEST(SettingsUndo, AStretchInTheScaleDialogCancelledLeavesNoStep)
{
    UndoFixture f;
    Tpertfm* d = f.Open();
    ASSERT_TRUE(d);
    const int32_t steps = d->doc.history.Count();
    const double x = d->Network()->nodes.back()->x;
    WhenModal<Tfmscalebiliset>([](Tfmscalebiliset& s) {
        s.spanStart->setDate(s.spanStart->date().addDays(1));
        s.spanEnd->setDate(s.spanStart->date().addDays(4));
        Press(s, "添加");
        s.list->setCurrentItem(s.list->topLevelItem(0));
        Press(s, "伸长");
        Press(s, "取消");
    });
    f.Menu("标尺比例设置")->trigger();
    EXPECT_TRUE(d->Network()->timeScale.intervals.empty());
    EXPECT_EQ(d->Network()->nodes.back()->x, x);
    EXPECT_EQ(d->doc.history.Count(), steps);
}

// The project information of a new plan is its first state: undo goes back
// to it and never past it.
TEST(SettingsUndo, TheProjectInformationOfANewPlanStaysThroughUndo)
{
    UndoFixture f;
    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) {
        d.edtPertprjname->setText(QStringLiteral("幸福家园"));
        d.btnOk->click();
    });
    Tpertfm* d = f.window->NewDocument();
    ASSERT_TRUE(d);
    Edit(*d);
    ASSERT_TRUE(HasWork(*d->Network(), "新工作"));
    f.Menu("撤消")->trigger();
    EXPECT_FALSE(HasWork(*d->Network(), "新工作"));
    EXPECT_EQ(d->Network()->title, "幸福家园");
    f.Menu("撤消")->trigger();
    EXPECT_EQ(d->Network()->title, "幸福家园");
}

}  // namespace
