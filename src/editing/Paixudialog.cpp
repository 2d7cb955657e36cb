#include "editing/Paixudialog.h"

#include "editing/Pertdoc.h"
#include "gantt/Paixuchoice.h"
#include "model/Pertgra.h"

namespace {

class TCancellingPaixuDialog : public IPaixuDialog {
public:
    bool Show(TPaixuChoice&) override { return false; }
};

TCancellingPaixuDialog cancelling;
IPaixuDialog* bound = nullptr;

}  // namespace

IPaixuDialog& PaixuDialog()
{
    return bound ? *bound : cancelling;
}

void SetPaixuDialog(IPaixuDialog* dialog)
{
    bound = dialog;
}

int32_t OpenSortDialog(TPertdoc& doc)
{
    if (!doc.network || doc.ViewMode() != 0) return 0;
    TPaixuChoice choice(doc.network.get());
    if (!PaixuDialog().Show(choice)) {
        choice.Cancel();
        return 0;
    }
    const std::unique_ptr<Tpertgra> before = doc.network->Clone();
    choice.Confirm();
    // The new numbers change the rows: a step of its own that undo takes
    // back; a sort that leaves every number as it was records nothing.
    return doc.RecordChangeFrom(*before) ? 1 : 0;
}
