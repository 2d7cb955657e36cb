#pragma once
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editing/Backupfiles.h"
#include "editing/Historystep.h"
#include "editing/Perthost.h"
#include "editing/Setpertcommand.h"
#include "platform/Programfolders.h"
#include "shell/Addfilemenu.h"

class CPertCommand;
class IPrinter;
class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMimeData;
class QMenu;
class QToolBar;
class Tpertgra;
class Tpertfm;

// The application title: the main window's caption.
inline constexpr const char* kApplicationTitle = "ArrowPlan 网络计划";

// The main window: the document windows in an MDI area, the menus, tool
// bars, tool panel and status bars, the tool command, the copy buffer and
// the recent files.
class Tpertmainfm : public QMainWindow, public IPertHost {
    Q_OBJECT
public:
    // folders says where the settings, backups, samples and help are;
    // timers makes the backup timers (the Qt ones when unset).
    explicit Tpertmainfm(const TProgramFolders& folders, TTimerFactory timers = nullptr,
                         QWidget* parent = nullptr);
    ~Tpertmainfm() override;

    TAddFilemenu fileMenu;
    std::unique_ptr<Tpertgra> clipNetwork;
    std::unique_ptr<CPertCommand> toolCommand;
    // The printer of the print commands; the Qt printer unless tests bind one.
    IPrinter* printer = nullptr;
    // Shows the report of an XML import; the window "导入报告" unless tests bind one.
    std::function<void(const std::string&)> importReport;
    // 文件 ▸ 导入项目交换 XML…: the imported plan as a new document.
    Tpertfm* ImportXml();
    IPrinter& Printer();

    // ---- documents ----
    // Loads a project file into a new document window; null when it cannot be read.
    Tpertfm* OpenDocument(const std::string& path, bool fromUserChoice = true);
    // "新建": asks "工程信息" for a new network; null when cancelled.
    Tpertfm* NewDocument();
    // Save and Save As of a document; true when written.
    bool Save(Tpertfm& doc);
    bool SaveAs(Tpertfm& doc);
    void AddRecentFile(const std::string& path);
    // The recent files go into the File menu before "退出" (once, at start-up).
    void LoadRecentFiles();
    // Crash backups and the files of the command line.
    void StartUp(const std::vector<std::string>& files);
    // Files dropped on the window.
    void OpenDropped(const QMimeData& data);
    // Files handed over by a later start of the program.
    void OpenHandedOver(const std::vector<std::string>& files);
    // Every open document window, in creation order.
    std::vector<Tpertfm*> Documents() const;
    Tpertfm* ActiveDocument() const;

    // ---- tools and views ----
    // Presses the tool button of kind 23, 24, 25 or 28; others do nothing.
    void SelectTool(int32_t kind);
    void SetViewMode(Tpertgra& net, int32_t mode);
    // Runs "显示横道图" (0), "显示网络图" (1) or "显示资源图" (3).
    void ShowView(int32_t mode);
    // ganttswbtn: the Gantt view from a network view, the network view back
    // from the Gantt view.
    void SwitchGantt();
    // Cobpert: the time-scaled (0) or the logic (1) network.
    void ChooseNetworkKind(int32_t index);
    // lesspagebtn and addpagebtn: the previous or the next Gantt page.
    void TurnGanttPage(bool next);
    // paixubut: the sort dialog of the Gantt view.
    void SortGantt();

    // ---- IPertHost ----
    CPertCommand* ToolCommand() override { return toolCommand.get(); }
    TSetpertCommand& Chooser() override { return chooser_; }
    void ShowPointerStatus(const std::array<std::string, 5>& panels) override;
    void ClearPointerStatus() override;
    void ShowProjectStatus(Tpertfm& doc) override;
    bool SaveDocument(Tpertfm& doc) override { return Save(doc); }
    void SetActualSizeDown(bool down) override;
    void OpenDisplaySettings(Tpertfm& doc) override;
    void CopySelection(Tpertfm& doc) override;
    const Tpertgra* ClipNetwork() const override { return clipNetwork.get(); }
    void PressTool(int32_t kind) override { SelectTool(kind); }
    TBackupFiles& Backups() override { return backups_; }
    std::unique_ptr<ITimer> NewTimer() override;
    void DocumentClosed(Tpertfm& doc) override;

    // The program's own path (the desktop entry opens files with it).
    std::string programPath;
    // Loading files at least this large runs on a worker thread behind a
    // progress window, so that the window stays responsive.
    int64_t backgroundLoadBytes = 4 * 1024 * 1024;
    // Shown until the main window is first activated (the cover window).
    QPointer<QWidget> cover;

    // Widgets and actions tests and the menus reach.
    QMdiArea* mdiArea = nullptr;
    QMenu* fileMenuWidget = nullptr;
    QMenu* windowMenu = nullptr;
    QAction* exitAction = nullptr;
    QAction* zoomtbut = nullptr;
    QAction* selectbut = nullptr;
    QAction* addbut = nullptr;
    QAction* editbut = nullptr;
    QAction* delbut = nullptr;
    QAction* timedicbut = nullptr;
    QAction* fengebut = nullptr;
    QAction* liushuibut = nullptr;
    QAction* inbut = nullptr;
    QAction* jhbut = nullptr;
    QAction* khbut = nullptr;
    QAction* biaozhubut = nullptr;
    QAction* frameSwitchAction = nullptr;
    QComboBox* cbbaddxmode = nullptr;
    // The network view's kind: "时标网络图" or "逻辑网络图".
    QComboBox* Cobpert = nullptr;
    std::array<QLabel*, 5> pointerPanels{};
    QToolBar* ToolBar2 = nullptr;
    QToolBar* tlbEdit = nullptr;
    QToolBar* pertPanel = nullptr;
    QAction* ganttswbtn = nullptr;
    QWidget* ganttpanel = nullptr;    // 上页, 下页 and 排序 below the tools, in the Gantt view
    QAction* lesspagebtn = nullptr;
    QAction* addpagebtn = nullptr;
    QAction* paixubut = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    std::unique_ptr<IPrinter> ownPrinter_;
    struct TLoaded;
    std::unique_ptr<TLoaded> Load(const std::string& path);
    Tpertfm* AddDocument(std::unique_ptr<Tpertgra> net, const std::string& caption,
                         const std::string& filePath, std::shared_ptr<const THistoryStep> snapshot,
                         bool laidOut);
    void BuildActions();
    void BuildMenus();
    void BuildToolBars();
    void BuildStatusBars();
    void ClickTool(QAction* button);
    void DocumentActivated(QMdiSubWindow* w);
    void OpenFromDialog();
    void OpenSample();
    void SaveActive();
    void SaveActiveAs();
    void ExportActive();
    void PrinterSetupActive();
    void PreviewActive();
    void PrintActive();
    std::string ExportFolder(const Tpertfm& doc) const;
    void ExportCsvActive();
    void ExportXmlActive();
    void CloseActive();
    void UndoActive();
    void RedoActive();
    void CopyActive();
    void ZoomActive(double factor, bool zoomIn);
    void ActualSize();
    void StretchActive(int which);
    void SwitchFrame();
    void ShowRestoredState(Tpertfm& d);
    void ResetDefaults();
    void RunRestDays();
    void RunRulerScale();
    void RunProgressLine();
    void ShowHelp();
    void ShowAbout();
    void Arrange(int how);
    // Cascades the document windows, each at a size one can work in.
    void Cascade();
    // The 窗口 menu lists the open documents after its arranging items.
    void FillWindowMenu();
    // Enables what needs a document and fills the status bar for the active one.
    void UpdateDocumentState();
    // The folder the open and save dialogs start in, and remembering it.
    std::string DialogFolder() const;
    void RememberFolder(const std::string& path);

    TProgramFolders folders_;
    TBackupFiles backups_;
    TTimerFactory timers_;
    TSetpertCommand chooser_;
    bool activatedOnce_ = false;
    // The folder of the last file opened or saved through a dialog.
    std::string lastFolder_;
    // The items of the 窗口 menu that stand for documents.
    std::vector<QAction*> windowItems_;
    // Document windows whose close query said yes, until they are gone.
    std::set<const Tpertfm*> closing_;
    bool loading_ = false;

    struct TToolButton {
        QAction* action = nullptr;
        int32_t kind = 0;
        // Makes the command for a network; tools of later editing steps are not offered yet.
        std::function<std::unique_ptr<CPertCommand>(const Tpertgra*)> make;
        bool inGantt = false;
    };
    std::vector<TToolButton> tools_;
    QActionGroup* toolGroup_ = nullptr;
    QAction* showNetworkAction_ = nullptr;
    QAction* showResourceAction_ = nullptr;
    QAction* showGanttAction_ = nullptr;
    QAction* ganttpanelAction_ = nullptr;
};
