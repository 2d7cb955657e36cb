#include "shell/Pertmainfm1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <mutex>
#include <sys/stat.h>
#include <thread>

#include "drawing/Displaycommands.h"
#include "drawing/Framelayout.h"
#include "drawing/Pertsetfm.h"
#include "drawing/Scalecommands.h"
#include "drawing/Scalesetfm.h"
#include "drawing/Timesetfm.h"
#include "drawing/Vanguardlinesetfm.h"
#include "interchange/Projectxml.h"
#include "interchange/Projectxmlimport.h"
#include "shell/Importreportfm.h"
#include "interchange/Worktablecsv.h"
#include "editing/Addworkcmd.h"
#include "editing/Autobackup.h"
#include "drawing/Biaozhudraw.h"
#include "editing/Biaozhucmd.h"
#include "editing/Editcmd.h"
#include "editing/Fenduancmd.h"
#include "editing/Liushuicmd.h"
#include "editing/Groupcmds.h"
#include "editing/Importcmd.h"
#include "editing/Paixudialog.h"
#include "editing/Pertfm1.h"
#include "editing/Relayout.h"
#include "entry/Createpertinffm.h"
#include "file/Projectfile.h"
#include "editing/Paixudialog.h"
#include "gantt/Gantt.h"
#include "resources/Tresyongliangfm.h"
#include "model/Pertgra.h"
#include "platform/Filedialogs.h"
#include "platform/Filetypes.h"
#include "platform/Helpviewer.h"
#include "platform/Inifile.h"
#include "platform/Messagebox.h"
#include "platform/qt/Qtprinter.h"
#include "platform/qt/Qttimer.h"
#include "shell/Fengmianfm.h"
#include "shell/Pictureexportfm.h"
#include "shell/Previewfm.h"
#include "shell/Printnetwork.h"
#include "shell/Startup.h"

namespace {

constexpr const char* kProjectFilter = "prt|*.prt";
constexpr std::array<int, 5> kPointerPanelWidths{300, 120, 120, 120, 120};
// The longest texts the panels usually show; a panel is at least as wide.
constexpr std::array<const char*, 5> kPointerPanelSamples{
    "当前工作:", "当前时间:2000-12-31", "开工时间:2000-12-31", "结束时间:2000-12-31", "总工期:99999天"};

// Menu items and buttons that act on the active document: without one they
// are disabled.
constexpr const char* kDocumentItems[] = {
    "保存", "另存为", "存为其它图片格式", "打印设置", "打印预览", "打印", "预览", "关闭",
    "撤消", "恢复", "复制", "横向伸长", "横向压缩", "纵向伸长", "纵向压缩",
    "属性设置", "时标开关", "休息日设置", "标尺比例设置", "前锋线设置", "显示网络图",
    "显示横道图", "显示资源图", "设置默认值", "资源统计", "缩小", "1：1", "放大", "标尺", "设置",
    "横道图", "网络图", "导入", "时差", "分段", "流水", "层叠", "水平", "垂直", "全部最小化", "垂直平铺", "水平平铺",
    "工作表 (CSV)…", "项目交换 XML…"};

// The settings file remembers where the open and save dialogs were last.
constexpr const char* kFolderSection = "folders";
constexpr const char* kLastFolderKey = "last";

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsFolder(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Every item of a menu and of its sub-menus.
void CollectItems(const QList<QAction*>& actions, std::vector<QAction*>& out)
{
    for (QAction* a : actions) {
        if (a->menu()) CollectItems(a->menu()->actions(), out);
        else if (!a->isSeparator()) out.push_back(a);
    }
}

int64_t FileSize(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : -1;
}

// Holds the messages of a load on a worker thread; they are shown on the
// user-interface thread once the load is done. A load only reports, so
// every message takes its first answer.
class TDeferredMessages : public IMessageService {
public:
    TMsgAnswer Show(const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override
    {
        std::lock_guard<std::mutex> lock(m_);
        held_.push_back({text, caption, icon, buttons});
        return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::Yes;
    }
    void Replay(IMessageService& to)
    {
        for (const auto& h : held_) to.Show(h.text, h.caption, h.icon, h.buttons);
        held_.clear();
    }

private:
    struct THeld {
        std::string text;
        std::string caption;
        TMsgIcon icon;
        TMsgButtons buttons;
    };
    std::mutex m_;
    std::vector<THeld> held_;
};

}  // namespace

struct Tpertmainfm::TLoaded {
    std::unique_ptr<Tpertgra> net;
    std::shared_ptr<const THistoryStep> snapshot;
    bool laidOut = false;
};

Tpertmainfm::Tpertmainfm(const TProgramFolders& folders, TTimerFactory timers, QWidget* parent)
    : QMainWindow(parent), folders_(folders), backups_(folders.backupDir),
      timers_(timers ? std::move(timers) : TQtTimer::Factory())
{
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mdiArea = new QMdiArea(centre);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(mdiArea);
    setCentralWidget(centre);
    BuildActions();
    BuildMenus();
    BuildToolBars();
    BuildStatusBars();
    LoadRecentFiles();
    lastFolder_ = TIniFile(folders_.SettingsFile()).ReadString(kFolderSection, kLastFolderKey, "");
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &Tpertmainfm::DocumentActivated);
    selectbut->setChecked(true);
    ClickTool(selectbut);
    UpdateDocumentState();
    resize(1200, 800);
}

Tpertmainfm::~Tpertmainfm()
{
    // The documents go while this window is still whole: their removal
    // would otherwise reach its handlers half destroyed.
    disconnect(mdiArea, nullptr, this, nullptr);
    for (const Tpertfm* d : closing_) disconnect(d, nullptr, this, nullptr);
    closing_.clear();
    for (QMdiSubWindow* w : mdiArea->subWindowList()) delete w;
    toolCommand.reset();
}

// ---- building the window ------------------------------------------------------

void Tpertmainfm::BuildActions()
{
    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusive(true);
    struct TDef {
        const char* caption;
        int32_t kind;
        bool inGantt;
    };
    // The tool panel from the top. Only the tools whose commands exist get a
    // button; the others come with their commands.
    const TDef defs[] = {{"", ckSelect, true},    {"添加", ckAddWork, true},
                         {"编辑", ckEdit, true}, {"删除", ckDelete, true},
                         {"时差", ckTimedic, true}, {"交换", ckJiaohuan, false},
                         {"替换", ckImport, false}, {"分段", ckFenduan, false},
                         {"流水", ckLiushui, false}, {"空行", ckKonghang, false}, {"标注", ckCreateBiaozhu, false}};
    for (const TDef& d : defs) {
        TToolButton t;
        t.kind = d.kind;
        t.inGantt = d.inGantt;
        t.action = new QAction(QString::fromUtf8(d.caption), this);
        t.action->setCheckable(true);
        toolGroup_->addAction(t.action);
        if (d.kind == ckSelect) {
            t.make = [](const Tpertgra* net) { return TSetpertCommand::NewSelectCommand(net); };
            QPixmap arrow(24, 24);
            arrow.fill(Qt::transparent);
            QPainter p(&arrow);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(Qt::black);
            p.setPen(Qt::black);
            const QPointF shape[] = {{7, 3}, {7, 19}, {11, 15}, {14, 21}, {16, 20}, {13, 14}, {19, 14}};
            p.drawPolygon(shape, 7);
            t.action->setIcon(QIcon(arrow));
            t.action->setToolTip(QStringLiteral("选择"));
            selectbut = t.action;
        } else if (d.kind == ckAddWork) {
            t.make = [](const Tpertgra* net) { return TSetpertCommand::NewAddCommand(net); };
            addbut = t.action;
        } else if (d.kind == ckEdit) {
            t.make = [](const Tpertgra* net) { return TSetpertCommand::NewEditCommand(net); };
            editbut = t.action;
        } else if (d.kind == ckDelete) {
            t.make = [](const Tpertgra* net) { return TSetpertCommand::NewDeleteCommand(net); };
            delbut = t.action;
        } else if (d.kind == ckTimedic) {
            t.make = [](const Tpertgra* net) { return TSetpertCommand::NewTimeDiffCommand(net); };
            timedicbut = t.action;
        } else if (d.kind == ckFenduan) {
            t.make = [](const Tpertgra* net) -> std::unique_ptr<CPertCommand> {
                if (!net || ViewKind(*net) == 0) return nullptr;
                return std::make_unique<TFenduanCmd>();
            };
            fengebut = t.action;
        } else if (d.kind == ckLiushui) {
            t.make = [](const Tpertgra* net) -> std::unique_ptr<CPertCommand> {
                if (!net || ViewKind(*net) == 0) return nullptr;
                return std::make_unique<Cliushui>();
            };
            liushuibut = t.action;
        } else if (d.kind == ckImport) {
            t.make = [this](const Tpertgra*) -> std::unique_ptr<CPertCommand> {
                auto c = std::make_unique<TimportCmd>();
                c->clipSource = [this] { return static_cast<const Tpertgra*>(clipNetwork.get()); };
                return c;
            };
            inbut = t.action;
        } else if (d.kind == ckJiaohuan) {
            t.make = [](const Tpertgra*) { return std::make_unique<TJiaohuanCmd>(); };
            jhbut = t.action;
        } else if (d.kind == ckKonghang) {
            t.make = [](const Tpertgra*) { return std::make_unique<Ckonghang>(); };
            khbut = t.action;
        } else if (d.kind == ckCreateBiaozhu) {
            t.make = [](const Tpertgra* net) -> std::unique_ptr<CPertCommand> {
                if (!net || !InAnnotationView(*net)) return nullptr;
                return std::make_unique<CCreateBiaozhu>();
            };
            biaozhubut = t.action;
        }
        QAction* a = t.action;
        connect(a, &QAction::triggered, this, [this, a] { ClickTool(a); });
        tools_.push_back(std::move(t));
    }
}

void Tpertmainfm::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    fileMenuWidget = file;
    file->addAction(QStringLiteral("新建"), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                    [this] { NewDocument(); });
    file->addAction(QStringLiteral("打开"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                    &Tpertmainfm::OpenFromDialog);
    file->addAction(QStringLiteral("打开示例文件"), this, &Tpertmainfm::OpenSample);
    file->addAction(QStringLiteral("保存"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                    &Tpertmainfm::SaveActive);
    file->addAction(QStringLiteral("另存为"), this, &Tpertmainfm::SaveActiveAs);
    file->addAction(QStringLiteral("存为其它图片格式"), this, &Tpertmainfm::ExportActive);
    QMenu* exportMenu = file->addMenu(QStringLiteral("导出"));
    exportMenu->addAction(QStringLiteral("工作表 (CSV)…"), this, &Tpertmainfm::ExportCsvActive);
    exportMenu->addAction(QStringLiteral("项目交换 XML…"), this, &Tpertmainfm::ExportXmlActive);
    file->addAction(QStringLiteral("导入项目交换 XML…"), this, &Tpertmainfm::ImportXml);
    file->addSeparator();
    file->addAction(QStringLiteral("打印设置"), this, &Tpertmainfm::PrinterSetupActive);
    file->addAction(QStringLiteral("打印预览"), this, &Tpertmainfm::PreviewActive);
    file->addAction(QStringLiteral("打印"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                    &Tpertmainfm::PrintActive);
    file->addSeparator();
    file->addAction(QStringLiteral("关闭"), this, &Tpertmainfm::CloseActive);
    exitAction = file->addAction(QStringLiteral("退出"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑"));
    edit->addAction(QStringLiteral("撤消"), QKeySequence(Qt::CTRL | Qt::Key_Z), this,
                    &Tpertmainfm::UndoActive);
    edit->addAction(QStringLiteral("恢复"), QKeySequence(Qt::CTRL | Qt::Key_Y), this,
                    &Tpertmainfm::RedoActive);
    edit->addAction(QStringLiteral("复制"), QKeySequence(Qt::CTRL | Qt::Key_C), this,
                    &Tpertmainfm::CopyActive);
    edit->addSeparator();
    edit->addAction(QStringLiteral("横向伸长"), this, [this] { StretchActive(0); });
    edit->addAction(QStringLiteral("横向压缩"), this, [this] { StretchActive(1); });
    edit->addAction(QStringLiteral("纵向伸长"), this, [this] { StretchActive(2); });
    edit->addAction(QStringLiteral("纵向压缩"), this, [this] { StretchActive(3); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("显示设置"));
    view->addAction(QStringLiteral("属性设置"), this, [this] {
        if (Tpertfm* d = ActiveDocument()) OpenDisplaySettings(*d);
    });
    frameSwitchAction = view->addAction(QStringLiteral("时标开关"));
    frameSwitchAction->setCheckable(true);
    frameSwitchAction->setChecked(true);
    connect(frameSwitchAction, &QAction::triggered, this, &Tpertmainfm::SwitchFrame);
    view->addAction(QStringLiteral("休息日设置"), this, &Tpertmainfm::RunRestDays);
    view->addAction(QStringLiteral("标尺比例设置"), this, &Tpertmainfm::RunRulerScale);
    view->addAction(QStringLiteral("前锋线设置"), this, &Tpertmainfm::RunProgressLine);
    view->addSeparator();
    showNetworkAction_ = view->addAction(QStringLiteral("显示网络图"), this, [this] { ShowView(1); });
    showGanttAction_ = view->addAction(QStringLiteral("显示横道图"), this, [this] { ShowView(0); });
    showResourceAction_ = view->addAction(QStringLiteral("显示资源图"), this, [this] { ShowView(3); });
    view->addSeparator();
    view->addAction(QStringLiteral("设置默认值"), this, &Tpertmainfm::ResetDefaults);

    QMenu* resources = menuBar()->addMenu(QStringLiteral("资源"));
    resources->addAction(QStringLiteral("资源统计"), this, [this] {
        Tpertfm* d = ActiveDocument();
        if (!d || !d->Network()) return;
        Tresyongliangfm dialog(*d->Network(), this);
        dialog.exec();
    });

    QMenu* window = menuBar()->addMenu(QStringLiteral("窗口"));
    windowMenu = window;
    connect(window, &QMenu::aboutToShow, this, &Tpertmainfm::FillWindowMenu);
    window->addAction(QStringLiteral("层叠"), this, [this] { Arrange(0); });
    window->addAction(QStringLiteral("水平"), this, [this] { Arrange(1); });
    window->addAction(QStringLiteral("垂直"), this, [this] { Arrange(2); });
    window->addAction(QStringLiteral("全部最小化"), this, [this] { Arrange(3); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("帮助"), this, &Tpertmainfm::ShowHelp);
    help->addAction(QStringLiteral("关于"), this, &Tpertmainfm::ShowAbout);
}

void Tpertmainfm::BuildToolBars()
{
    ToolBar2 = addToolBar(QStringLiteral("常用"));
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    auto button = [this](QToolBar* bar, const char* caption, const char* hint, auto slot) {
        QAction* a = bar->addAction(QString::fromUtf8(caption));
        a->setToolTip(QString::fromUtf8(hint));
        a->setStatusTip(QString::fromUtf8(hint));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    button(ToolBar2, "新建", "新建", [this] { NewDocument(); });
    button(ToolBar2, "打开", "打开", [this] { OpenFromDialog(); });
    button(ToolBar2, "保存", "保存", [this] { SaveActive(); });
    ToolBar2->addSeparator();
    button(ToolBar2, "预览", "打印预览", [this] { PreviewActive(); });
    button(ToolBar2, "打印", "打印", [this] { PrintActive(); });
    ToolBar2->addSeparator();
    button(ToolBar2, "撤消", "撤消", [this] { UndoActive(); });
    button(ToolBar2, "恢复", "恢复", [this] { RedoActive(); });
    button(ToolBar2, "复制", "复制", [this] { CopyActive(); });
    ToolBar2->addSeparator();
    button(ToolBar2, "缩小", "缩小", [this] { ZoomActive(kZoomStep, false); });
    zoomtbut = button(ToolBar2, "1：1", "正常", [this] { ActualSize(); });
    zoomtbut->setCheckable(true);
    button(ToolBar2, "放大", "放大", [this] { ZoomActive(kZoomStep, true); });
    ToolBar2->addSeparator();
    button(ToolBar2, "垂直平铺", "垂直平铺", [this] { Arrange(2); });
    button(ToolBar2, "层叠", "层叠", [this] { Arrange(0); });
    button(ToolBar2, "水平平铺", "水平平铺", [this] { Arrange(1); });

    tlbEdit = addToolBar(QStringLiteral("编辑"));
    tlbEdit->setObjectName(QStringLiteral("tlbEdit"));
    cbbaddxmode = new QComboBox(tlbEdit);
    cbbaddxmode->addItems({QStringLiteral("常规"), QStringLiteral("选中的边")});
    cbbaddxmode->setCurrentIndex(0);
    connect(cbbaddxmode, &QComboBox::currentIndexChanged, this, [this] {
        if (Tpertfm* d = ActiveDocument()) d->scbox->setFocus();
    });
    tlbEdit->addWidget(cbbaddxmode);
    button(tlbEdit, "横向伸长", "横向伸长(按下Shift键时为粗调)", [this] { StretchActive(0); });
    button(tlbEdit, "横向压缩", "横向压缩(按下Shift键时为粗调)", [this] { StretchActive(1); });
    button(tlbEdit, "纵向伸长", "纵向伸长", [this] { StretchActive(2); });
    button(tlbEdit, "纵向压缩", "纵向压缩", [this] { StretchActive(3); });
    button(tlbEdit, "标尺", "标尺", [this] { SwitchFrame(); });
    button(tlbEdit, "设置", "设置", [this] {
        if (Tpertfm* d = ActiveDocument()) OpenDisplaySettings(*d);
    });
    ganttswbtn = button(tlbEdit, "横道图", "横道图", [this] { SwitchGantt(); });
    Cobpert = new QComboBox(tlbEdit);
    Cobpert->setObjectName(QStringLiteral("Cobpert"));
    Cobpert->addItems({QStringLiteral("时标网络图"), QStringLiteral("逻辑网络图")});
    Cobpert->setEnabled(false);
    connect(Cobpert, &QComboBox::activated, this, [this](int i) { ChooseNetworkKind(i); });
    tlbEdit->addWidget(Cobpert);

    pertPanel = new QToolBar(QStringLiteral("工具"), this);
    pertPanel->setObjectName(QStringLiteral("pertPanel"));
    pertPanel->setOrientation(Qt::Vertical);
    pertPanel->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const TToolButton& t : tools_) pertPanel->addAction(t.action);
    ganttpanel = new QWidget(pertPanel);
    ganttpanel->setObjectName(QStringLiteral("ganttpanel"));
    auto* pages = new QVBoxLayout(ganttpanel);
    pages->setContentsMargins(0, 8, 0, 0);
    auto pageButton = [this, pages](const char* caption, auto slot) {
        auto* a = new QAction(QString::fromUtf8(caption), this);
        auto* b = new QToolButton(ganttpanel);
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        pages->addWidget(b);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    lesspagebtn = pageButton("上页", [this] { TurnGanttPage(false); });
    addpagebtn = pageButton("下页", [this] { TurnGanttPage(true); });
    paixubut = pageButton("排序", [this] { SortGantt(); });
    ganttpanelAction_ = pertPanel->addWidget(ganttpanel);
    ganttpanelAction_->setVisible(false);
    addToolBar(Qt::RightToolBarArea, pertPanel);
}

void Tpertmainfm::BuildStatusBars()
{
    auto* pointerBar = new QStatusBar(centralWidget());
    pointerBar->setSizeGripEnabled(false);
    for (size_t i = 0; i < pointerPanels.size(); ++i) {
        QLabel* panel = new QLabel(pointerBar);
        pointerPanels[i] = panel;
        panel->setFrameShape(QFrame::StyledPanel);
        // Wide enough for its usual text in the font of this screen; a longer
        // text (a long work name) widens the panel as far as there is room.
        const int text = panel->fontMetrics().horizontalAdvance(QString::fromUtf8(kPointerPanelSamples[i]));
        panel->setMinimumWidth(std::max(kPointerPanelWidths[i], text + 2 * panel->frameWidth() + 12));
        pointerBar->addWidget(pointerPanels[i]);
    }
    centralWidget()->layout()->addWidget(pointerBar);
    statusBar()->showMessage(QString());
}

// ---- documents ------------------------------------------------------------------

std::unique_ptr<Tpertmainfm::TLoaded> Tpertmainfm::Load(const std::string& path)
{
    auto loaded = std::make_unique<TLoaded>();
    loaded->net = std::make_unique<Tpertgra>();
    if (FileSize(path) < backgroundLoadBytes) {
        if (LoadProject(*loaded->net, path) != 1) return nullptr;
        return loaded;
    }
    // A large plan is read, computed and laid out on a worker thread while
    // the window keeps painting behind a progress window; the network is
    // handed to this thread only when the worker is done with it.
    QProgressDialog progress(QStringLiteral("正在读入：") + Q(FileNamePart(path)), QString(), 0, 0,
                             this);
    progress.setWindowTitle(QString::fromUtf8(kApplicationTitle));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setCancelButton(nullptr);
    progress.show();
    TDeferredMessages deferred;
    IMessageService& shown = Messages();
    SetMessageService(&deferred);
    QEventLoop loop;
    int result = 0;
    loading_ = true;
    std::thread worker([&] {
        result = LoadProject(*loaded->net, path);
        if (result == 1) {
            loaded->net->Recalculate();
            LayoutNetwork(*loaded->net);
            loaded->snapshot = THistoryStep::Record(*loaded->net);
            loaded->laidOut = true;
        }
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    loading_ = false;
    SetMessageService(&shown);
    progress.close();
    deferred.Replay(shown);
    if (result != 1) return nullptr;
    return loaded;
}

Tpertfm* Tpertmainfm::AddDocument(std::unique_ptr<Tpertgra> net, const std::string& caption,
                                  const std::string& filePath, std::shared_ptr<const THistoryStep> snapshot,
                                  bool laidOut)
{
    auto* doc = new Tpertfm(*this, std::move(net), caption, filePath, std::move(snapshot));
    QMdiSubWindow* sub = mdiArea->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->showMaximized();
    doc->ResizeCanvas();
    if (laidOut) doc->RebuildImage();
    else doc->RefreshView();
    doc->paintbox->update();
    doc->scbox->setFocus();
    return doc;
}

Tpertfm* Tpertmainfm::OpenDocument(const std::string& path, bool)
{
    if (path.empty() || loading_) return nullptr;
    std::unique_ptr<TLoaded> loaded = Load(path);
    if (!loaded) return nullptr;
    return AddDocument(std::move(loaded->net), path, path, std::move(loaded->snapshot),
                       loaded->laidOut);
}

Tpertfm* Tpertmainfm::NewDocument()
{
    const std::string caption = "网络图" + std::to_string(Documents().size() + 1);
    auto net = std::make_unique<Tpertgra>();
    TfmCreatePertInf info(*net, this);
    if (info.Run() != 1) return nullptr;
    SelectTool(ckAddWork);
    return AddDocument(std::move(net), caption, "", nullptr, false);
}

bool Tpertmainfm::Save(Tpertfm& doc)
{
    Tpertgra* net = doc.Network();
    if (!net) return false;
    if (!net->hasFile || doc.doc.ShowsRestoredBackup() || doc.doc.filePath.empty())
        return SaveAs(doc);
    return SaveProject(*net, doc.doc.filePath);
}

bool Tpertmainfm::SaveAs(Tpertfm& doc)
{
    Tpertgra* net = doc.Network();
    if (!net) return false;
    // A plan that has a file starts in its folder (a restored one in its
    // plan's), a new one in the folder last used.
    std::string folder = FolderPart(doc.doc.ShowsRestoredBackup() ? net->fileName : doc.doc.filePath);
    if (!IsFolder(folder)) folder = DialogFolder();
    const std::string path = FileDialogs().SaveFile(folder, kProjectFilter, "prt");
    if (path.empty()) return false;
    if (!SaveProject(*net, path)) return false;
    RememberFolder(path);
    AddRecentFile(path);
    doc.doc.restored = false;
    doc.SetCaption(FileNamePart(path));
    doc.doc.filePath = path;
    // As with the registry, a registration that fails does not concern saving.
    FileTypes().RegisterFileType("prt", "prt文件", programPath,
                                 folders_.programDir + "/arrowplan.svg");
    return true;
}

void Tpertmainfm::AddRecentFile(const std::string& path)
{
    TIniFile ini(folders_.SettingsFile());
    fileMenu.Add(path, ini);
}

void Tpertmainfm::LoadRecentFiles()
{
    TIniFile ini(folders_.SettingsFile());
    fileMenu.Load(ini);
    if (fileMenu.files.empty()) return;
    QAction* before = exitAction;
    fileMenuWidget->insertSeparator(before);
    for (const std::string& f : fileMenu.files) {
        auto* a = new QAction(Q(f), fileMenuWidget);
        connect(a, &QAction::triggered, this, [this, f] {
            if (OpenDocument(f)) AddRecentFile(f);
        });
        fileMenuWidget->insertAction(before, a);
    }
}

void Tpertmainfm::StartUp(const std::vector<std::string>& files)
{
    // The cover stays on top of everything: it goes before any question, and
    // the questions come over this window.
    if (cover) cover->close();
    activatedOnce_ = true;
    raise();
    activateWindow();
    TStartup::Run(
        backups_, files,
        [this](const std::string& backup) {
            Tpertfm* d = OpenDocument(backup, false);
            if (!d) return false;
            d->doc.restored = true;
            d->SetCaption(TPertdoc::RecoveredCaption(d->Network()->fileName));
            d->doc.backup->AdoptFile(backup);
            return true;
        },
        [this](const std::string& f) { OpenDocument(f, false); });
}

void Tpertmainfm::OpenHandedOver(const std::vector<std::string>& files)
{
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    for (const std::string& f : files)
        if (OpenDocument(f)) AddRecentFile(f);
}

std::vector<Tpertfm*> Tpertmainfm::Documents() const
{
    std::vector<Tpertfm*> docs;
    for (QMdiSubWindow* w : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* d = qobject_cast<Tpertfm*>(w->widget()); d && !closing_.count(d)) docs.push_back(d);
    return docs;
}

Tpertfm* Tpertmainfm::ActiveDocument() const
{
    auto open = [this](QMdiSubWindow* w) -> Tpertfm* {
        auto* d = w ? qobject_cast<Tpertfm*>(w->widget()) : nullptr;
        return d && !closing_.count(d) ? d : nullptr;
    };
    if (Tpertfm* d = open(mdiArea->activeSubWindow())) return d;
    const auto list = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (Tpertfm* d = open(*it)) return d;
    return nullptr;
}

void Tpertmainfm::OpenFromDialog()
{
    const std::vector<std::string> files = FileDialogs().OpenFiles(DialogFolder(), kProjectFilter, true);
    if (!files.empty()) RememberFolder(files.front());
    for (const std::string& f : files)
        if (OpenDocument(f)) AddRecentFile(f);
}

std::string Tpertmainfm::DialogFolder() const
{
    return IsFolder(lastFolder_) ? lastFolder_ : std::string();
}

void Tpertmainfm::RememberFolder(const std::string& path)
{
    const std::string folder = FolderPart(path);
    if (folder.empty() || folder == lastFolder_) return;
    lastFolder_ = folder;
    TIniFile(folders_.SettingsFile()).WriteString(kFolderSection, kLastFolderKey, folder);
}

void Tpertmainfm::OpenSample()
{
    const std::vector<std::string> files =
        FileDialogs().OpenFiles(folders_.SamplesDir(), kProjectFilter, false);
    if (files.empty()) return;
    try {
        if (OpenDocument(files.front())) AddRecentFile(files.front());
    } catch (const std::exception&) {
        ShowWarning("不能打开此文件!");
    }
}

void Tpertmainfm::SaveActive()
{
    if (Tpertfm* d = ActiveDocument()) Save(*d);
}

void Tpertmainfm::SaveActiveAs()
{
    if (Tpertfm* d = ActiveDocument()) SaveAs(*d);
}

IPrinter& Tpertmainfm::Printer()
{
    if (printer) return *printer;
    if (!ownPrinter_) ownPrinter_ = std::make_unique<TQtPrinter>(this);
    return *ownPrinter_;
}

void Tpertmainfm::PrinterSetupActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    d->ChangeSettings([this, d] { PrinterSetup(*d->Network(), Printer()); });
}

void Tpertmainfm::PrintActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    PrintNetwork(*d->Network(), Printer());
    // Printing laid the network out in print colours; the screen picture comes back.
    d->RefreshView();
}

void Tpertmainfm::PreviewActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    Tpertgra& net = *d->Network();
    TPreviewActions actions;
    actions.print = [this] { PrintActive(); };
    actions.printerSetup = [this] { PrinterSetupActive(); };
    actions.stretch = [this](int which) { StretchActive(which); };
    actions.settings = [this, d] { OpenDisplaySettings(*d); };
    actions.printSettings = [this, d] {
        d->ChangeSettings([this, d] {
            Tpertsetfm dialog(*d->Network(), this);
            dialog.ShowPrintPage();
            dialog.exec();
        });
    };
    actions.ratio = [d, &net](bool enlarge) {
        d->ChangeSettings([&net, enlarge] { enlarge ? EnlargePrint(net) : ShrinkPrint(net); });
    };
    Preview(net, Printer(), std::move(actions), this);
    d->RefreshView();
}

void Tpertmainfm::ExportActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    std::string folder = FolderPart(d->doc.filePath);
    if (!IsFolder(folder)) folder = DialogFolder();
    const std::string path = FileDialogs().SaveFile(
        folder, "png|*.png|jpg|*.jpg|bmp|*.bmp|svg|*.svg|pdf|*.pdf", "png");
    if (path.empty()) return;
    std::string problem;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ExportPicture(*d->Network(), path, TPicturePalette::Print, 1.0, &problem);
    QApplication::restoreOverrideCursor();
    // The export laid the network out in print colours; the screen picture comes back.
    d->RebuildImage();
    d->paintbox->update();
    if (!ok) ShowWarning("图片保存失败：" + path);
}

// The folder of the document's file, else the last folder of the dialogs.
std::string Tpertmainfm::ExportFolder(const Tpertfm& doc) const
{
    const std::string folder = FolderPart(doc.doc.filePath);
    return IsFolder(folder) ? folder : DialogFolder();
}

void Tpertmainfm::ExportCsvActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    const std::string path = FileDialogs().SaveFile(ExportFolder(*d), "csv|*.csv", "csv");
    if (path.empty()) return;
    const TMsgAnswer a = Messages().Show("按UTF-8编码保存吗？选“否”按GBK编码保存。",
                                         "工作表 (CSV)", TMsgIcon::Question,
                                         TMsgButtons::YesNoCancel);
    if (a == TMsgAnswer::Cancel) return;
    std::string problem;
    const bool ok = ExportWorkTableCsv(
        *d->Network(), path, a == TMsgAnswer::No ? TCsvEncoding::Gbk : TCsvEncoding::Utf8Bom,
        problem);
    if (!ok) ShowWarning("工作表保存失败：" + path);
    else if (!problem.empty()) ShowWarning(problem);
}

void Tpertmainfm::ExportXmlActive()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    const std::string path = FileDialogs().SaveFile(ExportFolder(*d), "xml|*.xml", "xml");
    if (path.empty()) return;
    std::string problem;
    if (!ExportProjectXml(*d->Network(), path, problem)) ShowWarning("XML文件保存失败：" + path);
}

// A new document that has no file: saving it asks for a project file.
Tpertfm* Tpertmainfm::ImportXml()
{
    const std::vector<std::string> files =
        FileDialogs().OpenFiles(DialogFolder(), "xml|*.xml", false);
    if (files.empty()) return nullptr;
    RememberFolder(files.front());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TXmlImport r = ImportProjectXmlFile(files.front());
    QApplication::restoreOverrideCursor();
    if (!r.net) {
        ShowWarning("不能导入此文件：" + r.problem);
        return nullptr;
    }
    std::string caption = FileNamePart(files.front());
    if (const size_t dot = caption.find_last_of('.'); dot != std::string::npos && dot > 0)
        caption.erase(dot);
    Tpertfm* doc = AddDocument(std::move(r.net), caption, "", nullptr, false);
    const std::string text = ImportReportText(r);
    if (importReport) importReport(text);
    else ShowImportReportWindow(this, text);
    return doc;
}

void Tpertmainfm::CloseActive()
{
    if (Tpertfm* d = ActiveDocument())
        if (auto* w = qobject_cast<QMdiSubWindow*>(d->parentWidget())) w->close();
}

void Tpertmainfm::DocumentClosed(Tpertfm& doc)
{
    // From here on the closing window no longer counts as open, although
    // the area lists it until it is gone.
    closing_.insert(&doc);
    connect(&doc, &QObject::destroyed, this, [this, p = &doc] { closing_.erase(p); });
    // The tool command may point into the closing network: a fresh one.
    toolCommand.reset();
    if (QAction* down = toolGroup_->checkedAction()) ClickTool(down);
    ClearPointerStatus();
    UpdateDocumentState();
}

// ---- tools and views ------------------------------------------------------------

void Tpertmainfm::ClickTool(QAction* button)
{
    toolCommand.reset();
    Tpertfm* d = ActiveDocument();
    for (const TToolButton& t : tools_)
        if (t.action == button && t.make) toolCommand = t.make(d ? d->Network() : nullptr);
}

void Tpertmainfm::SelectTool(int32_t kind)
{
    if (kind != ckAddWork && kind != ckEdit && kind != ckDelete && kind != ckImport) return;
    for (const TToolButton& t : tools_) {
        if (t.kind != kind) continue;
        t.action->setChecked(true);
        ClickTool(t.action);
    }
}

void Tpertmainfm::SetViewMode(Tpertgra& net, int32_t mode)
{
    if (mode == 3) {
        SetViewKind(net, 3);
    } else {
        SetViewKind(net, mode);
        for (const TToolButton& t : tools_) t.action->setVisible(mode != 0 || t.inGantt);
        ganttswbtn->setText(mode == 0 ? QStringLiteral("网络图") : QStringLiteral("横道图"));
        ganttpanelAction_->setVisible(mode == 0);
    }
    const QSignalBlocker quiet(Cobpert);
    Cobpert->setCurrentIndex(net.networkKind == 1 ? 1 : 0);
    Cobpert->setEnabled(mode != 0);
    QAction* down = toolGroup_->checkedAction();
    if (!down || !down->isVisible()) {
        selectbut->setChecked(true);
        down = selectbut;
    }
    ClickTool(down);
}

void Tpertmainfm::ShowView(int32_t mode)
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || d->Network()->nodes.empty()) return;
    d->ChangeSettings([this, d, mode] { SetViewMode(*d->Network(), mode); });
}

void Tpertmainfm::SwitchGantt()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    Tpertgra& net = *d->Network();
    const int32_t mode = ViewKind(net) != 0 ? 0 : net.networkKind == 1 ? 2 : 1;
    d->ChangeSettings([&] {
        SetViewMode(net, mode);
        d->ScrollHome();
    });
}

void Tpertmainfm::ChooseNetworkKind(int32_t index)
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || ViewKind(*d->Network()) == 0) return;
    Tpertgra& net = *d->Network();
    const int32_t mode = index == 1 ? 2 : 1;
    if (ViewKind(net) != mode) {
        d->ChangeSettings([&] {
            SetViewMode(net, mode);
            d->ScrollHome();
        });
    }
    SetViewMode(net, ViewKind(net));
    d->scbox->setFocus();
}

void Tpertmainfm::TurnGanttPage(bool next)
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || ViewKind(*d->Network()) != 0) return;
    Tpertgra& net = *d->Network();
    const bool turned = next ? net.liveGantt.NextPage(net) : net.liveGantt.PreviousPage();
    if (!turned) return;
    d->ScrollHome();
    LayoutNetwork(net);
    d->RebuildImage();
    d->paintbox->update();
}

void Tpertmainfm::SortGantt()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || ViewKind(*d->Network()) != 0) return;
    OpenSortDialog(d->doc);
    d->scbox->setFocus();
    d->RefreshView();
}

void Tpertmainfm::DocumentActivated(QMdiSubWindow* w)
{
    UpdateDocumentState();
    auto* d = w ? qobject_cast<Tpertfm*>(w->widget()) : nullptr;
    if (!d || !d->Network() || closing_.count(d)) return;
    SetViewMode(*d->Network(), d->doc.ViewMode());
    frameSwitchAction->setChecked(d->Network()->showFrame);
    SetActualSizeDown(IsActualSize(d->doc.zoom));
}

void Tpertmainfm::ShowPointerStatus(const std::array<std::string, 5>& panels)
{
    for (size_t i = 0; i < panels.size(); ++i) pointerPanels[i]->setText(Q(panels[i]));
}

void Tpertmainfm::ClearPointerStatus()
{
    for (size_t i = 0; i < 4; ++i) pointerPanels[i]->clear();
}

void Tpertmainfm::ShowProjectStatus(Tpertfm& doc)
{
    if (&doc != ActiveDocument()) return;
    const std::array<std::string, 3> s = doc.doc.ProjectStatus();
    for (size_t i = 0; i < s.size(); ++i) pointerPanels[i + 2]->setText(Q(s[i]));
}

void Tpertmainfm::UpdateDocumentState()
{
    Tpertfm* active = ActiveDocument();
    const bool any = active != nullptr;
    std::vector<QAction*> items;
    CollectItems(menuBar()->actions(), items);
    for (QToolBar* bar : {ToolBar2, tlbEdit})
        if (bar) CollectItems(bar->actions(), items);
    for (QAction* a : items) {
        const QString text = a->text();
        for (const char* item : kDocumentItems)
            if (text == QString::fromUtf8(item)) a->setEnabled(any);
    }
    for (const TToolButton& t : tools_) t.action->setEnabled(any);
    if (cbbaddxmode) cbbaddxmode->setEnabled(any);
    if (Cobpert && !any) Cobpert->setEnabled(false);
    if (active && active->Network()) {
        ShowProjectStatus(*active);
    } else {
        // The last document closed: nothing of it stays on the status bar.
        for (QLabel* panel : pointerPanels) panel->clear();
    }
}

void Tpertmainfm::FillWindowMenu()
{
    for (QAction* a : windowItems_) delete a;
    windowItems_.clear();
    const std::vector<Tpertfm*> docs = Documents();
    if (docs.empty()) return;
    windowItems_.push_back(windowMenu->addSeparator());
    const Tpertfm* active = ActiveDocument();
    int n = 0;
    for (Tpertfm* d : docs) {
        auto* sub = qobject_cast<QMdiSubWindow*>(d->parentWidget());
        if (!sub) continue;
        ++n;
        // The first nine get their number as the keyboard accelerator.
        const QString number = n < 10 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n);
        QAction* a = windowMenu->addAction(number + Q(d->Caption()));
        a->setCheckable(true);
        a->setChecked(d == active);
        connect(a, &QAction::triggered, this, [this, sub] {
            if (sub->isMinimized()) sub->showNormal();
            mdiArea->setActiveSubWindow(sub);
        });
        windowItems_.push_back(a);
    }
}

void Tpertmainfm::SetActualSizeDown(bool down)
{
    if (zoomtbut) zoomtbut->setChecked(down);
}

std::unique_ptr<ITimer> Tpertmainfm::NewTimer()
{
    return timers_();
}

void Tpertmainfm::CopySelection(Tpertfm& doc)
{
    clipNetwork.reset();
    Tpertgra* net = doc.Network();
    if (net && !net->selection.empty()) clipNetwork = net->BuildFromWorks(net->selection);
}

void Tpertmainfm::CopyActive()
{
    if (Tpertfm* d = ActiveDocument()) CopySelection(*d);
}

void Tpertmainfm::UndoActive()
{
    Tpertfm* d = ActiveDocument();
    if (d && d->Undo()) ShowRestoredState(*d);
}

void Tpertmainfm::RedoActive()
{
    Tpertfm* d = ActiveDocument();
    if (d && d->Redo()) ShowRestoredState(*d);
}

void Tpertmainfm::ShowRestoredState(Tpertfm& d)
{
    // A step may switch the view or the time scale frame back: the tool
    // panel and the switch follow, and the pressed tool gets a command for
    // the restored network.
    SetViewMode(*d.Network(), d.doc.ViewMode());
    frameSwitchAction->setChecked(d.Network()->showFrame);
}

void Tpertmainfm::ZoomActive(double factor, bool zoomIn)
{
    if (Tpertfm* d = ActiveDocument()) d->ZoomCentred(factor, zoomIn);
}

void Tpertmainfm::ActualSize()
{
    Tpertfm* d = ActiveDocument();
    if (d) d->ZoomCentred(100 / d->doc.zoom, true);
    SetActualSizeDown(true);
}

void Tpertmainfm::StretchActive(int which)
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || d->Network()->nodes.empty()) return;
    Tpertgra& net = *d->Network();
    const bool coarse = QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
    const double amount = coarse ? 200 : 50;
    const std::optional<TDaySpan> span =
        cbbaddxmode->currentIndex() == 1 ? SelectedSpan(net) : std::nullopt;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    d->ChangeSettings([&] {
        switch (which) {
        case 0: StretchX(net, amount, span ? &*span : nullptr); break;
        case 1: ShrinkX(net, amount, span && ViewKind(net) == 1 ? &*span : nullptr); break;
        case 2: StretchY(net); break;
        default: ShrinkY(net); break;
        }
    });
    QApplication::restoreOverrideCursor();
}

void Tpertmainfm::SwitchFrame()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network() || ViewKind(*d->Network()) != 1) {
        frameSwitchAction->setChecked(d && d->Network() && d->Network()->showFrame);
        return;
    }
    Tpertgra& net = *d->Network();
    d->ChangeSettings([&] {
        net.showFrame = !net.showFrame;
        d->ScrollHome();
    });
    frameSwitchAction->setChecked(net.showFrame);
}

void Tpertmainfm::ResetDefaults()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    d->ChangeSettings([d] { ResetDisplaySettings(*d->Network()); });
}

void Tpertmainfm::OpenDisplaySettings(Tpertfm& doc)
{
    if (!doc.Network()) return;
    doc.ChangeSettings([this, &doc] {
        Tpertsetfm dialog(*doc.Network(), this);
        dialog.exec();
    });
}

void Tpertmainfm::RunRestDays()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    d->ChangeSettings([this, d] {
        Tfmtimeset dialog(*d->Network(), this);
        dialog.exec();
    });
}

void Tpertmainfm::RunRulerScale()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    // 伸长 and 压缩 show their effect at once; 取消 puts the scale back.
    d->ChangeSettings([this, d] {
        Tfmscalebiliset dialog(*d->Network(), [d] { d->RefreshView(); }, this);
        dialog.exec();
    });
}

void Tpertmainfm::RunProgressLine()
{
    Tpertfm* d = ActiveDocument();
    if (!d || !d->Network()) return;
    d->ChangeSettings([this, d] {
        Tvanguardlinesetfm dialog(*d->Network(), this);
        dialog.exec();
    });
}

void Tpertmainfm::ShowHelp()
{
    if (!HelpViewer().ShowContents(folders_.HelpFile()))
        ShowWarning("找不到帮助文件：" + folders_.HelpFile());
}

void Tpertmainfm::ShowAbout()
{
    ShowInformation(std::string(kApplicationTitle) +
                    "\n\n时标网络计划的编制、计算与绘图。\n双代号网络图、时间参数与关键线路、休息日与工程日历。");
}

void Tpertmainfm::Arrange(int how)
{
    const QList<QMdiSubWindow*> windows = mdiArea->subWindowList();
    if (how == 0) {
        Cascade();
        return;
    }
    if (how == 3) {
        for (QMdiSubWindow* w : windows) w->showMinimized();
        return;
    }
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* w : windows)
        if (!w->isMinimized()) shown << w;
    if (shown.isEmpty()) return;
    const QRect area = mdiArea->viewport()->rect();
    const int n = int(shown.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = shown[i];
        w->showNormal();
        if (how == 1) {
            // 水平: the windows one above the other, each as wide as the area.
            const int h = area.height() / n;
            w->setGeometry(0, i * h, area.width(), h);
        } else {
            // 垂直: the windows side by side, each as high as the area.
            const int wd = area.width() / n;
            w->setGeometry(i * wd, 0, wd, area.height());
        }
    }
}

void Tpertmainfm::Cascade()
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* w : mdiArea->subWindowList(QMdiArea::StackingOrder)) {
        auto* d = qobject_cast<Tpertfm*>(w->widget());
        if (!w->isMinimized() && !(d && closing_.count(d))) shown << w;
    }
    if (shown.isEmpty()) return;
    const QRect area = mdiArea->viewport()->rect();
    // Each window is offset by one title bar from the one under it and is as
    // large as the area leaves, but never less than two thirds of it; when
    // the offsets would run out of the area they start again at the corner.
    const int step = std::max(
        16, shown.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown.front()) + 4);
    const int n = int(shown.size());
    const int width = std::max(area.width() * 2 / 3, area.width() - (n - 1) * step);
    const int height = std::max(area.height() * 2 / 3, area.height() - (n - 1) * step);
    const int places = 1 + std::max(0, std::min((area.width() - width) / step, (area.height() - height) / step));
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = shown[i];
        w->showNormal();
        const int k = i % places;
        w->setGeometry(k * step, k * step, std::min(width, area.width()), std::min(height, area.height()));
        w->raise();
    }
    mdiArea->setActiveSubWindow(shown.back());
}

// ---- events ---------------------------------------------------------------------

bool Tpertmainfm::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !activatedOnce_) {
        activatedOnce_ = true;
        if (cover) cover->close();
    }
    return QMainWindow::event(e);
}

void Tpertmainfm::closeEvent(QCloseEvent* e)
{
    if (loading_) {
        e->ignore();
        return;
    }
    // Every document window runs its close query; one that stays open keeps the program.
    for (QMdiSubWindow* w : mdiArea->subWindowList()) {
        if (!w->close()) {
            e->ignore();
            return;
        }
    }
    clipNetwork.reset();
    backups_.RemoveAll();
    toolCommand.reset();
    e->accept();
}

void Tpertmainfm::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void Tpertmainfm::dropEvent(QDropEvent* e)
{
    e->acceptProposedAction();
    OpenDropped(*e->mimeData());
}

void Tpertmainfm::OpenDropped(const QMimeData& data)
{
    std::vector<std::string> files;
    for (const QUrl& u : data.urls())
        if (u.isLocalFile()) files.push_back(u.toLocalFile().toStdString());
    for (const std::string& f : files)
        if (OpenDocument(f)) AddRecentFile(f);
}
