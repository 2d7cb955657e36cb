#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/Position2d.h"

class CPertCommand;
class Tpertgra;
class TPertDrawMode;

// Chooses the commands: the hover command of the document under the
// pointer, and the tool commands of the tool buttons for a network's view.
class TSetpertCommand {
public:
    // One place on the drawing that has a command of its own while the
    // pointer is over it (the column of groups, a time-data handle, an
    // annotation, a Gantt row's number cell). Rules are tried in order.
    struct THoverRule {
        int32_t kind = 0;
        // Kept when the pointer leaves the place until its gesture is finished.
        bool keepUntilFinished = false;
        std::function<bool(const Tpertgra&, TPosition2D, const TPertDrawMode&)> applies;
        std::function<std::unique_ptr<CPertCommand>()> make;
    };
    std::vector<THoverRule> hoverRules;

    // Starts with the hover rule of the Gantt view: the row drag over a
    // row's number cell.
    TSetpertCommand();

    // Called at every pointer move; nothing changes while the left button is
    // held, so a running drag keeps its command.
    void ChooseHoverCommand(const Tpertgra& net, std::unique_ptr<CPertCommand>& localCommand,
                            int32_t flags, const TPertDrawMode& mode, TPosition2D p) const;

    // The tool commands for the network's view mode; null without a network,
    // in the resource view or where the view has no such command yet.
    static std::unique_ptr<CPertCommand> NewSelectCommand(const Tpertgra* net);
    static std::unique_ptr<CPertCommand> NewAddCommand(const Tpertgra* net);
    static std::unique_ptr<CPertCommand> NewEditCommand(const Tpertgra* net);
    static std::unique_ptr<CPertCommand> NewDeleteCommand(const Tpertgra* net);
    static std::unique_ptr<CPertCommand> NewTimeDiffCommand(const Tpertgra* net);
};
