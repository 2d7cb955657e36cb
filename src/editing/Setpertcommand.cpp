#include "editing/Setpertcommand.h"

#include "drawing/Framelayout.h"
#include "editing/Addworkcmd.h"
#include "editing/Deletecmd.h"
#include "editing/Editcmd.h"
#include "editing/Pertcommand.h"
#include "editing/Selectcmd.h"
#include "model/Pertgra.h"

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

}  // namespace

std::unique_ptr<CPertCommand> TSetpertCommand::NewSelectCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TSelectCmd>();
    return nullptr;
}

// The Gantt view's add, edit and delete tools come with the Gantt editing;
// until then that view has none.
std::unique_ptr<CPertCommand> TSetpertCommand::NewAddCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TAddWorkCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewEditCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TEditCmd>();
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewDeleteCommand(const Tpertgra* net)
{
    if (InNetworkView(net)) return std::make_unique<TDeleteCmd>();
    return nullptr;
}

// The time-difference tool comes with its command.
std::unique_ptr<CPertCommand> TSetpertCommand::NewTimeDiffCommand(const Tpertgra*)
{
    return nullptr;
}
