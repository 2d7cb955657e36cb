#include "editing/Setpertcommand.h"

#include "drawing/Biaozhudraw.h"
#include "drawing/Framelayout.h"
#include "drawing/Networkhit.h"
#include "editing/Addworkcmd.h"
#include "editing/Biaozhucmd.h"
#include "editing/Deletecmd.h"
#include "editing/Editcmd.h"
#include "editing/Fenduancmd.h"
#include "editing/Ganttcmd.h"
#include "editing/Groupcmds.h"
#include "editing/Movetimedata.h"
#include "editing/Pertcommand.h"
#include "editing/Selectcmd.h"
#include "editing/Timediccmd.h"
#include "gantt/Gantt.h"
#include "model/Pertgra.h"

TSetpertCommand::TSetpertCommand()
{
    THoverRule column;
    column.kind = ckMovefenzu;
    column.applies = [](const Tpertgra& net, TPosition2D p, const TPertDrawMode&) {
        return InGroupColumn(net, p);
    };
    column.make = [] { return std::make_unique<CMovefenzu>(); };
    hoverRules.push_back(std::move(column));

    THoverRule row;
    row.kind = ckMoveGanttEdge;
    row.keepUntilFinished = false;   // a drag holds the left button: no choice is made meanwhile
    row.applies = [](const Tpertgra& net, TPosition2D p, const TPertDrawMode&) {
        return ViewKind(net) == 0 && net.liveGantt.NumberCellAt(net, p) != nullptr;
    };
    row.make = [] { return std::make_unique<CMoveGanttEdge>(); };
    hoverRules.push_back(std::move(row));

    // Over a work's time-parameter table in the network views; kept while
    // its drag is under way.
    THoverRule label;
    label.kind = ckMovetimedata;
    label.keepUntilFinished = true;
    label.applies = [](const Tpertgra& net, TPosition2D p, const TPertDrawMode& mode) {
        const int32_t v = ViewKind(net);
        return (v == 1 || v == 2) && TimeLabelAt(net, p, mode) != nullptr;
    };
    label.make = [] { return std::make_unique<CMovetimedata>(); };
    hoverRules.push_back(std::move(label));

    // Over an annotation of the time-scaled view; kept while its drag is
    // under way.
    THoverRule note;
    note.kind = ckMoveBiaoZhu;
    note.keepUntilFinished = true;
    note.applies = [](const Tpertgra& net, TPosition2D p, const TPertDrawMode&) {
        return AnnotationAt(net, p) != nullptr;
    };
    note.make = [] { return std::make_unique<CMoveBiaoZhu>(); };
    hoverRules.push_back(std::move(note));
}

void TSetpertCommand::ChooseHoverCommand(const Tpertgra& net,
                                         std::unique_ptr<CPertCommand>& localCommand,
                                         int32_t flags, const TPertDrawMode& mode,
                                         TPosition2D p) const
{
    if (flags & mfLeft) return;
    const THoverRule* kept = nullptr;
    for (const THoverRule& rule : hoverRules) {
        if (rule.applies && rule.applies(net, p, mode)) {
            if (!localCommand || localCommand->Kind() != rule.kind) localCommand = rule.make();
            return;
        }
        if (localCommand && localCommand->Kind() == rule.kind) {
            if (rule.keepUntilFinished && !localCommand->finished) kept = &rule;
            else localCommand.reset();
        }
    }
    if (!kept) localCommand.reset();
}

namespace {

// View modes 1 and 2 are the network views.
bool InNetworkView(const Tpertgra* net)
{
    if (!net) return false;
    const int32_t v = ViewKind(*net);
    return v == 1 || v == 2;
}

bool InGanttView(const Tpertgra* net)
{
    return net && ViewKind(*net) == 0;
}

}  // namespace

std::unique_ptr<CPertCommand> TSetpertCommand::NewSelectCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TSelectCmd>();
    if (InGanttView(net)) return std::make_unique<TSelectGanttCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewAddCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TAddWorkCmd>();
    if (InGanttView(net)) return std::make_unique<TAddWorkGanttCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewEditCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TEditCmd>();
    if (InGanttView(net)) return std::make_unique<TEditGanttCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewDeleteCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TDeleteCmd>();
    if (InGanttView(net)) return std::make_unique<TDelGanttCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewTimeDiffCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TtimedicCmd>();
    if (InGanttView(net)) return std::make_unique<TtimedicGanttCmd>();
    return nullptr;
}
