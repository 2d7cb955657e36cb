#pragma once
#include "editing/Workinsert.h"

class Tpertgra;
class Tedge;

// How a work dialog that was opened ended.
struct TWorkDialogOutcome {
    int result = 2;          // the modal result: 1 after 确定, 2 after 取消
    bool changed = false;    // the network was changed: lay it out and record the change
    Tedge* added = nullptr;  // add mode: the new work, when one was added
};

// Opens the work dialog for the pointer commands and popup menus, which live
// below the windows: the desktop program binds the real dialog, tests bind
// their own. Both calls are modal.
class IWorkDialogs {
public:
    virtual ~IWorkDialogs() = default;
    // Add mode, on the anchors of the gesture (points, a node, or a work and a point).
    virtual TWorkDialogOutcome AddWork(Tpertgra& net, const TAddAnchors& anchors) = 0;
    // Edit mode for one work of the network.
    virtual TWorkDialogOutcome EditWork(Tpertgra& net, Tedge* work) = 0;
};

// The bound dialogs; without a binding every call is cancelled at once.
IWorkDialogs& WorkDialogs();
// Binds the dialogs (not owned); null restores the cancelling ones.
void SetWorkDialogs(IWorkDialogs* dialogs);
