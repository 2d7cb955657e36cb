#include "platform/Helpviewer.h"

namespace {

class NoHelpViewer : public IHelpViewer {
public:
    bool ShowContents(const std::string&) override { return false; }
};

NoHelpViewer noViewer;
IHelpViewer* bound = nullptr;

}  // namespace

IHelpViewer& HelpViewer()
{
    return bound ? *bound : noViewer;
}

void SetHelpViewer(IHelpViewer* viewer)
{
    bound = viewer;
}
