#pragma once
#include <cstdint>

class Tpertgra;
class Tedge;
class TDeleteChoice;

// Shows the delete dialog "删除工作" for the delete tool and the popup menu,
// which live below the windows: the desktop program binds the real dialog,
// tests bind their own. Show is modal: it lets the user set the check boxes
// of the choice and answers true for 确定, false for 取消.
class IDeleteDialog {
public:
    virtual ~IDeleteDialog() = default;
    virtual bool Show(TDeleteChoice& choice) = 0;
};

// The bound dialog; without a binding every call is cancelled at once.
IDeleteDialog& DeleteDialog();
// Binds the dialog (not owned); null restores the cancelling one.
void SetDeleteDialog(IDeleteDialog* dialog);

// Opens the delete dialog for a work and runs what was chosen on 确定.
// Returns 1 when the network changed; 取消, no work, or a choice that
// changes nothing (link options on a milestone) return 0. The network is
// recalculated, not laid out: the caller lays it out.
int32_t OpenDeleteDialog(Tpertgra& net, Tedge* work);
