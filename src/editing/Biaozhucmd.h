#pragma once
#include <cstdint>

#include "editing/Pertcommand.h"

// The tool of the button 标注: a drag from the top-left to the bottom-right
// corner of a new annotation; its dialog opens on release, and only a
// confirmed dialog keeps it.
class CCreateBiaozhu : public CPertCommand {
public:
    int32_t Kind() const override { return ckCreateBiaozhu; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    // The dotted band from the press to the pointer while dragging.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;

private:
    bool dragging_ = false;
};

// The hover command over an annotation: a drag moves it, a drag from its
// corner resizes it, a double click opens its dialog.
class CMoveBiaoZhu : public CPertCommand {
public:
    int32_t Kind() const override { return ckMoveBiaoZhu; }
    int32_t MouseDown(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    int32_t MouseMove(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    // 1 only when the annotation moved or changed its size.
    int32_t MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode) override;
    // 1 when the dialog was confirmed with a change.
    int32_t DoubleClick(Tpertgra& net, TPertDrawMode& mode) override;
    // The corner handle of the hovered annotation; while dragging, the
    // dotted outline at the pointer's place or the band of the new size.
    void DrawFeedback(const Tpertgra& net, ICanvas& canvas, const TPertDrawMode& mode) const override;

private:
    // The hovered annotation is looked up again where it is needed: a
    // deletion or an undo may have taken it away meanwhile.
    bool hovering_ = false;
    TPosition2D hoverPoint_;
    bool dragging_ = false;
};
