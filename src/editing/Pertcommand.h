#pragma once
#include <cstdint>
#include <string>

#include "model/Position2d.h"

class ICanvas;
class Tpertgra;
class TPertDrawMode;

// Mouse flags of every pointer event.
enum TMouseFlag : int32_t {
    mfShift = 1,
    mfCtrl = 2,
    mfLeft = 4,    // press/release: caused by the left button; move: left button held
    mfRight = 8,   // press/release: caused by the right button; never for a move
};

// The pointer shape a command asks for, by what lies under the pointer.
enum class TPointerShape : int32_t {
    Arrow,       // nothing under the pointer
    Hand,        // a node
    SizeFDiag,   // the front third of a work line
    SizeBDiag,   // the back third
    SplitV,      // the middle third; near a group cell's lower edge
    GroupMove,   // a group cell ("move")
    Drag,        // Ctrl held during a link gesture
    MoveAll,     // moving a whole object
};

// The shape for a hit class of the drawing's hit test.
TPointerShape PointerShapeOfHit(const std::string& hitClass);

// Kinds of the pointer commands; the window and the hover chooser compare them.
enum TCommandKind : int32_t {
    ckFenLei = 0,           // TFenLeiCmd, work groups
    ckMovefenzu = 18,
    ckMoveGanttEdge = 19,
    ckMovetimedata = 20,
    ckMoveBiaoZhu = 21,
    ckSelect = 22,
    ckAddWork = 23,
    ckEdit = 24,
    ckDelete = 25,
    ckTimedic = 26,
    ckJiaohuan = 27,
    ckImport = 28,
    ckFenduan = 29,
    ckLiushui = 30,
    ckAddRes = 32,
    ckKonghang = 33,
    ckCreateBiaozhu = 34,
    ckSelectGantt = 35,
    ckAddWorkGantt = 36,
    ckEditGantt = 37,
    ckDelGantt = 38,
    ckTimedicGantt = 39,
};

// A pointer command: the document window hands every press, move, release
// and double click on the drawing to one of these. Points are in drawing
// units; the drawing context carries the zoom mapping of the view.
class CPertCommand {
public:
    TPosition2D startPoint;   // where the gesture began
    TPosition2D lastPoint;    // pointer at the previous event
    int32_t presses = 0;      // presses counted in the current gesture
    bool finished = false;    // the gesture is over
    int32_t gestureValue = 0; // cleared with the gesture; for the subclasses
    bool dblClickDone = false;// a double click was handled: the next release only resets
    TPosition2D auxPointA;    // for the subclasses' use
    TPosition2D auxPointB;
    // The pointer shape after the last event; the window shows it.
    TPointerShape pointer = TPointerShape::Arrow;

    virtual ~CPertCommand() = default;
    virtual int32_t Kind() const = 0;
    // 1 when the network was changed.
    virtual int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) = 0;
    virtual int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) = 0;
    virtual int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) = 0;
    // 1 when the network was changed.
    virtual int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) = 0;

    // The gesture's feedback (rubber band, drag preview), drawn over the
    // cached picture at every paint; the canvas carries the zoom mapping.
    // Drawing it as an overlay replaces erasing by a second exclusive-or
    // drawing: a repaint without the band takes it away.
    virtual void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const;

    // Clears presses, finished, the subclasses' value and dblClickDone.
    void Reset();
};
