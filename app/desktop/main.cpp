#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <exception>

#include "drawing/Setbiaozhufm.h"
#include "editing/Deletefm.h"
#include "editing/Fenduanfm.h"
#include "editing/Liushuisetfm.h"
#include "editing/Paixufm.h"
#include "editing/Pertfm1.h"
#include "editing/Timedicfm.h"
#include "entry/Workdialogs.h"
#include "entry/Worktablefm1.h"
#include "platform/Filedialogs.h"
#include "platform/Filetypes.h"
#include "platform/Helpviewer.h"
#include "platform/Memory.h"
#include "platform/Messagebox.h"
#include "platform/Programfolders.h"
#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtfiledialogs.h"
#include "platform/qt/Qthelpviewer.h"
#include "platform/qt/Qtmessagebox.h"
#include "platform/qt/Qtsingleinstance.h"
#include "platform/qt/Qttranslations.h"
#include "shell/Fengmianfm.h"
#include "shell/Pertmainfm1.h"
#include "shell/Startup.h"

namespace {

// Runs the program; exceptions that reach the event loop end it with a message.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override
    {
        try {
            return QApplication::notify(receiver, e);
        } catch (const std::exception& ex) {
            ShowWarning(std::string("程序出错：") + ex.what());
        } catch (...) {
            ShowWarning("程序出错。");
        }
        QCoreApplication::exit(1);
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    TuneAllocatorForLargePlans();
    TApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    InstallQtTranslations(app);
    InstallFontSubstitutions();
    TQtMessageService messages;
    SetMessageService(&messages);

    const std::vector<std::string> files = TStartup::FilesOf(argc, argv);
    std::vector<std::string> absolute;
    for (const std::string& f : files)
        absolute.push_back(QDir::current().absoluteFilePath(QString::fromStdString(f)).toStdString());

    TQtSingleInstance instance;
    if (!instance.Claim()) {
        ShowWarning("该程序已经运行！");
        instance.SendToRunning(absolute);
        SetMessageService(nullptr);
        return 0;
    }

    const TProgramFolders folders =
        TProgramFolders::For(QCoreApplication::applicationDirPath().toStdString());
    folders.MakeFolders();
    folders.CarryOverSettings();
    SetProgramFolders(folders);
    TQtHelpViewer help;
    SetHelpViewer(&help);

    Tpertmainfm window(folders);
    window.programPath = QCoreApplication::applicationFilePath().toStdString();
    messages.SetParent(&window);
    TQtFileDialogs dialogs(&window);
    SetFileDialogs(&dialogs);
    // The add and edit tools open the work dialog through this binding.
    const std::unique_ptr<IWorkDialogs> workDialogs = MakeWorktableDialogs(&window, nullptr);
    SetWorkDialogs(workDialogs.get());
    // The delete tool and the popup item 删除 open the delete dialog through this one.
    const std::unique_ptr<IDeleteDialog> deleteDialog = MakeDeleteDialog(&window);
    SetDeleteDialog(deleteDialog.get());
    // The time-difference tools open "时差调整" through this one; each shift
    // redraws the plan behind the dialog.
    const std::unique_ptr<ITimedicDialog> timedicDialog = MakeTimedicDialog(&window, [&window] {
        if (Tpertfm* d = window.ActiveDocument()) d->RefreshView();
    });
    SetTimedicDialog(timedicDialog.get());
    // The segmentation tool opens "工作分段" through this one.
    const std::unique_ptr<IFenduanDialog> fenduanDialog = MakeFenduanDialog(&window);
    SetFenduanDialog(fenduanDialog.get());
    // The flow-line tool opens "参数设置" through this one.
    const std::unique_ptr<ILiushuiDialog> liushuiDialog = MakeLiushuiDialog(&window);
    SetLiushuiDialog(liushuiDialog.get());
    // The annotation tool, a double click on an annotation and the popup
    // items 编辑 and 设置 over one open "标注属性" through this one.
    const std::unique_ptr<IBiaozhuDialog> biaozhuDialog = MakeBiaozhuDialog(&window);
    SetBiaozhuDialog(biaozhuDialog.get());
    // The Gantt view's 排序 opens the sort dialog through this one.
    const std::unique_ptr<IPaixuDialog> sortDialog = MakePaixuDialog(&window);
    SetPaixuDialog(sortDialog.get());
    instance.SetHandler([&window](const std::vector<std::string>& handed) {
        window.OpenHandedOver(handed);
    });

    auto* cover = new Tfengmianfm;
    cover->setAttribute(Qt::WA_DeleteOnClose);
    window.cover = cover;
    cover->show();
    window.showMaximized();
    // The start-up questions come once the window is on the screen.
    QTimer::singleShot(0, &window, [&window, absolute] { window.StartUp(absolute); });
    const int rc = app.exec();

    SetPaixuDialog(nullptr);
    SetBiaozhuDialog(nullptr);
    SetTimedicDialog(nullptr);
    SetLiushuiDialog(nullptr);
    SetFenduanDialog(nullptr);
    SetDeleteDialog(nullptr);
    SetWorkDialogs(nullptr);
    SetFileDialogs(nullptr);
    SetHelpViewer(nullptr);
    SetMessageService(nullptr);
    return rc;
}
