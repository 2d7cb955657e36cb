#pragma once
// A document driven through its pointer dispatch, for the command tests:
// a small network, fake work dialogs, and whole gestures in drawing units.
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "drawing/Pertdrawmode.h"
#include "drawing/Timeaxis.h"
#include "drawing/Workgeometry.h"
#include "editing/Pertdoc.h"
#include "editing/Setpertcommand.h"
#include "editing/Workinsert.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"
#include "support/Netbuilder.h"

namespace commanddoc {

// The work dialog as the commands see it: 确定 adds through the anchors'
// add operation (or renames the edited work), 取消 changes nothing.
struct TFakeDialogs : IWorkDialogs {
    TFakeDialogs() { SetWorkDialogs(this); }
    ~TFakeDialogs() override { SetWorkDialogs(nullptr); }
    TWorkDialogOutcome AddWork(Tpertgra& net, const TAddAnchors& a) override
    {
        ++adds;
        anchors = a;
        if (!ok) return {};
        Tworkdata d;
        d.name = "新工作";
        d.duration = 3;
        Tedge* w = AddWorkAtAnchors(net, d, a);
        return {1, w != nullptr, w};
    }
    TWorkDialogOutcome EditWork(Tpertgra&, Tedge* work) override
    {
        edited = work;
        if (!ok) return {};
        work->data->name = "改过的";
        return {1, true, nullptr};
    }
    bool ok = true;
    int adds = 0;
    TAddAnchors anchors;
    Tedge* edited = nullptr;
};

// A, B and C leave from S and meet at E: S->A (2), S->B (3) on another row,
// A->E and B->E (2 each). A and B are unrelated nodes.
inline std::unique_ptr<Tpertgra> Diamond()
{
    TNetBuilder b;
    Tedge* sb = nullptr;
    Tedge* be = nullptr;
    b.Work('S', 'A', 2);
    b.Work('A', 'E', 2);
    sb = b.Work('S', 'B', 3);
    be = b.Work('B', 'E', 2);
    b.Place();
    sb->row = 1;
    be->row = 1;
    b.N('B')->row = 1;
    return std::move(b.net);
}

struct Doc {
    explicit Doc(std::unique_ptr<Tpertgra> net) : doc(std::move(net), "网络图1", "")
    {
        doc.Relayout();
        doc.view = {0, 0, 4000, 3000};
        doc.paintBox = doc.ComputePaintBox();
    }
    Tpertgra& Net() { return *doc.network; }
    Tedge* WorkNamed(const std::string& name)
    {
        for (Tedge* w : Net().AllWorks())
            if (w->data->name == name) return w;
        return nullptr;
    }
    // The view pixel of a drawing point (the view is not scrolled).
    TPosition2D Pixel(TPosition2D d)
    {
        const TPosition2D o = doc.ToDrawing(0, 0), u = doc.ToDrawing(100, 100);
        return {(d.x - o.x) * 100 / (u.x - o.x), (d.y - o.y) * 100 / (u.y - o.y)};
    }
    static TPosition2D At(const Tvertex* v) { return {double(v->x), double(v->y)}; }
    // A whole drag with the left button, from a to b in drawing units.
    int32_t Drag(CPertCommand& tool, TPosition2D a, TPosition2D b, int32_t extra = 0)
    {
        const TPosition2D pa = Pixel(a), pb = Pixel(b);
        doc.Move(0, pa.x, pa.y, &tool, mode, chooser);
        doc.Press(mfLeft | extra, pa.x, pa.y, &tool, mode);
        doc.Move(mfLeft | extra, (pa.x + pb.x) / 2, (pa.y + pb.y) / 2, &tool, mode, chooser);
        doc.Move(mfLeft | extra, pb.x, pb.y, &tool, mode, chooser);
        return doc.Release(mfLeft | extra, pb.x, pb.y, &tool, mode);
    }
    // Click, then the double click and the second click's press and release.
    // extra: flags held throughout (Shift).
    int32_t DoubleClick(CPertCommand& tool, TPosition2D a, int32_t extra = 0)
    {
        const TPosition2D p = Pixel(a);
        doc.Move(extra, p.x, p.y, &tool, mode, chooser);
        doc.Press(mfLeft | extra, p.x, p.y, &tool, mode);
        EXPECT_EQ(doc.Release(mfLeft | extra, p.x, p.y, &tool, mode), deRepaint);   // a click changes nothing
        const int32_t r = doc.DoubleClick(&tool, mode);
        doc.Press(mfLeft | extra, p.x, p.y, &tool, mode);
        EXPECT_EQ(doc.Release(mfLeft | extra, p.x, p.y, &tool, mode), deRepaint);
        return r;
    }
    // Undo brings back the network as it was before the recorded change.
    void ExpectUndoTo(int32_t works, int32_t nodes)
    {
        ASSERT_TRUE(doc.Undo());
        doc.Relayout();   // as the window does after an undo
        EXPECT_EQ(Net().WorkCount(), works);
        EXPECT_EQ(Net().NodeCount(), nodes);
    }
    TPertdoc doc;
    TPertDrawMode mode;
    TSetpertCommand chooser;
};

inline TPosition2D OnLine(const Tedge* w, double fraction)
{
    const TWorkGeometry g = TWorkGeometry::Of(*w);
    return {g.fromX + (g.toX - g.fromX) * fraction, double(g.lineY)};
}

inline Tvertex* EndNode(Tpertgra& net)
{
    for (const auto& v : net.nodes)
        if (v->outCount == 0) return v.get();
    return nullptr;
}

}  // namespace commanddoc
