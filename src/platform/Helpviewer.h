#pragma once
#include <string>

// Shows the program's help document.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    // Opens the document at its table of contents; false when it cannot be shown.
    virtual bool ShowContents(const std::string& helpFile) = 0;
};

IHelpViewer& HelpViewer();
// Binds a viewer (not owned); null restores the one that only reports failure.
void SetHelpViewer(IHelpViewer* viewer);
