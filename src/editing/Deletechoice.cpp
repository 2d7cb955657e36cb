#include "editing/Deletechoice.h"

#include <vector>

#include "editing/Linkcut.h"
#include "editing/Rowmove.h"
#include "editing/Workdelete.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

namespace {

bool IsBlank(const std::string& s)
{
    for (unsigned char c : s)
        if (c > ' ') return false;
    return true;
}

}

TDeleteChoice::TDeleteChoice(Tpertgra* net, Tedge* w) : network(net), work(w)
{
    edgeCaption = w && !IsBlank(w->data->name) ? w->data->name : kUnnamedWork;
}

void TDeleteChoice::ClickEdge()
{
    chkedge = !chkedge;
    chkbacklink = false;
    chkfrontlink = false;
}

void TDeleteChoice::ClickBackLink()
{
    chkbacklink = !chkbacklink;
    chkedge = false;
}

void TDeleteChoice::ClickFrontLink()
{
    chkfrontlink = !chkfrontlink;
    chkedge = false;
}

int32_t TDeleteChoice::Confirm()
{
    modalResult = 1;
    if (!network || !work) return 0;
    network->selection.clear();
    if (chkedge) {
        const int32_t changed = DeleteWork(*network, work);
        work = nullptr;   // gone with the deletion
        network->Recalculate();
        return changed;
    }
    if (work->data->IsMilestone()) return 0;
    int32_t changed = 0;
    if (chkbacklink && DeleteSuccessorLinks(*network, work) == 1) changed = 1;
    if (chkfrontlink && DeletePredecessorLinks(*network, work) == 1) changed = 1;
    return changed;
}

void TDeleteChoice::Cancel()
{
    modalResult = 2;
}

int32_t DeleteSelectedWorks(Tpertgra& net)
{
    if (net.selection.empty()) return 0;
    if (AskYesNo("真的要删除吗?", "警告") != TMsgAnswer::Yes) {
        net.selection.clear();
        return 0;
    }
    const std::vector<Tedge*> caught = net.selection;
    DeleteWorks(net, caught);
    RealignAllNodeRows(net);
    net.Recalculate();
    net.selection.clear();
    return 1;
}
