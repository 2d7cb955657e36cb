#include "editing/Setpertcommand.h"

#include "drawing/Framelayout.h"
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

// The add, edit, delete and time-difference tools come with their own
// commands; until then the views have none.
std::unique_ptr<CPertCommand> TSetpertCommand::NewAddCommand(const Tpertgra*)
{
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewEditCommand(const Tpertgra*)
{
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewDeleteCommand(const Tpertgra*)
{
    return nullptr;
}

std::unique_ptr<CPertCommand> TSetpertCommand::NewTimeDiffCommand(const Tpertgra*)
{
    return nullptr;
}
