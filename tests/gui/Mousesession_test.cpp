// A whole session with the mouse: a new plan of ten works drawn with the add
// tool in the real main window, each answered in the real work dialog, then
// undo and redo, Save As, close and open again.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "drawing/Timeaxis.h"
#include "editing/Pertcommand.h"
#include "editing/Pertfm1.h"
#include "entry/Createpertinffm.h"
#include "entry/Worktablefm1.h"
#include "gui/Desktopgui.h"
#include "model/Pertgra.h"
#include "shell/Pertmainfm1.h"
#include "support/Fakemessages.h"

// Qt's own entry for injecting pointer events as the window system reports
// them (exported by QtGui; the test library drives windows through it too).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
QT_END_NAMESPACE

namespace {

// Pointer events for a widget, delivered through the top-level window as the
// windowing system would: Qt finds the widget under the point, grabs the
// mouse for the drag and synthesises no double click (timestamps lie apart).
class TMouse {
public:
    explicit TMouse(QWidget* target) : target_(target) {}
    void Move(QPointF p, Qt::MouseButtons held)
    {
        Send(p, held, Qt::NoButton, QEvent::MouseMove);
    }
    void Press(QPointF p) { Send(p, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress); }
    void Release(QPointF p)
    {
        Send(p, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
        time_ += 1000;
    }
    // Hover at from, press, move there in steps with the button held, release.
    void Drag(QPointF from, QPointF to)
    {
        Move(from, Qt::NoButton);
        Press(from);
        for (int i = 1; i <= 6; ++i) Move(from + (to - from) * (i / 6.0), Qt::LeftButton);
        Release(to);
    }

private:
    void Send(QPointF p, Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type)
    {
        QWidget* top = target_->window();
        QWindow* w = top->windowHandle();
        ASSERT_TRUE(w);
        const QPointF local = target_->mapTo(top, p);
        time_ += 20;
        qt_handleMouseEvent(w, local, target_->mapToGlobal(p), state, button, type,
                            Qt::NoModifier, time_);
    }
    QWidget* target_;
    int time_ = 100000;
};

void Type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

// Answers the next work dialog: types the name and the duration into its
// boxes and presses 确定. Disarmed after each gesture, so that an answer never
// reaches a later dialog.
class TWorkDialogAnswer {
public:
    TWorkDialogAnswer()
    {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Answer(); });
    }
    void Arm(const QString& name, const QString& duration)
    {
        name_ = name;
        duration_ = duration;
        answered_ = false;
        poll_.start();
    }
    bool Disarm()
    {
        poll_.stop();
        return answered_;
    }
    QString caption;

private:
    void Answer()
    {
        auto* d = qobject_cast<Tworktablefm*>(QApplication::activeModalWidget());
        if (!d) return;
        poll_.stop();
        caption = d->windowTitle();
        d->namecob->lineEdit()->selectAll();
        Type(d->namecob->lineEdit(), name_);
        d->duredit->selectAll();
        Type(d->duredit, duration_);
        answered_ = true;
        d->okButton->click();
    }
    QTimer poll_;
    QString name_, duration_;
    bool answered_ = false;
};

// Binds the real work dialog to the tools, as the desktop program does.
class TBoundWorkDialogs {
public:
    explicit TBoundWorkDialogs(QWidget* parent) : dialogs_(MakeWorktableDialogs(parent, nullptr))
    {
        SetWorkDialogs(dialogs_.get());
    }
    ~TBoundWorkDialogs() { SetWorkDialogs(nullptr); }

private:
    std::unique_ptr<IWorkDialogs> dialogs_;
};

// One work of the session: where the drag starts and ends, what is typed,
// and the earliest start the schedule must give it.
struct TStroke {
    const char* name;
    const char* duration;
    const char* fromEndOf;   // start at the end node of this work; null: empty ground
    int rowsDown;            // rows below the start node for a target on empty ground
    const char* toEndOf;     // end at the end node of this work; null: empty ground
    float es;
};

// 挖土方 -> 垫层 -> 基础 and a fork 挖土方 -> 备料 -> 钢筋加工 -> 运输 joining
// at the end of 基础; 主体结构 from there, forking into 屋面 and 装修 -> 验收,
// which joins at the end of 屋面.
const TStroke kStrokes[] = {
    {"挖土方", "3", nullptr, 0, nullptr, 0},
    {"垫层", "4", "挖土方", 0, nullptr, 3},
    {"基础", "2", "垫层", 0, nullptr, 7},
    {"备料", "6", "挖土方", 1, nullptr, 3},
    {"钢筋加工", "3", "备料", 0, nullptr, 9},
    {"运输", "1", "钢筋加工", 0, "基础", 12},
    {"主体结构", "5", "基础", 0, nullptr, 13},   // after the later of 基础 (9) and 运输 (13)
    {"屋面", "2", "主体结构", 0, nullptr, 18},
    {"装修", "4", "主体结构", 1, nullptr, 18},
    {"验收", "1", "装修", 0, "屋面", 22},
};

// (a, b): b leaves the node where a ends.
const std::pair<const char*, const char*> kLinks[] = {
    {"挖土方", "垫层"}, {"垫层", "基础"},     {"挖土方", "备料"},   {"备料", "钢筋加工"},
    {"钢筋加工", "运输"}, {"基础", "主体结构"}, {"运输", "主体结构"}, {"主体结构", "屋面"},
    {"主体结构", "装修"}, {"装修", "验收"},
};

Tedge* WorkNamed(const Tpertgra& net, const std::string& name)
{
    for (Tedge* w : net.AllWorks())
        if (w->data->name == name) return w;
    return nullptr;
}

// What a saved and reopened plan must keep: every work's name, duration,
// earliest start and the numbers of its nodes.
std::vector<std::tuple<std::string, float, float, int32_t, int32_t>> Facts(const Tpertgra& net)
{
    std::vector<std::tuple<std::string, float, float, int32_t, int32_t>> f;
    for (const Tedge* w : net.AllWorks())
        f.emplace_back(w->data->name, w->data->duration, w->data->es, w->fromNode->number,
                       w->toNode->number);
    std::sort(f.begin(), f.end());
    return f;
}

QAction* ActionNamed(QWidget* holder, const char* text)
{
    for (QAction* a : holder->findChildren<QAction*>())
        if (!a->menu() && a->text() == QString::fromUtf8(text)) return a;
    return nullptr;
}

// The main window with the real work dialog bound and a new document made
// with 新建, the add tool down; strokes drawn with the mouse on its paint box.
struct TMouseSession {
    TMouseSession()
    {
        EnsureDesktopApp();
        folders = TProgramFolders::InOneFolder(dir.path);
        window = std::make_unique<Tpertmainfm>(folders, timers.Factory());
        bound = std::make_unique<TBoundWorkDialogs>(window.get());
        window->resize(1300, 900);
        window->show();
        for (int i = 0; i < 500 && !(window->windowHandle() && window->windowHandle()->isExposed());
             ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ~TMouseSession() { bound.reset(); }

    // 新建: the project information dialog, then the add tool, pressed as a user would.
    void NewDocument()
    {
        ASSERT_TRUE(window->windowHandle()->isExposed());
        WhenModal<TfmCreatePertInf>([](TfmCreatePertInf& d) {
            d.edtPertprjname->setText(QStringLiteral("鼠标绘制的网络图"));
            d.btnOk->click();
        });
        Menu("新建")->trigger();
        QApplication::processEvents();
        ASSERT_EQ(window->Documents().size(), 1u);
        doc = window->ActiveDocument();
        ASSERT_TRUE(doc);
        ASSERT_TRUE(doc->Network()->nodes.empty());
        QAction* addbut = nullptr;
        for (QAction* a : window->pertPanel->actions())
            if (a->text() == QStringLiteral("添加")) addbut = a;
        ASSERT_TRUE(addbut);
        addbut->trigger();   // 新建 has chosen it already; pressing it again changes nothing
        EXPECT_TRUE(addbut->isChecked());
        ASSERT_TRUE(window->toolCommand);
        EXPECT_EQ(window->toolCommand->Kind(), ckAddWork);
        mouse = std::make_unique<TMouse>(doc->paintbox);
    }

    // View pixels of a drawing point at the document's zoom and scroll.
    QPointF Pixel(double x, double y) const
    {
        const TPosition2D p = PixelOfDrawing(doc->doc.zoom, doc->doc.view, {x, y});
        return QPointF(p.x, p.y);
    }
    Tvertex* EndNodeOf(const char* name) const
    {
        Tedge* w = WorkNamed(*doc->Network(), name);
        return w ? w->toNode : nullptr;
    }

    // One stroke of the table: the drag, the dialog answered, one work more.
    // groundX: where a stroke on empty ground starts, right of day 0's x.
    void Draw(const TStroke& s, double groundX = 2)
    {
        SCOPED_TRACE(s.name);
        Tpertgra& net = *doc->Network();
        const int before = net.WorkCount();
        const double h = RowHeight(net);
        QPointF from, to;
        if (!s.fromEndOf) {
            from = Pixel(X0(net) + groundX, Y0(net) + h * 0.3);
            to = from + QPointF(120, 0);
        } else {
            Tvertex* a = EndNodeOf(s.fromEndOf);
            ASSERT_TRUE(a);
            from = Pixel(a->x, a->y);
            if (s.toEndOf) {
                Tvertex* b = EndNodeOf(s.toEndOf);
                ASSERT_TRUE(b);
                to = Pixel(b->x, b->y);
            } else {
                // Into the upper half of the target row, well right of the node.
                const double y = s.rowsDown ? Y0(net) + (a->row + s.rowsDown + 0.3) * h : a->y;
                to = Pixel(a->x + 60, y);
            }
        }
        // Inside the view and away from its edges, where a drag would scroll.
        for (QPointF p : {from, to}) {
            ASSERT_GT(p.x(), 30);
            ASSERT_LT(p.x(), doc->paintbox->width() - 30);
            ASSERT_GT(p.y(), 30);
            ASSERT_LT(p.y(), doc->paintbox->height() - 30);
        }
        answer.Arm(QString::fromUtf8(s.name), QString::fromUtf8(s.duration));
        mouse->Drag(from, to);
        ASSERT_TRUE(answer.Disarm()) << "no work dialog after the drag";
        EXPECT_EQ(answer.caption, QStringLiteral("工作信息(添加工作)"));
        ASSERT_EQ(doc->Network()->WorkCount(), before + 1);
        ASSERT_TRUE(WorkNamed(*doc->Network(), s.name));
    }

    // Save As to path, close, open it again; the reopened document.
    Tpertfm* SaveCloseAndReopen(const std::string& path)
    {
        dialogs.saveAnswers = {path};
        Menu("另存为")->trigger();
        EXPECT_TRUE(FileExists(path));
        EXPECT_EQ(doc->Caption(), std::filesystem::path(path).filename().string());
        EXPECT_FALSE(doc->Network()->modified);
        Menu("关闭")->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(window->Documents().empty());
        dialogs.openAnswers = {{path}};
        Menu("打开")->trigger();
        QApplication::processEvents();
        return window->Documents().size() == 1 ? window->Documents()[0] : nullptr;
    }

    QAction* Menu(const char* text) const { return ActionNamed(window.get(), text); }

    TScratchFolder dir;
    TProgramFolders folders;
    TFakeMessages msgs;
    TFakeFileDialogs dialogs;
    TFakeFileTypes fileTypes;
    TManualTimers timers;
    std::unique_ptr<Tpertmainfm> window;
    std::unique_ptr<TBoundWorkDialogs> bound;
    Tpertfm* doc = nullptr;
    std::unique_ptr<TMouse> mouse;
    TWorkDialogAnswer answer;
};

TEST(MouseSession, TenWorksDrawnWithTheAddToolSurviveUndoSaveAndReopen)
{
    TMouseSession f;
    ASSERT_NO_FATAL_FAILURE(f.NewDocument());
    for (const TStroke& s : kStrokes) ASSERT_NO_FATAL_FAILURE(f.Draw(s));
    EXPECT_TRUE(f.msgs.shown.empty()) << f.msgs.shown.front().text;

    // The network: the typed works, their links, one start and one end, the times.
    Tpertgra& net = *f.doc->Network();
    ASSERT_EQ(net.WorkCount(), 10);
    EXPECT_EQ(net.NodeCount(), 9);
    for (const TStroke& s : kStrokes) {
        const Tedge* w = WorkNamed(net, s.name);
        ASSERT_TRUE(w) << s.name;
        EXPECT_FLOAT_EQ(w->data->duration, float(std::atof(s.duration))) << s.name;
        EXPECT_FLOAT_EQ(w->data->es, s.es) << s.name;
        EXPECT_FLOAT_EQ(w->fromNode->time, s.es) << s.name;
    }
    for (const auto& [a, b] : kLinks)
        EXPECT_EQ(WorkNamed(net, a)->toNode, WorkNamed(net, b)->fromNode) << a << " -> " << b;
    EXPECT_EQ(WorkNamed(net, "屋面")->toNode, WorkNamed(net, "验收")->toNode);
    int starts = 0, ends = 0;
    for (const auto& v : net.nodes) {
        starts += v->inCount == 0;
        ends += v->outCount == 0;
    }
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_FLOAT_EQ(WorkNamed(net, "验收")->toNode->time, 23);
    EXPECT_TRUE(net.modified);

    // Undo takes the last work away, redo brings the same network back.
    const std::unique_ptr<Tpertgra> drawn = net.Clone();
    f.Menu("撤消")->trigger();
    EXPECT_EQ(f.doc->Network()->WorkCount(), 9);
    EXPECT_FALSE(WorkNamed(*f.doc->Network(), "验收"));
    f.Menu("恢复")->trigger();
    ASSERT_EQ(f.doc->Network()->WorkCount(), 10);
    EXPECT_TRUE(f.doc->Network()->IsSameAs(*drawn));

    // Saved under a name, closed without a question, opened again: the same plan.
    const std::string path = f.dir.File("鼠标会话.prt");
    Tpertfm* reopened = f.SaveCloseAndReopen(path);
    ASSERT_TRUE(reopened);
    ASSERT_TRUE(reopened->Network());
    EXPECT_TRUE(f.msgs.shown.empty()) << "closing the saved plan asked: " << f.msgs.shown.front().text;
    EXPECT_EQ(reopened->Caption(), path);
    EXPECT_EQ(Facts(*reopened->Network()), Facts(*drawn));
    drawn->fileName = path;   // the one field the writing changed
    EXPECT_TRUE(reopened->Network()->IsSameAs(*drawn));

    // The picture of the reopened document: drawn, and kept when asked for.
    QApplication::processEvents();
    const QImage shot = reopened->grab().toImage();
    const QRect area(reopened->paintbox->mapTo(reopened, QPoint(0, 0)), reopened->paintbox->size());
    QSet<QRgb> colours;
    for (int y = area.top(); y < area.bottom() && colours.size() < 2; y += 2)
        for (int x = area.left(); x < area.right(); x += 2) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 1) << "the drawing area is one colour";
    if (const char* target = std::getenv("ARROWPLAN_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(target), "PNG")) << target;
    }
}

// A first work drawn from day 4 of the time scale: the plan starts at its
// first day at once, so that redo gives back the drawn network and the saved
// file opens as it was drawn.
TEST(MouseSession, APlanDrawnFromALaterDayComesBackAfterUndoRedoAndReopen)
{
    TMouseSession f;
    ASSERT_NO_FATAL_FAILURE(f.NewDocument());
    ASSERT_NO_FATAL_FAILURE(f.Draw(kStrokes[0], 40));
    ASSERT_NO_FATAL_FAILURE(f.Draw(kStrokes[1]));
    const std::unique_ptr<Tpertgra> drawn = f.doc->Network()->Clone();
    f.Menu("撤消")->trigger();
    f.Menu("恢复")->trigger();
    EXPECT_EQ(Facts(*f.doc->Network()), Facts(*drawn));
    EXPECT_TRUE(f.doc->Network()->IsSameAs(*drawn));
    Tpertfm* reopened = f.SaveCloseAndReopen(f.dir.File("later.prt"));
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Facts(*reopened->Network()), Facts(*drawn));
}

}  // namespace
