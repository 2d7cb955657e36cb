#include "editing/Pertfm1.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "drawing/Displaycommands.h"
#include "drawing/Displaysettings.h"
#include "drawing/Pertdraw.h"
#include "drawing/Pertdrawmode.h"
#include "drawing/Timedatasetfm.h"
#include "editing/Autobackup.h"
#include "editing/Checkmenu.h"
#include "editing/Perthost.h"
#include "editing/Popupactions.h"
#include "editing/Setpertcommand.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"
#include "platform/qt/Qtcanvas.h"

namespace {

constexpr int kScrollStep = 4;

int32_t ButtonFlags(Qt::MouseButton b)
{
    return b == Qt::LeftButton ? mfLeft : b == Qt::RightButton ? mfRight : 0;
}

Qt::CursorShape CursorOf(TPointerShape s)
{
    switch (s) {
    case TPointerShape::Hand: return Qt::PointingHandCursor;
    case TPointerShape::SizeFDiag: return Qt::SizeFDiagCursor;
    case TPointerShape::SizeBDiag: return Qt::SizeBDiagCursor;
    case TPointerShape::SplitV: return Qt::SplitVCursor;
    case TPointerShape::GroupMove: return Qt::SizeAllCursor;
    case TPointerShape::Drag: return Qt::DragMoveCursor;
    case TPointerShape::MoveAll: return Qt::SizeAllCursor;
    case TPointerShape::Arrow: break;
    }
    return Qt::ArrowCursor;
}

int32_t ModifierFlags(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? mfShift : 0) | (m & Qt::ControlModifier ? mfCtrl : 0);
}

}  // namespace

// The scrolling view: the paint box is its viewport, and its scroll bars
// stand for the whole drawing.
class TPertScroll : public QAbstractScrollArea {
public:
    explicit TPertScroll(Tpertfm& owner) : QAbstractScrollArea(&owner), owner_(owner)
    {
        viewport()->setMouseTracking(true);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
        viewport()->setContextMenuPolicy(Qt::DefaultContextMenu);
        setFocusPolicy(Qt::StrongFocus);
        horizontalScrollBar()->setSingleStep(kScrollStep);
        verticalScrollBar()->setSingleStep(kScrollStep);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(viewport());
        owner_.PaintView(p);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        owner_.PressAt(ButtonFlags(e->button()) | ModifierFlags(e->modifiers()), e->position());
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        owner_.MoveAt((e->buttons() & Qt::LeftButton ? mfLeft : 0) | ModifierFlags(e->modifiers()),
                      e->position());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        owner_.ReleaseAt(ButtonFlags(e->button()) | ModifierFlags(e->modifiers()), e->position());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        owner_.DoubleClickAt(ButtonFlags(e->button()) | ModifierFlags(e->modifiers()),
                             e->position());
    }
    void wheelEvent(QWheelEvent* e) override
    {
        owner_.WheelBy(e->angleDelta().y());
        e->accept();
    }
    void contextMenuEvent(QContextMenuEvent* e) override { owner_.ShowPopup(e->globalPos()); }
    void resizeEvent(QResizeEvent* e) override
    {
        QAbstractScrollArea::resizeEvent(e);
        owner_.ViewResized();
    }
    void scrollContentsBy(int, int) override { owner_.ViewScrolled(); }

private:
    Tpertfm& owner_;
};

Tpertfm::Tpertfm(IPertHost& host, std::unique_ptr<Tpertgra> net, const std::string& caption,
                 const std::string& filePath, std::shared_ptr<const THistoryStep> firstSnapshot,
                 QWidget* parent)
    : QWidget(parent), doc(std::move(net), caption, filePath, std::move(firstSnapshot)),
      host_(host)
{
    scbox = new TPertScroll(*this);
    paintbox = scbox->viewport();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scbox);
    scratch_ = std::make_unique<TQtCanvasImage>(1, 1, 96);
    doc.backup = std::make_unique<TAutoBackup>(host_.NewTimer(), host_.Backups(),
                                               [this] { return doc.history.Current(); });
    doc.backup->planName = [this] { return doc.network ? doc.network->fileName : std::string(); };
    BuildPopup();
    SetCaption(caption);
    resize(800, 600);
}

Tpertfm::~Tpertfm() = default;

void Tpertfm::SetCaption(const std::string& caption)
{
    doc.caption = caption;
    setWindowTitle(QString::fromStdString(caption));
}

// The checks of the popup menu see the window through this: drawing units
// in, scroll positions in pixels of the zoomed drawing out.
class TPertCheckView : public ICheckView {
public:
    explicit TPertCheckView(Tpertfm& owner) : owner_(owner) {}
    void ScrollTo(double left, double top) override
    {
        const double z = owner_.doc.zoom / 100;
        owner_.ScrollTo(left * z, top * z);
    }
    double ViewWidth() const override { return owner_.paintbox->width() * 100 / owner_.doc.zoom; }
    double ViewHeight() const override { return owner_.paintbox->height() * 100 / owner_.doc.zoom; }
    void ResizeCanvas() override { owner_.ResizeCanvas(); }
    void RefreshView() override { owner_.RefreshView(); }

private:
    Tpertfm& owner_;
};

void Tpertfm::BuildPopup()
{
    pertppmenu = new QMenu(this);
    auto item = [this](const char* caption, auto slot) {
        return pertppmenu->addAction(QString::fromUtf8(caption), this, slot);
    };
    popupAdd_ = item("添加", [this] { host_.PressTool(ckAddWork); });
    popupEdit_ = item("编辑", [this] { ApplyPopup(PopupEdit(doc, PopupPoint())); });
    popupDelete_ = item("删除", [this] { ApplyPopup(PopupDelete(doc, PopupPoint())); });
    item("复制", [this] { host_.CopySelection(*this); });
    popupPaste_ = item("粘贴", [this] {
        ApplyPopup(PopupPaste(doc, PopupPoint(), host_.ClipNetwork()));
    });
    for (QAction* a : {popupAdd_, popupEdit_, popupDelete_, popupPaste_}) a->setCheckable(true);
    popupBlankRow_ = item("空行", [this] { ApplyPopup(PopupBlankRow(doc, PopupPoint())); });
    popupTimeData_ = item("时间参数", [this] { RunTimeDataDialog(); });
    popupCheck_ = pertppmenu->addMenu(QStringLiteral("检查"));
    const std::pair<const char*, int32_t> checks[] = {{"多起点检查", ciStartNodes},
                                                      {"多终点检查", ciEndNodes},
                                                      {"工作线重叠检查", ciOverlap},
                                                      {"多余逻辑关系检查", ciRedundant}};
    for (const auto& [caption, which] : checks) {
        const int32_t kind = which;
        popupCheck_->addAction(QString::fromUtf8(caption), this, [this, kind] { RunCheck(kind); });
    }
    popupAlign_ = pertppmenu->addMenu(QStringLiteral("工作参数位置"));
    const std::pair<const char*, int32_t> aligns[] = {{"居左", 0}, {"居中", 1}, {"居右", 2}};
    for (const auto& [caption, which] : aligns) {
        const int32_t a = which;
        popupAlign_->addAction(QString::fromUtf8(caption), this,
                               [this, a] { ChangeGantt([a](Tgantt& g) { g.SetAllColumnsAlign(a); }); });
    }
    popupLinks_ = item("显示关系连线", [this] {
        ChangeGantt([](Tgantt& g) { g.SetShowLinks(!g.ShowLinks()); });
    });
    popupLinks_->setCheckable(true);
    item("设置", [this] {
        TPopupOutcome out;
        if (PopupAnnotation(doc, out)) ApplyPopup(out);
        else host_.OpenDisplaySettings(*this);
    });
    item("刷新", [this] { RefreshView(); });
}

void Tpertfm::ChangeGantt(const std::function<void(Tgantt&)>& change)
{
    // A setting of the project file: one undo step, and closing asks to save it.
    ChangeSettings([this, &change] { change(Network()->liveGantt); });
}

TPosition2D Tpertfm::PopupPoint() const
{
    return {double(doc.downX), double(doc.downY)};
}

void Tpertfm::ApplyPopup(const TPopupOutcome& out)
{
    if (out.selectTool) host_.PressTool(out.selectTool);
    Apply(out.effects);
}

void Tpertfm::RunCheck(int32_t item)
{
    if (!Network()) return;
    TPertCheckView view(*this);
    ApplyPopup(PopupCheck(doc, item, view));
}

void Tpertfm::ShowPopup(QPoint globalPos)
{
    if (!Network()) return;
    const bool network = doc.ViewMode() != 0;
    popupTimeData_->setVisible(network);
    popupPaste_->setVisible(network);
    popupBlankRow_->setVisible(network);
    popupCheck_->menuAction()->setVisible(network);
    popupAlign_->menuAction()->setVisible(!network);
    popupLinks_->setVisible(!network);
    popupLinks_->setChecked(Network()->liveGantt.ShowLinks());
    const CPertCommand* tool = host_.ToolCommand();
    const int32_t kind = tool ? tool->Kind() : -1;
    popupAdd_->setChecked(kind == ckAddWork || kind == ckAddWorkGantt);
    popupEdit_->setChecked(kind == ckEdit || kind == ckEditGantt);
    popupDelete_->setChecked(kind == ckDelete || kind == ckDelGantt);
    popupPaste_->setChecked(kind == ckImport);
    pertppmenu->popup(globalPos);
}

void Tpertfm::RunTimeDataDialog()
{
    ChangeSettings([this] {
        TTimedatasetFm d(*Network(), this);
        d.exec();
    });
}

bool Tpertfm::ChangeSettings(const std::function<void()>& change)
{
    if (!Network()) return false;
    // The state shown is the one compared with, so that a dialog closed
    // without a change records nothing.
    doc.Relayout();
    const std::unique_ptr<Tpertgra> before = Network()->Clone();
    change();
    const bool changed = doc.RecordChangeFrom(*before);
    RebuildImage();
    paintbox->update();
    return changed;
}

void Tpertfm::RefreshView()
{
    doc.Relayout();
    RebuildImage();
    paintbox->update();
}

void Tpertfm::SyncScrollBars()
{
    syncing_ = true;
    QScrollBar* h = scbox->horizontalScrollBar();
    QScrollBar* v = scbox->verticalScrollBar();
    h->setRange(0, static_cast<int>(MaxScrollX(doc.paintBox, doc.view)));
    v->setRange(0, static_cast<int>(MaxScrollY(doc.paintBox, doc.view)));
    h->setPageStep(std::max(1, doc.view.viewWidth));
    v->setPageStep(std::max(1, doc.view.viewHeight));
    h->setValue(static_cast<int>(doc.view.scrollX));
    v->setValue(static_cast<int>(doc.view.scrollY));
    doc.view.scrollX = h->value();
    doc.view.scrollY = v->value();
    syncing_ = false;
}

void Tpertfm::ResizeCanvas()
{
    doc.view.viewWidth = paintbox->width();
    doc.view.viewHeight = paintbox->height();
    doc.paintBox = doc.ComputePaintBox();
    SyncScrollBars();
}

void Tpertfm::PlaceCache(bool force)
{
    const int w = TViewCache::SideFor(doc.view.viewWidth);
    const int h = TViewCache::SideFor(doc.view.viewHeight);
    const bool resized = viewCacheImage.width() != w || viewCacheImage.height() != h;
    if (resized) {
        doc.viewCache.width = w;
        doc.viewCache.height = h;
        viewCacheImage = QImage(w, h, QImage::Format_RGB32);
    }
    const bool moved = doc.viewCache.Place(static_cast<int32_t>(doc.view.scrollX),
                                           static_cast<int32_t>(doc.view.scrollY),
                                           doc.view.viewWidth, doc.view.viewHeight);
    if (force || resized || moved) RebuildImage();
}

void Tpertfm::RebuildImage()
{
    ++rebuilds;
    host_.SetActualSizeDown(IsActualSize(doc.zoom) && doc.ViewMode() != 0);
    if (viewCacheImage.isNull()) {
        viewCacheImage = QImage(doc.viewCache.width = TViewCache::SideFor(paintbox->width()),
                                doc.viewCache.height = TViewCache::SideFor(paintbox->height()),
                                QImage::Format_RGB32);
    }
    if (Tpertgra* net = Network()) {
        transform_ = TpertTtransformationPt(doc.zoom, doc.viewCache.originX, doc.viewCache.originY);
        DrawInto(*net, viewCacheImage, doc.zoom, doc.viewCache.originX, doc.viewCache.originY,
                 &transform_);
    }
    ResizeCanvas();
    host_.ShowProjectStatus(*this);
}

void Tpertfm::DrawInto(Tpertgra& net, QImage& image, double zoom, int32_t originX,
                       int32_t originY, const TViewTransform* view)
{
    LoadPalette(net, dkScreen);
    image.fill(QColorOf(net.displaySettings.backgroundColor));
    TQtCanvas canvas(&image);
    TPertDrawMode mode(&canvas, dkScreen);
    mode.zoom = zoom;
    mode.scrollX = originX;
    mode.scrollY = originY;
    mode.view = view;
    mode.ApplyScreenMapping();
    if (!net.nodes.empty()) DrawNetwork(net, mode);
}

void Tpertfm::PaintView(QPainter& painter)
{
    Tpertgra* net = Network();
    const QColor ground = net ? QColorOf(net->displaySettings.backgroundColor) : QColor(Qt::black);
    painter.fillRect(paintbox->rect(), ground);
    const QPoint at(doc.viewCache.originX - static_cast<int>(doc.view.scrollX),
                    doc.viewCache.originY - static_cast<int>(doc.view.scrollY));
    painter.drawImage(at, viewCacheImage);
    if (!net) return;
    // The selection and the running gesture's feedback lie over the picture.
    TQtCanvas canvas(painter, paintbox->size());
    TPertDrawMode mode(&canvas, dkScreen);
    mode.zoom = doc.zoom;
    mode.scrollX = doc.view.scrollX;
    mode.scrollY = doc.view.scrollY;
    transform_ = TpertTtransformationPt(doc.zoom, doc.view.scrollX, doc.view.scrollY);
    mode.view = &transform_;
    mode.ApplyScreenMapping();
    DrawSelection(*net, mode);
    if (CPertCommand* c = doc.Receiver(host_.ToolCommand())) c->DrawFeedback(*net, canvas, mode);
}

TPertDrawMode Tpertfm::CommandMode()
{
    TPertDrawMode mode(&scratch_->Canvas(), dkScreen);
    mode.zoom = doc.zoom;
    mode.scrollX = doc.view.scrollX;
    mode.scrollY = doc.view.scrollY;
    transform_ = TpertTtransformationPt(doc.zoom, doc.view.scrollX, doc.view.scrollY);
    mode.view = &transform_;
    return mode;
}

void Tpertfm::Apply(int32_t effects)
{
    if (effects & deRefresh) {
        RefreshView();
        return;
    }
    if (effects & deRebuild) RebuildImage();
    if (effects & (deRebuild | deRepaint)) paintbox->update();
}

void Tpertfm::PressAt(int32_t flags, QPointF pos)
{
    scbox->setFocus();
    TPertDrawMode mode = CommandMode();
    Apply(doc.Press(flags, pos.x(), pos.y(), host_.ToolCommand(), mode));
}

void Tpertfm::MoveAt(int32_t flags, QPointF pos)
{
    if (!Network() || doc.ViewMode() == 3) return;
    if (flags & mfLeft) {
        const TPosition2D step = TPertdoc::AutoScrollStep(pos.x(), pos.y(), doc.view);
        if (step.x != 0 || step.y != 0)
            ScrollTo(doc.view.scrollX + step.x, doc.view.scrollY + step.y);
    }
    TPertDrawMode mode = CommandMode();
    const int32_t effects = doc.Move(flags, pos.x(), pos.y(), host_.ToolCommand(), mode, host_.Chooser());
    host_.ShowPointerStatus(doc.PointerStatus(doc.ToDrawing(pos.x(), pos.y())));
    const CPertCommand* c = doc.Receiver(host_.ToolCommand());
    paintbox->setCursor(CursorOf(c ? c->pointer : TPointerShape::Arrow));
    Apply(effects);
}

void Tpertfm::ReleaseAt(int32_t flags, QPointF pos)
{
    TPertDrawMode mode = CommandMode();
    Apply(doc.Release(flags, pos.x(), pos.y(), host_.ToolCommand(), mode));
}

void Tpertfm::DoubleClickAt(int32_t flags, QPointF pos)
{
    // As the desktop reports it: the double click, then the press of the second click.
    TPertDrawMode mode = CommandMode();
    Apply(doc.DoubleClick(host_.ToolCommand(), mode));
    PressAt(flags, pos);
}

void Tpertfm::WheelBy(int32_t delta)
{
    const double zoom = doc.zoom;
    if (!doc.Wheel(delta)) return;
    if (doc.zoom != zoom) {
        SyncScrollBars();
        PlaceCache(true);
        host_.SetActualSizeDown(IsActualSize(doc.zoom));
    } else {
        SyncScrollBars();
        PlaceCache(false);
    }
    paintbox->update();
}

bool Tpertfm::ZoomCentred(double factor, bool zoomIn)
{
    if (!Network()) return false;
    doc.view.viewWidth = paintbox->width();
    doc.view.viewHeight = paintbox->height();
    if (!doc.ZoomAt(doc.ViewCentre(), factor, zoomIn)) return false;
    SyncScrollBars();
    PlaceCache(true);
    host_.SetActualSizeDown(IsActualSize(doc.zoom));
    paintbox->update();
    return true;
}

void Tpertfm::ScrollTo(double x, double y)
{
    doc.view.scrollX = std::clamp(x, 0.0, MaxScrollX(doc.paintBox, doc.view));
    doc.view.scrollY = std::clamp(y, 0.0, MaxScrollY(doc.paintBox, doc.view));
    SyncScrollBars();
    PlaceCache(false);
    paintbox->update();
}

void Tpertfm::ScrollHome()
{
    ScrollTo(0, 0);
}

void Tpertfm::ViewResized()
{
    doc.view.viewWidth = paintbox->width();
    doc.view.viewHeight = paintbox->height();
    if (!Network()) return;
    ResizeCanvas();
    PlaceCache(false);
}

void Tpertfm::ViewScrolled()
{
    if (syncing_) return;
    doc.view.scrollX = scbox->horizontalScrollBar()->value();
    doc.view.scrollY = scbox->verticalScrollBar()->value();
    // Scrolling past the cached region draws the region around the view anew.
    PlaceCache(false);
    paintbox->update();
}

bool Tpertfm::Undo()
{
    if (!doc.Undo()) return false;
    RefreshView();
    return true;
}

bool Tpertfm::Redo()
{
    if (!doc.Redo()) return false;
    RefreshView();
    return true;
}

void Tpertfm::closeEvent(QCloseEvent* e)
{
    if (!doc.CanClose([this] { return host_.SaveDocument(*this); })) {
        e->ignore();
        return;
    }
    doc.backup->Discard();
    doc.localCommand.reset();
    host_.DocumentClosed(*this);
    e->accept();
}
