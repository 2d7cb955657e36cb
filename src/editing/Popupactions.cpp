#include "editing/Popupactions.h"

#include "drawing/Biaozhu.h"
#include "drawing/Biaozhudraw.h"
#include "drawing/Groupops.h"
#include "drawing/Setbiaozhu.h"
#include "drawing/Layoutpass.h"
#include "drawing/Networkhit.h"
#include "editing/Checkmenu.h"
#include "editing/Deletedialog.h"
#include "editing/Groupedit.h"
#include "editing/Hitpoint.h"
#include "editing/Pertdoc.h"
#include "editing/Relayout.h"
#include "editing/Replacework.h"
#include "entry/Workdialogs.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

Tedge* WorkAt(const TPertdoc& doc, TPosition2D p)
{
    return doc.network ? HitAtPoint(*doc.network, p).work : nullptr;
}

// Records a change in the history and the backup; the window draws anew.
TPopupOutcome Changed(TPertdoc& doc)
{
    TPopupOutcome out;
    out.effects = deRebuild;
    doc.RecordChange();
    return out;
}

}  // namespace

bool PopupAnnotation(TPertdoc& doc, TPopupOutcome& out)
{
    out = TPopupOutcome{};
    if (!doc.network || !doc.localCommand || doc.localCommand->Kind() != ckMoveBiaoZhu) return false;
    TBiaoZhu* a = AnnotationAt(*doc.network, doc.localCommand->startPoint);
    if (!a) return false;
    bool changed = false;
    EditAnnotation(*a, &changed);
    if (changed) out = Changed(doc);
    else out.effects = deRepaint;
    return true;
}

TPopupOutcome PopupEdit(TPertdoc& doc, TPosition2D p)
{
    TPopupOutcome out;
    if (!doc.network) return out;
    if (PopupAnnotation(doc, out)) return out;
    Tedge* work = WorkAt(doc, p);
    if (!work) {
        out.selectTool = ckEdit;
        return out;
    }
    const TWorkDialogOutcome r = WorkDialogs().EditWork(*doc.network, work);
    if (r.result != 1 || !r.changed) return out;
    doc.network->Recalculate();
    LayoutNetwork(*doc.network);
    return Changed(doc);
}

TPopupOutcome PopupDelete(TPertdoc& doc, TPosition2D p)
{
    TPopupOutcome out;
    if (!doc.network) return out;
    const int32_t group = GroupIndexAt(*doc.network, p);
    if (group >= 0) {
        // A deleted cell is an undo step like any other change, so that
        // closing asks to save it.
        out.effects = deRepaint;
        if (Messages().Show("真的要删除吗?", "警告", TMsgIcon::Question, TMsgButtons::YesNo) !=
            TMsgAnswer::Yes)
            return out;
        DeleteGroup(*doc.network, group);
        LayoutNetwork(*doc.network);
        return Changed(doc);
    }
    if (AnnotationAt(*doc.network, p)) {
        out.effects = deRebuild;
        if (DeleteAnnotationAt(*doc.network, p) && doc.history.DiffersFromCurrent(*doc.network))
            doc.RecordChange();
        return out;
    }
    Tedge* work = WorkAt(doc, p);
    if (!work) {
        out.selectTool = ckDelete;
        return out;
    }
    if (OpenDeleteDialog(*doc.network, work) != 1) {
        // 取消 or a choice that cut nothing: the selection may have gone.
        out.effects = deRepaint;
        return out;
    }
    LayoutNetwork(*doc.network);
    return Changed(doc);
}

TPopupOutcome PopupPaste(TPertdoc& doc, TPosition2D p, const Tpertgra* clip)
{
    TPopupOutcome out;
    if (!doc.network) return out;
    Tedge* work = WorkAt(doc, p);
    if (!work) {
        out.selectTool = ckImport;
        return out;
    }
    if (PasteOverWork(*doc.network, work, clip) != 1) return out;
    return Changed(doc);
}

TPopupOutcome PopupCheck(TPertdoc& doc, int32_t item, ICheckView& view)
{
    TPopupOutcome out;
    if (!doc.network) return out;
    Tpertgra& net = *doc.network;
    int32_t changed = 0;
    switch (item) {
    case ciStartNodes: changed = CheckStartNodes(net, view); break;
    case ciEndNodes: changed = CheckEndNodes(net, view); break;
    case ciOverlap: changed = CheckOverlappingWork(net, view); break;
    case ciRedundant: changed = CheckRedundantLinks(net, view); break;
    default: return out;
    }
    if (changed == 1) return Changed(doc);
    out.effects = deRepaint;
    return out;
}

TPopupOutcome PopupBlankRow(TPertdoc& doc, TPosition2D p)
{
    TPopupOutcome out;
    if (!doc.network) return out;
    if (InsertBlankRowAt(*doc.network, p.y) != 1) return out;
    return Changed(doc);
}
