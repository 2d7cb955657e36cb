#include "shell/Fengmianfm.h"
#include "shell/Pertmainfm1.h"

#include <QAction>
#include <QToolBar>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "drawing/Displaysettings.h"
#include "drawing/Fenzu.h"
#include "drawing/Workgeometry.h"
#include "editing/Autobackup.h"
#include "editing/Deletefm.h"
#include "editing/Pertfm1.h"
#include "editing/Workinsert.h"
#include "entry/Createpertinffm.h"
#include "entry/Workdialogs.h"
#include "file/Projectfile.h"
#include "gantt/Gantt.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "platform/Inifile.h"
#include "support/Fakemessages.h"
#include "support/Fakeprinter.h"

namespace {

struct MainFixture {
    MainFixture()
    {
        EnsureDesktopApp();
        folders = TProgramFolders::InOneFolder(dir.path);
        window = std::make_unique<Tpertmainfm>(folders, timers.Factory());
        window->programPath = "/opt/arrowplan/arrowplan";
        window->resize(900, 700);
        window->show();
    }
    // A plan written with our writer; returns its path.
    std::string Plan(const std::string& name)
    {
        const std::string path = dir.File(name);
        auto net = SmallPlan();
        EXPECT_TRUE(SaveProject(*net, path));
        return path;
    }
    QAction* Action(QWidget* holder, const char* text)
    {
        // Items, not the menus of the same name.
        for (QAction* a : holder->findChildren<QAction*>())
            if (!a->menu() && a->text() == QString::fromUtf8(text)) return a;
        return nullptr;
    }
    QAction* Menu(const char* text) { return Action(window.get(), text); }
    std::string Key(int i)
    {
        return TIniFile(folders.SettingsFile()).ReadString("menuname", std::to_string(i), "<absent>");
    }

    TScratchFolder dir;
    TProgramFolders folders;
    TFakeMessages msgs;
    TFakeFileDialogs dialogs;
    TFakeFileTypes fileTypes;
    TManualTimers timers;
    std::unique_ptr<Tpertmainfm> window;
};

TEST(MainWindow, NewDocumentsAreNumberedAndCancelDiscardsTheNetwork)
{
    MainFixture f;
    for (int i = 1; i <= 3; ++i) {
        WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) { d.btnOk->click(); });
        Tpertfm* doc = f.window->NewDocument();
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->Caption(), "网络图" + std::to_string(i));
        EXPECT_TRUE(doc->doc.filePath.empty());
    }
    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) { d.btnCancel->click(); });
    EXPECT_EQ(f.window->NewDocument(), nullptr);
    EXPECT_EQ(f.window->Documents().size(), 3u);
}

TEST(MainWindow, TheProjectInformationReachesTheNewNetwork)
{
    MainFixture f;
    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) {
        d.edtPertprjname->setText(QStringLiteral("住宅楼工程"));
        d.btnOk->click();
    });
    Tpertfm* doc = f.window->NewDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Network()->title, "住宅楼工程");
}

TEST(MainWindow, RecentFilesOfTheOpenCommand)
{
    MainFixture f;
    const std::string a = f.Plan("a.prt");
    f.dialogs.openAnswers = {{a}, {a}};
    f.Menu("打开")->trigger();
    f.Menu("打开")->trigger();
    EXPECT_EQ(f.dialogs.opened.front().filter, "prt|*.prt");
    EXPECT_EQ(f.window->Documents().size(), 2u);
    EXPECT_EQ(f.window->Documents()[0]->Caption(), a);   // the path as it is
    EXPECT_EQ(f.Key(0), a);
    EXPECT_EQ(f.Key(1), "");
    EXPECT_EQ(f.Key(2), "-1");
}

TEST(MainWindow, EightFilesLeaveTheLatestSevenInTheSettingsFile)
{
    MainFixture f;
    std::vector<std::string> files;
    for (int i = 1; i <= 8; ++i) files.push_back(f.Plan(std::to_string(i) + ".prt"));
    f.dialogs.openAnswers = {files};   // several files in one go
    f.Menu("打开")->trigger();
    EXPECT_EQ(f.window->Documents().size(), 8u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(f.Key(k), files[size_t(7 - k)]);
    EXPECT_EQ(f.Key(7), "-1");
    // The next start lists them in the File menu before 退出.
    Tpertmainfm again(f.folders, f.timers.Factory());
    QStringList texts;
    for (QAction* act : again.fileMenuWidget->actions()) texts << act->text();
    const int exit = int(texts.indexOf(QStringLiteral("退出")));
    ASSERT_GE(exit, 8);
    EXPECT_EQ(texts[exit - 8], QString());   // the separator before them
    EXPECT_EQ(texts[exit - 7].toStdString(), files[7]);
    EXPECT_EQ(texts[exit - 1].toStdString(), files[1]);
}

TEST(MainWindow, RecoveryAnsweredNoLeavesTheBackupUntilANormalEnd)
{
    MainFixture f;
    const std::string plan = f.Plan("plan.prt");
    std::filesystem::copy_file(plan, f.dir.File("~TMP"));
    f.msgs.answers = {TMsgAnswer::No};
    f.window->StartUp({});
    ASSERT_EQ(f.msgs.shown.size(), 1u);
    EXPECT_EQ(f.msgs.shown[0].text, "是否恢复上次非正常退出自动备份的文件?");
    EXPECT_EQ(f.msgs.shown[0].caption, "退出");
    EXPECT_EQ(f.msgs.shown[0].buttons, TMsgButtons::YesNo);
    EXPECT_TRUE(f.window->Documents().empty());
    EXPECT_TRUE(FileExists(f.dir.File("~TMP")));
    EXPECT_TRUE(f.window->close());
    EXPECT_FALSE(FileExists(f.dir.File("~TMP")));
}

TEST(MainWindow, EveryLeftoverIsOfferedAlsoWhenAFileIsGiven)
{
    MainFixture f;
    const std::string plan = f.Plan("plan.prt");
    std::filesystem::copy_file(plan, f.dir.File("~TMP"));
    std::filesystem::copy_file(plan, f.dir.File("~TMP1"));
    f.msgs.answers = {TMsgAnswer::Yes, TMsgAnswer::No};
    f.window->StartUp({plan});
    EXPECT_EQ(f.msgs.shown.size(), 2u);
    const auto docs = f.window->Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->Caption(), "plan.prt（恢复的副本）");
    EXPECT_EQ(docs[1]->Caption(), plan);
}

TEST(MainWindow, SavingARestoredBackupRunsSaveAs)
{
    MainFixture f;
    std::filesystem::copy_file(f.Plan("plan.prt"), f.dir.File("~TMP"));
    f.msgs.answers = {TMsgAnswer::Yes};
    f.window->StartUp({});
    ASSERT_EQ(f.window->Documents().size(), 1u);
    Tpertfm* doc = f.window->Documents()[0];
    EXPECT_TRUE(doc->doc.ShowsRestoredBackup());
    // The title says which plan the backup holds and that it is a recovered copy.
    EXPECT_EQ(doc->Caption(), "plan.prt（恢复的副本）");
    EXPECT_EQ(doc->parentWidget()->windowTitle(), QStringLiteral("plan.prt（恢复的副本）"));
    const std::string target = f.dir.File("recovered.prt");
    f.dialogs.saveAnswers = {target};
    f.Menu("保存")->trigger();
    ASSERT_EQ(f.dialogs.saved.size(), 1u);
    EXPECT_EQ(f.dialogs.saved[0].folder, f.dir.path);   // where the plan was
    EXPECT_EQ(f.dialogs.saved[0].filter, "prt|*.prt");
    EXPECT_EQ(f.dialogs.saved[0].extension, "prt");
    EXPECT_TRUE(FileExists(target));
    EXPECT_EQ(doc->Caption(), "recovered.prt");
    EXPECT_FALSE(doc->doc.ShowsRestoredBackup());
    EXPECT_EQ(doc->doc.filePath, target);
    EXPECT_EQ(f.Key(0), target);
    EXPECT_EQ(f.fileTypes.calls, std::vector<std::string>{"prt|prt文件"});
    // Now a plain save writes the file again without asking.
    f.Menu("保存")->trigger();
    EXPECT_EQ(f.dialogs.saved.size(), 1u);
}

TEST(MainWindow, ARestoredBackupAsksWhenClosedEvenUnmodified)
{
    MainFixture f;
    std::filesystem::copy_file(f.Plan("plan.prt"), f.dir.File("~TMP"));
    f.msgs.answers = {TMsgAnswer::Yes, TMsgAnswer::No};
    f.window->StartUp({});
    ASSERT_EQ(f.window->Documents().size(), 1u);
    EXPECT_FALSE(f.window->Documents()[0]->Network()->modified);
    f.Menu("关闭")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(f.msgs.shown.size(), 2u);
    EXPECT_EQ(f.msgs.shown[1].text, "是否保存plan.prt（恢复的副本）?");
    EXPECT_TRUE(f.window->Documents().empty());
    // Closed normally: its backup, the file it came from, is gone.
    EXPECT_FALSE(FileExists(f.dir.File("~TMP")));
}

// The cover window stays on top of everything: it is gone before the first
// start-up question, so the question can be read and answered.
TEST(MainWindow, TheCoverIsClosedBeforeTheRecoveryQuestion)
{
    MainFixture f;
    std::filesystem::copy_file(f.Plan("plan.prt"), f.dir.File("~TMP"));
    auto* cover = new QWidget;
    cover->setAttribute(Qt::WA_DeleteOnClose);
    cover->show();
    f.window->cover = cover;
    int coverShownAtQuestion = -1;
    f.msgs.onShow = [&](const TFakeMessages::Shown&) {
        coverShownAtQuestion = f.window->cover && f.window->cover->isVisible();
    };
    f.msgs.answers = {TMsgAnswer::No};
    f.window->StartUp({});
    ASSERT_EQ(f.msgs.shown.size(), 1u);
    EXPECT_EQ(coverShownAtQuestion, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f.window->cover);   // and destroyed
}

TEST(MainWindow, AClickOnTheCoverPutsItAway)
{
    EnsureDesktopApp();
    Tfengmianfm cover;
    cover.show();
    const QPointF at(100, 100);
    QMouseEvent press(QEvent::MouseButtonPress, at, cover.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&cover, &press);
    EXPECT_FALSE(cover.isVisible());
}

TEST(MainWindow, CancelledSaveAsKeepsTheDocumentModified)
{
    MainFixture f;
    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) { d.btnOk->click(); });
    Tpertfm* doc = f.window->NewDocument();
    ASSERT_TRUE(doc);
    doc->Network()->modified = true;
    f.Menu("另存为")->trigger();
    EXPECT_EQ(f.dialogs.saved.size(), 1u);
    EXPECT_TRUE(doc->Network()->modified);
    EXPECT_EQ(doc->Caption(), "网络图1");
    // Closing still asks; Yes runs Save As again, and cancelling it keeps the window.
    f.msgs.answers = {TMsgAnswer::Yes};
    f.Menu("关闭")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(f.msgs.shown.size(), 1u);
    EXPECT_EQ(f.msgs.shown[0].text, "是否保存网络图1?");
    EXPECT_EQ(f.dialogs.saved.size(), 2u);
    EXPECT_EQ(f.window->Documents().size(), 1u);
}

TEST(MainWindow, SampleFilesComeFromTheSampleFolder)
{
    MainFixture f;
    std::filesystem::create_directory(f.folders.SamplesDir());
    const std::string sample = f.folders.SamplesDir() + "/住宅楼.prt";
    ASSERT_TRUE(SaveProject(*SmallPlan(), sample));
    f.dialogs.openAnswers = {{sample}};
    f.Menu("打开示例文件")->trigger();
    ASSERT_EQ(f.dialogs.opened.size(), 1u);
    EXPECT_EQ(f.dialogs.opened[0].folder, f.folders.SamplesDir());
    EXPECT_FALSE(f.dialogs.opened[0].multiple);
    ASSERT_EQ(f.window->Documents().size(), 1u);
    EXPECT_EQ(f.Key(0), sample);
}

TEST(MainWindow, DroppedFilesAreOpened)
{
    MainFixture f;
    const std::string a = f.Plan("dropped.prt");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(a))});
    f.window->OpenDropped(data);
    ASSERT_EQ(f.window->Documents().size(), 1u);
    EXPECT_EQ(f.window->Documents()[0]->Caption(), a);
}

TEST(MainWindow, AFileThatCannotBeReadOpensNoWindow)
{
    MainFixture f;
    WriteText(f.dir.File("bad.prt"), "not a project");
    EXPECT_EQ(f.window->OpenDocument(f.dir.File("bad.prt")), nullptr);
    EXPECT_TRUE(f.window->Documents().empty());
    EXPECT_EQ(f.msgs.Texts(), std::vector<std::string>{"文件格式不对或已被破坏！"});
}

TEST(MainWindow, LargeFilesLoadOnAWorkerAndReportOnThisThread)
{
    MainFixture f;
    f.window->backgroundLoadBytes = 0;   // every file takes the worker's road
    const std::string a = f.Plan("big.prt");
    Tpertfm* doc = f.window->OpenDocument(a);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->doc.history.Count(), 1);
    EXPECT_EQ(doc->Network()->WorkCount(), 3);
    WriteText(f.dir.File("bad.prt"), "not a project");
    EXPECT_EQ(f.window->OpenDocument(f.dir.File("bad.prt")), nullptr);
    EXPECT_EQ(f.msgs.Texts(), std::vector<std::string>{"文件格式不对或已被破坏！"});
}

TEST(MainWindow, MenusOfferOnlyWhatExists)
{
    MainFixture f;
    QStringList menus;
    for (QAction* a : f.window->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"文件", "编辑", "显示设置", "资源", "窗口", "帮助"}));
    QStringList file;
    for (QAction* a : f.window->fileMenuWidget->actions())
        if (!a->isSeparator()) file << a->text();
    EXPECT_EQ(file, (QStringList{"新建", "打开", "打开示例文件", "保存", "另存为", "存为其它图片格式",
                                 "导出", "导入项目交换 XML…", "打印设置", "打印预览", "打印", "关闭", "退出"}));
    QStringList tools;
    for (QAction* a : f.window->pertPanel->actions())
        if (a->isVisible()) tools << a->toolTip();
    EXPECT_EQ(tools, (QStringList{"选择", "添加", "编辑", "删除", "时差", "交换", "替换", "分段", "流水", "空行", "标注"}));
}

TEST(MainWindow, ThePopupMenuOffersTheWorkItemsAndTheChecks)
{
    MainFixture f;
    Tpertfm* doc = f.window->OpenDocument(f.Plan("plan.prt"));
    ASSERT_NE(doc, nullptr);
    QStringList items;
    QStringList checks;
    for (QAction* a : doc->pertppmenu->actions()) {
        items << a->text();
        if (a->menu())
            for (QAction* c : a->menu()->actions()) checks << c->text();
    }
    EXPECT_EQ(items, (QStringList{"添加", "编辑", "删除", "复制", "粘贴", "空行", "时间参数", "检查",
                                  "工作参数位置", "显示关系连线", "设置", "刷新"}));
    EXPECT_EQ(checks, (QStringList{"多起点检查", "多终点检查", "工作线重叠检查", "多余逻辑关系检查",
                                   "居左", "居中", "居右"}));
    // An item on empty ground chooses its tool; the check mark follows the tool.
    f.window->SelectTool(ckDelete);
    EXPECT_TRUE(f.window->delbut->isChecked());
    ASSERT_NE(f.window->ToolCommand(), nullptr);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckDelete);
    f.window->SelectTool(ckImport);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckImport);
    f.window->biaozhubut->trigger();
    ASSERT_NE(f.window->ToolCommand(), nullptr);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckCreateBiaozhu);
}

TEST(MainWindow, TheGanttViewIsReachedFromTheSwitchAndTheMenu)
{
    MainFixture f;
    Tpertfm* doc = f.window->OpenDocument(f.Plan("plan.prt"));
    ASSERT_NE(doc, nullptr);
    auto panelShown = [&] {
        for (QAction* a : f.window->pertPanel->actions())
            if (f.window->pertPanel->widgetForAction(a) == f.window->ganttpanel) return a->isVisible();
        return false;
    };
    auto visibleTools = [&] {
        QStringList tools;
        for (QAction* a : f.window->pertPanel->actions())
            if (a->isVisible() && !a->toolTip().isEmpty()) tools << a->toolTip();
        return tools;
    };
    doc->Network()->modified = false;
    f.window->ganttswbtn->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 0);
    EXPECT_TRUE(doc->Network()->modified);
    EXPECT_EQ(f.window->ganttswbtn->text(), QStringLiteral("网络图"));
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(visibleTools(), (QStringList{"选择", "添加", "编辑", "删除", "时差"}));
    ASSERT_NE(f.window->ToolCommand(), nullptr);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckSelectGantt);
    f.window->timedicbut->trigger();
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckTimedicGantt);
    f.window->SelectTool(ckEdit);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckEditGantt);
    EXPECT_FALSE(doc->Network()->liveGantt.pageWorks.empty());
    f.window->addpagebtn->trigger();   // one page only
    EXPECT_EQ(doc->Network()->liveGantt.page, 1);

    // The popup's Gantt items change the chart and count as changes.
    doc->Network()->modified = false;
    for (QAction* a : doc->pertppmenu->actions()) {
        if (a->text() == QStringLiteral("显示关系连线")) a->trigger();
        if (a->menu() && a->text() == QStringLiteral("工作参数位置"))
            for (QAction* c : a->menu()->actions())
                if (c->text() == QStringLiteral("居右")) c->trigger();
    }
    EXPECT_TRUE(doc->Network()->liveGantt.ShowLinks());
    EXPECT_EQ(doc->Network()->liveGantt.columns[3].align, 2);
    EXPECT_TRUE(doc->Network()->modified);

    f.window->ganttswbtn->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 1);
    EXPECT_EQ(f.window->ganttswbtn->text(), QStringLiteral("横道图"));
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(visibleTools(), (QStringList{"选择", "添加", "编辑", "删除", "时差", "交换", "替换", "分段", "流水", "空行", "标注"}));
    f.Menu("显示横道图")->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 0);
    // The tool that was down stays down, with its command for the new view.
    ASSERT_NE(f.window->ToolCommand(), nullptr);
    EXPECT_EQ(f.window->ToolCommand()->Kind(), ckEditGantt);
}

TEST(MainWindow, TheNetworkKindComboShowsTheLogicNetwork)
{
    MainFixture f;
    Tpertfm* doc = f.window->OpenDocument(f.Plan("plan.prt"));
    ASSERT_NE(doc, nullptr);
    Tpertgra& net = *doc->Network();
    QComboBox& kind = *f.window->Cobpert;
    EXPECT_EQ(kind.currentText(), QStringLiteral("时标网络图"));
    EXPECT_TRUE(kind.isEnabled());
    std::vector<int32_t> timeX;
    for (const auto& v : net.nodes) timeX.push_back(v->x);
    net.modified = false;
    kind.setCurrentIndex(1);
    emit kind.activated(1);
    EXPECT_EQ(doc->doc.ViewMode(), 2);
    EXPECT_TRUE(net.modified);
    // Start nodes stand at the origin, whatever the frame takes on the left.
    EXPECT_EQ(net.order.front()->x, int32_t(net.groups.origin.x));
    std::vector<int32_t> logicX;
    for (const auto& v : net.nodes) logicX.push_back(v->x);
    EXPECT_NE(logicX, timeX);

    // 标尺 and 时标开关 do nothing in the logic view.
    const bool frame = net.showFrame;
    const int32_t steps = doc->doc.history.Count();
    for (QAction* a : f.window->tlbEdit->actions())
        if (a->text() == QStringLiteral("标尺")) a->trigger();
    f.window->frameSwitchAction->trigger();
    EXPECT_EQ(net.showFrame, frame);
    EXPECT_EQ(doc->doc.history.Count(), steps);

    // The Gantt view has no network kind to choose, and its button comes
    // back to the logic network.
    f.window->ganttswbtn->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 0);
    EXPECT_FALSE(kind.isEnabled());
    f.window->ganttswbtn->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 2);
    EXPECT_EQ(kind.currentText(), QStringLiteral("逻辑网络图"));

    // Undo goes back step by step to the time-scaled view and its positions.
    f.Menu("撤消")->trigger();
    f.Menu("撤消")->trigger();
    f.Menu("撤消")->trigger();
    EXPECT_EQ(doc->doc.ViewMode(), 1);
    EXPECT_EQ(kind.currentText(), QStringLiteral("时标网络图"));
    std::vector<int32_t> back;
    for (const auto& v : doc->Network()->nodes) back.push_back(v->x);
    EXPECT_EQ(back, timeX);
}

TEST(MainWindow, ThePopupItemDeleteRunsTheDeleteDialogAndIsUndone)
{
    MainFixture f;
    const auto deleteDialog = MakeDeleteDialog(f.window.get());
    SetDeleteDialog(deleteDialog.get());
    Tpertfm* doc = f.window->OpenDocument(f.Plan("plan.prt"));
    ASSERT_NE(doc, nullptr);
    Tpertgra& net = *doc->Network();
    Tedge* bc = nullptr;
    for (Tedge* w : net.AllWorks())
        if (w->data->name == "BC") bc = w;
    ASSERT_NE(bc, nullptr);
    const TWorkGeometry g = TWorkGeometry::Of(*bc);
    doc->doc.downX = (g.fromX + g.toX) / 2;   // the press that opened the popup
    doc->doc.downY = g.lineY;
    QAction* remove = nullptr;
    for (QAction* a : doc->pertppmenu->actions())
        if (a->text() == QStringLiteral("删除")) remove = a;
    ASSERT_NE(remove, nullptr);
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto* d = qobject_cast<TDeletefm*>(QApplication::activeModalWidget())) {
            caption = d->chkedge->text();
            d->okbut->click();
        }
    });
    const int32_t works = net.WorkCount();
    remove->trigger();
    EXPECT_EQ(caption, QStringLiteral("BC"));
    EXPECT_EQ(doc->Network()->WorkCount(), works - 1);
    EXPECT_TRUE(doc->Network()->modified);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Network()->WorkCount(), works);
    SetDeleteDialog(nullptr);
}

TEST(MainWindow, TheDrawingIsExportedAsAPicture)
{
    MainFixture f;
    ASSERT_TRUE(f.window->OpenDocument(f.Plan("plan.prt")));
    for (const char* name : {"plan.png", "plan.svg"}) {
        f.dialogs.saveAnswers = {f.dir.File(name)};
        f.Menu("存为其它图片格式")->trigger();
        EXPECT_GT(std::filesystem::file_size(f.dir.File(name)), 1000u) << name;
    }
    EXPECT_EQ(f.dialogs.saved.back().extension, "png");
    EXPECT_EQ(f.dialogs.saved.back().filter, "png|*.png|jpg|*.jpg|bmp|*.bmp|svg|*.svg|pdf|*.pdf");
    EXPECT_TRUE(f.msgs.shown.empty());
}

TEST(MainWindow, PrintingFromTheMenuAndTheToolBar)
{
    MainFixture f;
    TFakePrinter printer;
    printer.page = {100000, 100000};
    f.window->printer = &printer;
    QStringList bar;
    for (QAction* a : f.window->ToolBar2->actions())
        if (!a->isSeparator()) bar << a->text();
    EXPECT_TRUE(bar.contains("预览") && bar.contains("打印"));
    for (const char* item : {"打印设置", "打印预览", "打印"})
        EXPECT_FALSE(f.Menu(item)->isEnabled()) << item;

    ASSERT_TRUE(f.window->OpenDocument(f.Plan("plan.prt")));
    Tpertfm* d = f.window->ActiveDocument();
    ASSERT_NE(d, nullptr);
    for (const char* item : {"打印设置", "打印预览", "打印"})
        EXPECT_TRUE(f.Menu(item)->isEnabled()) << item;
    const int32_t ground = d->Network()->displaySettings.backgroundColor;
    f.Menu("打印")->trigger();
    EXPECT_EQ(printer.pages.size(), 1u);
    EXPECT_TRUE(printer.ended);
    EXPECT_EQ(d->Network()->displaySettings.backgroundColor, ground);

    // 打印设置 carries the chosen paper into the plan as one undo step.
    f.Menu("打印设置")->trigger();
    EXPECT_EQ(d->Network()->displaySettings.paperSize, 8);
    EXPECT_TRUE(d->Network()->modified);
    f.Menu("撤消")->trigger();
    EXPECT_EQ(f.window->ActiveDocument()->Network()->displaySettings.paperSize, 9);
    EXPECT_TRUE(f.msgs.shown.empty());
}

TEST(MainWindow, TheWorkTableIsExportedAsCsv)
{
    MainFixture f;
    ASSERT_TRUE(f.window->OpenDocument(f.Plan("plan.prt")));
    const struct {
        TMsgAnswer answer;
        bool bom;
    } cases[] = {{TMsgAnswer::Yes, true}, {TMsgAnswer::No, false}};
    for (const auto& c : cases) {
        const std::string path = f.dir.File(c.bom ? "utf8.csv" : "gbk.csv");
        f.dialogs.saveAnswers = {path};
        f.msgs.answers = {c.answer};
        f.Menu("工作表 (CSV)…")->trigger();
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 20u) << path;
        EXPECT_EQ(bytes.substr(0, 3) == "\xEF\xBB\xBF", c.bom) << path;
    }
    EXPECT_EQ(f.dialogs.saved.back().filter, "csv|*.csv");
    // Cancelled at the question: nothing written.
    f.dialogs.saveAnswers = {f.dir.File("none.csv")};
    f.msgs.answers = {TMsgAnswer::Cancel};
    f.Menu("工作表 (CSV)…")->trigger();
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("none.csv")));
}

TEST(MainWindow, ThePlanIsExportedAsProjectXml)
{
    MainFixture f;
    ASSERT_TRUE(f.window->OpenDocument(f.Plan("plan.prt")));
    const std::string path = f.dir.File("plan.xml");
    f.dialogs.saveAnswers = {path};
    f.Menu("项目交换 XML…")->trigger();
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<Project xmlns=\"http://schemas.microsoft.com/project\">"),
              std::string::npos);
    EXPECT_NE(text.find("<Task>"), std::string::npos);
    EXPECT_EQ(f.dialogs.saved.back().filter, "xml|*.xml");
    EXPECT_TRUE(f.msgs.shown.empty());
}

TEST(MainWindow, AnImportedPlanIsANewDocumentWithItsReport)
{
    MainFixture f;
    const std::string xml = f.dir.File("owner.xml");
    {
        std::ofstream o(xml, std::ios::binary);
        o << "<Project xmlns=\"http://schemas.microsoft.com/project\">"
             "<StartDate>2026-03-02T08:00:00</StartDate><Tasks>"
             "<Task><UID>1</UID><Name>基础</Name><Duration>PT16H0M0S</Duration></Task>"
             "<Task><UID>2</UID><Name>主体</Name><Duration>PT24H0M0S</Duration>"
             "<PredecessorLink><PredecessorUID>1</PredecessorUID><Type>3</Type></PredecessorLink>"
             "</Task></Tasks></Project>";
    }
    std::string report;
    f.window->importReport = [&report](const std::string& t) { report = t; };
    f.dialogs.openAnswers = {{xml}};
    f.Menu("导入项目交换 XML…")->trigger();
    Tpertfm* d = f.window->ActiveDocument();
    ASSERT_NE(d, nullptr);
    // Both start at the start node (start to start) and end at the end node: one dummy.
    EXPECT_EQ(d->Network()->WorkCount(), 3);
    EXPECT_FALSE(d->Network()->modified);
    EXPECT_TRUE(d->doc.filePath.empty());   // never saved over the XML file
    EXPECT_NE(report.find("开始-开始"), std::string::npos) << report;
    EXPECT_EQ(f.dialogs.opened.back().filter, "xml|*.xml");

    // A broken file: a warning that says why, no new document.
    const size_t docs = f.window->Documents().size();
    {
        std::ofstream o(xml, std::ios::binary | std::ios::trunc);
        o << "<Project><Tasks>";
    }
    f.dialogs.openAnswers = {{xml}};
    f.Menu("导入项目交换 XML…")->trigger();
    EXPECT_EQ(f.window->Documents().size(), docs);
    ASSERT_FALSE(f.msgs.shown.empty());
    EXPECT_NE(f.msgs.shown.back().text.find("XML格式错误"), std::string::npos);
}

TEST(MainWindow, HelpWithoutTheDocumentSaysWhere)
{
    MainFixture f;
    f.Menu("帮助")->trigger();
    // The menu "帮助" and its item share the text; the item is the one with an action.
    ASSERT_FALSE(f.msgs.shown.empty());
    EXPECT_EQ(f.msgs.shown.back().text, "找不到帮助文件：" + f.folders.HelpFile());
}

// The work dialog answered 确定 with a work of 20 days.
struct TTwentyDayWork : IWorkDialogs {
    TTwentyDayWork() { SetWorkDialogs(this); }
    ~TTwentyDayWork() override { SetWorkDialogs(nullptr); }
    TWorkDialogOutcome AddWork(Tpertgra& net, const TAddAnchors& a) override
    {
        Tworkdata d;
        d.name = "主体结构";
        d.duration = 20;
        Tedge* w = AddWorkAtAnchors(net, d, a);
        return {1, w != nullptr, w};
    }
    TWorkDialogOutcome EditWork(Tpertgra&, Tedge*) override { return {}; }
};

void DoubleClick(QWidget* box, QPoint p)
{
    const QPointF at(p);
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                 QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick;
        QMouseEvent e(t, at, box->mapToGlobal(at), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(box, &e);
    }
}

// Closes a document window and lets it go.
void CloseDocument(Tpertfm* doc)
{
    doc->Network()->modified = false;
    doc->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

TEST(MainWindow, WhatNeedsADocumentIsDisabledWithoutOne)
{
    MainFixture f;
    const char* items[] = {"属性设置", "保存", "另存为", "撤消", "恢复", "关闭", "休息日设置",
                           "标尺比例设置", "前锋线设置", "横向伸长", "放大", "层叠",
                           "工作表 (CSV)…", "项目交换 XML…"};
    auto expectEnabled = [&](bool enabled, const char* when) {
        for (const char* item : items) {
            int found = 0;
            for (QAction* a : f.window->findChildren<QAction*>()) {
                if (a->menu() || a->text() != QString::fromUtf8(item)) continue;
                ++found;
                EXPECT_EQ(a->isEnabled(), enabled) << item << " " << when;
            }
            EXPECT_GT(found, 0) << item;
        }
        for (QAction* tool : {f.window->selectbut, f.window->addbut, f.window->editbut,
                              f.window->delbut, f.window->inbut})
            EXPECT_EQ(tool->isEnabled(), enabled) << tool->text().toStdString() << " " << when;
        EXPECT_EQ(f.window->cbbaddxmode->isEnabled(), enabled) << when;
        EXPECT_EQ(f.window->Cobpert->isEnabled(), enabled) << when;
    };
    expectEnabled(false, "at start");
    EXPECT_TRUE(f.Menu("新建")->isEnabled());
    EXPECT_TRUE(f.Menu("打开")->isEnabled());
    Tpertfm* a = f.window->OpenDocument(f.Plan("a.prt"));
    Tpertfm* b = f.window->OpenDocument(f.Plan("b.prt"));
    ASSERT_TRUE(a && b);
    expectEnabled(true, "with two documents");
    CloseDocument(b);
    expectEnabled(true, "with one left");
    CloseDocument(a);
    expectEnabled(false, "after the last closed");
}

TEST(MainWindow, TheStatusBarFollowsEveryChangeAndTheActiveDocument)
{
    MainFixture f;
    TTwentyDayWork dialogs;
    auto panel = [&](int i) { return f.window->pointerPanels[size_t(i)]->text().toStdString(); };
    const int widths[] = {300, 120, 120, 120, 120};
    for (int i = 0; i < 5; ++i) EXPECT_GE(f.window->pointerPanels[size_t(i)]->minimumWidth(), widths[i]);

    Tpertfm* plan = f.window->OpenDocument(f.Plan("plan.prt"));
    ASSERT_TRUE(plan);
    // Right after opening, before the pointer has moved.
    const auto planStatus = plan->doc.ProjectStatus();
    EXPECT_EQ(panel(4), "总工期:8天");
    EXPECT_EQ(panel(2), planStatus[0]);
    EXPECT_EQ(panel(3), planStatus[1]);
    QApplication::processEvents();
    for (int i = 2; i < 5; ++i) {
        const QLabel* l = f.window->pointerPanels[size_t(i)];
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << panel(i);
    }

    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) { d.btnOk->click(); });
    Tpertfm* fresh = f.window->NewDocument();
    ASSERT_TRUE(fresh);
    QApplication::processEvents();
    EXPECT_EQ(panel(2), fresh->doc.ProjectStatus()[0]);   // the new plan's own dates
    EXPECT_EQ(panel(4), "总工期:0天");
    // The add tool is down for a new plan: a double click on empty ground adds the work.
    DoubleClick(fresh->paintbox, {200, 200});
    ASSERT_EQ(fresh->Network()->AllWorks().size(), 1u);
    EXPECT_EQ(panel(4), "总工期:20天");
    EXPECT_EQ(panel(3), fresh->doc.ProjectStatus()[1]);

    f.window->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(plan->parentWidget()));
    EXPECT_EQ(panel(4), "总工期:8天");
    CloseDocument(plan);
    EXPECT_EQ(panel(4), "总工期:20天");   // the one left is active
    fresh->Network()->modified = false;
    CloseDocument(fresh);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(panel(i), "") << i;
}

TEST(MainWindow, TheWindowMenuListsTheDocumentsAndCascadesThemUsefully)
{
    MainFixture f;
    std::vector<Tpertfm*> docs;
    for (const char* name : {"a.prt", "b.prt", "c.prt"}) docs.push_back(f.window->OpenDocument(f.Plan(name)));
    ASSERT_EQ(f.window->Documents().size(), 3u);
    for (Tpertfm* d : docs) {
        auto* sub = qobject_cast<QMdiSubWindow*>(d->parentWidget());
        // Every document window carries the program's icon, not the toolkit's.
        EXPECT_TRUE(sub->testAttribute(Qt::WA_SetWindowIcon));
        EXPECT_FALSE(sub->windowIcon().isNull());
        EXPECT_EQ(sub->windowIcon().cacheKey(), f.window->windowIcon().cacheKey());
    }

    emit f.window->windowMenu->aboutToShow();
    QStringList listed;
    QAction* first = nullptr;
    for (QAction* a : f.window->windowMenu->actions()) {
        if (a->isSeparator() || !a->isCheckable()) continue;
        listed << a->text();
        if (!first) first = a;
        EXPECT_EQ(a->isChecked(), a->text().endsWith("c.prt")) << a->text().toStdString();
    }
    const QString d = QString::fromStdString(f.dir.path);
    EXPECT_EQ(listed, (QStringList{"&1 " + d + "/a.prt", "&2 " + d + "/b.prt", "&3 " + d + "/c.prt"}));
    first->trigger();
    EXPECT_EQ(f.window->ActiveDocument(), docs[0]);
    // Shown again, the list is built anew, not added to.
    emit f.window->windowMenu->aboutToShow();
    int items = 0;
    for (QAction* a : f.window->windowMenu->actions()) items += a->isCheckable();
    EXPECT_EQ(items, 3);

    f.Menu("层叠")->trigger();
    const QRect area = f.window->mdiArea->viewport()->rect();
    QList<QPoint> corners;
    for (QMdiSubWindow* w : f.window->mdiArea->subWindowList()) {
        EXPECT_FALSE(w->isMaximized());
        EXPECT_GE(w->width(), area.width() * 2 / 3 - 1);
        EXPECT_GE(w->height(), area.height() * 2 / 3 - 1);
        EXPECT_TRUE(area.contains(w->geometry())) << w->geometry().x() << "," << w->geometry().y();
        EXPECT_FALSE(corners.contains(w->pos()));
        corners << w->pos();
    }
}

TEST(MainWindow, OpenAndSaveDialogsStartInTheFolderLastUsed)
{
    MainFixture f;
    const std::string sub = f.dir.File("工程");
    std::filesystem::create_directory(sub);
    const std::string plan = sub + "/plan.prt";
    ASSERT_TRUE(SaveProject(*SmallPlan(), plan));
    f.dialogs.openAnswers = {{plan}};
    f.Menu("打开")->trigger();
    ASSERT_EQ(f.dialogs.opened.size(), 1u);
    f.Menu("打开")->trigger();
    EXPECT_EQ(f.dialogs.opened[1].folder, sub);
    // A new plan is saved where the last one came from.
    WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) { d.btnOk->click(); });
    ASSERT_TRUE(f.window->NewDocument());
    const std::string elsewhere = f.dir.File("其它");
    std::filesystem::create_directory(elsewhere);
    f.dialogs.saveAnswers = {elsewhere + "/new.prt"};
    f.Menu("另存为")->trigger();
    ASSERT_EQ(f.dialogs.saved.size(), 1u);
    EXPECT_EQ(f.dialogs.saved[0].folder, sub);
    // The next start remembers it.
    Tpertmainfm again(f.folders, f.timers.Factory());
    f.dialogs.opened.clear();
    QAction* open = nullptr;
    for (QAction* a : again.findChildren<QAction*>())
        if (!a->menu() && a->text() == QStringLiteral("打开")) open = a;
    ASSERT_TRUE(open);
    open->trigger();
    ASSERT_EQ(f.dialogs.opened.size(), 1u);
    EXPECT_EQ(f.dialogs.opened[0].folder, elsewhere);
}

}  // namespace
