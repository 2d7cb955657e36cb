#include "entry/Workdialogs.h"

namespace {

class CancellingWorkDialogs : public IWorkDialogs {
public:
    TWorkDialogOutcome AddWork(Tpertgra&, const TAddAnchors&) override { return {}; }
    TWorkDialogOutcome EditWork(Tpertgra&, Tedge*) override { return {}; }
};

CancellingWorkDialogs cancelling;
IWorkDialogs* bound = nullptr;

}  // namespace

IWorkDialogs& WorkDialogs()
{
    return bound ? *bound : cancelling;
}

void SetWorkDialogs(IWorkDialogs* dialogs)
{
    bound = dialogs;
}
