#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editing/History.h"
#include "editing/Pertcommand.h"
#include "editing/Viewcache.h"
#include "editing/Wheeldamper.h"
#include "editing/Zoom.h"

class Tedge;
class Tpertgra;
class Tvertex;
class TAutoBackup;
class TSetpertCommand;

// What the window has to do after an event was handled.
enum TDocEffect : int32_t {
    deNothing = 0,
    deRepaint = 1,      // paint again from the cached picture
    deRebuild = 2,      // draw the network into the cached picture again, then paint
    deRefresh = 4,      // RefreshView: recalculate, lay out, rebuild, paint
};

// The document behind a document window: the network it owns, the pointer
// state, the hover command, zoom and scroll, the undo history and the crash
// backup. The window binds it to a widget and only converts events; every
// decision is taken here.
class TPertdoc {
public:
    std::unique_ptr<Tpertgra> network;
    Tvertex* hoverNode = nullptr;
    Tedge* hoverWork = nullptr;
    int32_t downX = 0;
    int32_t downY = 0;
    int32_t moveX = 0;
    int32_t moveY = 0;
    std::unique_ptr<CPertCommand> localCommand;
    TViewCache viewCache;
    std::string filePath;
    double zoom = 100;
    THistory history;
    bool busy = false;
    TWheelDamper wheel;

    std::string caption;
    // The document was restored from a crash backup: saving it asks for a
    // name, and closing it asks whether to save even when unmodified.
    bool restored = false;
    // Scroll position and size of the visible part, kept up to date by the window.
    TViewport view;
    TPaintSize paintBox;
    std::unique_ptr<TAutoBackup> backup;
    // Finds the work under a drawing point (the drawing's hit test); unset finds none.
    std::function<Tedge*(const Tpertgra&, TPosition2D)> workAt;

    // Takes the network; its present state becomes the first undo snapshot
    // (firstSnapshot when a loader already made that copy).
    TPertdoc(std::unique_ptr<Tpertgra> net, std::string caption, std::string filePath,
             std::shared_ptr<const THistoryStep> firstSnapshot = nullptr);
    ~TPertdoc();
    TPertdoc(const TPertdoc&) = delete;
    TPertdoc& operator=(const TPertdoc&) = delete;

    int32_t ViewMode() const;

    // ---- the drawing ----
    // Recalculate and lay out (the first half of RefreshView).
    void Relayout();
    // The paint box for the drawing at the current zoom (ResizeCanvas).
    TPaintSize ComputePaintBox() const;
    // The drawing point under a pixel of the view.
    TPosition2D ToDrawing(double px, double py) const;

    // ---- pointer events (px, py: pixels of the view); results are TDocEffect bits ----
    int32_t Press(int32_t flags, double px, double py, CPertCommand* tool, TPertDrawMode& mode);
    int32_t Move(int32_t flags, double px, double py, CPertCommand* tool, TPertDrawMode& mode,
                 TSetpertCommand& chooser);
    int32_t Release(int32_t flags, double px, double py, CPertCommand* tool, TPertDrawMode& mode);
    int32_t DoubleClick(CPertCommand* tool, TPertDrawMode& mode);
    // The command that gets the pointer events: the hover command, else the tool's.
    CPertCommand* Receiver(CPertCommand* tool) const;

    // While the left button is held near an edge of the view: the scroll step
    // (16 pixels toward that edge, each axis on its own).
    static TPosition2D AutoScrollStep(double px, double py, const TViewport& view);

    // ---- zoom ----
    // Zooms around a drawing point; false when refused. On success zoom,
    // the scroll position (clamped to the new paint box) and the paint box
    // are updated; the window moves its scroll bars and rebuilds.
    bool ZoomAt(TPosition2D anchor, double factor, bool zoomIn);
    // The centre of the visible part in drawing units.
    TPosition2D ViewCentre() const;
    // A wheel event: in the zooming views two notches one way make one zoom
    // step around the node under the pointer (else the pointer); in the
    // Gantt view each event scrolls 16 pixels. True when something changed.
    bool Wheel(int32_t delta);

    // ---- history ----
    // After a change: record it and back it up.
    void RecordChange();
    // After a dialog or a menu command that may have changed the network
    // outside the pointer commands: lays the network out and, when it then
    // differs from `before` (the display range included, which the network
    // equality leaves out), records one undo step, marks the document
    // modified and backs it up. False when nothing changed.
    bool RecordChangeFrom(const Tpertgra& before);
    void PushHistory();
    // One step back or forward; false when nothing happened. The file the
    // document belongs to is not part of the history: name and hasFile stay,
    // and the document counts as modified afterwards.
    bool Undo();
    bool Redo();

    // ---- status and closing ----
    // The texts of the five pointer status panels for a drawing point.
    std::array<std::string, 5> PointerStatus(TPosition2D p) const;
    // The three panels that do not follow the pointer (panels 2 to 4):
    // "开工时间:", "结束时间:" and "总工期:" of the project as it stands.
    std::array<std::string, 3> ProjectStatus() const;
    // Restored from a crash backup (or the file-name part of the caption is a backup's).
    bool ShowsRestoredBackup() const;
    // The caption of a document restored from a backup: the file-name part
    // of the plan's own file as the backup stored it, marked as a recovered
    // copy ("住宅楼.prt（恢复的副本）"); a plan that had no file yet (or an
    // older backup that stored its own name) is "未命名网络图（恢复的副本）".
    static std::string RecoveredCaption(const std::string& storedFileName);
    // The close query: busy refuses; an unmodified document that is not a
    // restored backup closes; otherwise "是否保存<caption>?" with Yes (save
    // by the callback, which says whether it saved), No and Cancel. Only a
    // completed save lets Yes close the window.
    bool CanClose(const std::function<bool()>& save);

private:
    void ReplaceNetwork(std::unique_ptr<Tpertgra> net);
};

// Sets the network's view mode: 0 Gantt chart, 1 time-scaled network,
// 2 logic network, 3 resource diagram only.
void SetViewKind(Tpertgra& net, int32_t mode);
