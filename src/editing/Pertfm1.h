#pragma once
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "editing/Pertdoc.h"
#include "editing/Transformationpt.h"

class IPertHost;
class Tgantt;
class QAbstractScrollArea;
class QMenu;
class TQtCanvasImage;
class TPertScroll;

// A document window: one project's drawing in a scrolling view. The view
// paints only its visible part: the drawing is kept in an off-screen
// picture (viewCache) that covers a region around it, and the scroll bars
// stand for the whole drawing at the current zoom without any widget that
// large. Every decision is the document's (TPertdoc); this window converts
// the events and paints.
class Tpertfm : public QWidget {
    Q_OBJECT
public:
    Tpertfm(IPertHost& host, std::unique_ptr<Tpertgra> net, const std::string& caption,
            const std::string& filePath,
            std::shared_ptr<const THistoryStep> firstSnapshot = nullptr,
            QWidget* parent = nullptr);
    ~Tpertfm() override;

    TPertdoc doc;
    QAbstractScrollArea* scbox = nullptr;   // the scrolling view; its viewport is the paint box
    QWidget* paintbox = nullptr;
    QMenu* pertppmenu = nullptr;
    QImage viewCacheImage;

    Tpertgra* Network() const { return doc.network.get(); }
    const std::string& Caption() const { return doc.caption; }
    void SetCaption(const std::string& caption);

    // Recalculate, lay out, draw the cached picture again and repaint.
    void RefreshView();
    // Draws the whole network into the cached picture at the zoom, then ResizeCanvas.
    void RebuildImage();
    // The drawing of a network at a zoom into a picture whose top left
    // corner lies at (originX, originY) of the paint box, over the background.
    static void DrawInto(Tpertgra& net, QImage& image, double zoom, int32_t originX,
                         int32_t originY, const TViewTransform* view = nullptr);
    // The scroll range for the drawing at the current zoom.
    void ResizeCanvas();
    // Zooms around the centre of the visible part.
    bool ZoomCentred(double factor, bool zoomIn);
    // Runs `change` on the network (a confirmed or cancelled dialog, a menu
    // command) and records one undo step when it changed the network; lays
    // out and redraws in every case. True when something changed.
    bool ChangeSettings(const std::function<void()>& change);
    // Undo or redo, then RefreshView; false when nothing happened.
    bool Undo();
    bool Redo();
    // Scrolls to the top left corner.
    void ScrollHome();
    // Scroll position of the view.
    void ScrollTo(double x, double y);
    // How often the cached picture was drawn (tests, figures).
    int rebuilds = 0;

    // The events of the paint box, as the scrolling view passes them on.
    void PaintView(class QPainter& painter);
    void PressAt(int32_t flags, QPointF pos);
    void MoveAt(int32_t flags, QPointF pos);
    void ReleaseAt(int32_t flags, QPointF pos);
    void DoubleClickAt(int32_t flags, QPointF pos);
    void WheelBy(int32_t delta);
    void ViewResized();
    void ViewScrolled();
    void ShowPopup(QPoint globalPos);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void SyncScrollBars();
    void PlaceCache(bool force);
    void Apply(int32_t effects);
    TPertDrawMode CommandMode();
    void BuildPopup();
    void RunTimeDataDialog();
    // The point of the last press, where the popup items act.
    TPosition2D PopupPoint() const;
    void ApplyPopup(const struct TPopupOutcome& out);
    void RunCheck(int32_t item);

    IPertHost& host_;
    TpertTtransformationPt transform_;
    std::unique_ptr<TQtCanvasImage> scratch_;   // a canvas for commands between paints
    bool syncing_ = false;
    QAction* popupBlankRow_ = nullptr;
    QAction* popupTimeData_ = nullptr;
    QAction* popupAdd_ = nullptr;
    QAction* popupEdit_ = nullptr;
    QAction* popupDelete_ = nullptr;
    QAction* popupPaste_ = nullptr;
    QMenu* popupCheck_ = nullptr;
    QMenu* popupAlign_ = nullptr;     // 工作参数位置, Gantt view only
    QAction* popupLinks_ = nullptr;   // 显示关系连线, Gantt view only
    void ChangeGantt(const std::function<void(Tgantt&)>& change);
};
