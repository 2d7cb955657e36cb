#pragma once
#include <memory>
#include <optional>

#include "model/Position2d.h"

class TBiaoZhu;
class TPertDrawMode;
class TTimeAxis;
class Tpertgra;

// An annotation's box in drawing units.
struct TAnnotationBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The box from the annotation's day and row on the given axis: the top-left
// corner at (XOfTime(anchorDay) + anchorXOffset, Y0 + anchorRow * rowHeight),
// the corner width and height further. None for a box that is not finite
// or lies absurdly far out (a damaged file): it is neither drawn nor found.
std::optional<TAnnotationBox> AnnotationBox(const TBiaoZhu& a, const Tpertgra& net,
                                            const TTimeAxis& axis);

// Annotations belong to the time-scaled view: only there are they drawn,
// found under the pointer and made by the annotation tool.
bool InAnnotationView(const Tpertgra& net);

// Places every annotation on the network's present axis (the layout pass
// runs it): the hit test then takes the boxes from there. Outside the
// time-scaled view no annotation is placed.
void PlaceAnnotations(Tpertgra& net);

// The first annotation whose box widened by 3.5 contains the point
// strictly; none outside the time-scaled view.
TBiaoZhu* AnnotationAt(const Tpertgra& net, TPosition2D p);
// The point lies within 3.5 of the annotation's corner (bottom right).
bool OnCorner(const TBiaoZhu& a, const Tpertgra& net, TPosition2D p);
// Moves the box by to - from; the day, offset and row follow the new corner.
// Nothing changes with a row height below 1.
void MoveBy(TBiaoZhu& a, const Tpertgra& net, TPosition2D from, TPosition2D to);
// The corner to the point; a width or height of 10 or less makes both 10.
void ResizeTo(TBiaoZhu& a, const Tpertgra& net, TPosition2D p);
// A new annotation with its defaults whose box runs from start to end:
// its day and offset from the x of start, its row from the y. None outside
// the time-scaled view and with a row height below 1.
std::unique_ptr<TBiaoZhu> NewAnnotation(const Tpertgra& net, TPosition2D start, TPosition2D end);
// The popup menu's 删除: the annotation under the point goes after
// "真的要删除该标注吗?" is answered Yes. True when one was deleted.
bool DeleteAnnotationAt(Tpertgra& net, TPosition2D p);

// The box where the layout pass placed the annotation, else from the
// present axis; none as for AnnotationBox. Pointer feedback takes it from
// here so that a pointer move builds no time axis.
std::optional<TAnnotationBox> ShownBox(const TBiaoZhu& a, const Tpertgra& net);

// The text and the frame of the annotation for the pass (its factors and
// palette; the drag kind draws only a dotted XOR outline): in its box on
// the axis, or in the given box.
void DrawAnnotation(const TBiaoZhu& a, const Tpertgra& net, const TTimeAxis& axis,
                    const TPertDrawMode& mode);
void DrawAnnotation(const TBiaoZhu& a, const TAnnotationBox& box, const TPertDrawMode& mode);
// The 8 x 8 handle on the corner of the shown box, drawn while the pointer
// is over it.
void DrawAnnotationHandle(const TBiaoZhu& a, const Tpertgra& net, const TPertDrawMode& mode);
