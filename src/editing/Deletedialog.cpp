#include "editing/Deletedialog.h"

#include "editing/Deletechoice.h"

namespace {

class CancellingDeleteDialog : public IDeleteDialog {
public:
    bool Show(TDeleteChoice&) override { return false; }
};

CancellingDeleteDialog cancelling;
IDeleteDialog* bound = nullptr;

}  // namespace

IDeleteDialog& DeleteDialog()
{
    return bound ? *bound : cancelling;
}

void SetDeleteDialog(IDeleteDialog* dialog)
{
    bound = dialog;
}

int32_t OpenDeleteDialog(Tpertgra& net, Tedge* work)
{
    if (!work) return 0;
    TDeleteChoice choice(&net, work);
    if (!DeleteDialog().Show(choice)) {
        choice.Cancel();
        return 0;
    }
    return choice.Confirm();
}
