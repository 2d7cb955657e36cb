#pragma once
#include <optional>

#include "model/Workdata.h"

// The budget item the user has highlighted in the document's side panel, as
// the work dialog sees it: the dialog takes the item's record over when it
// opens and gives the highlight up when it closes.
class IBudgetItemSource {
public:
    virtual ~IBudgetItemSource() = default;
    // A copy of the highlighted item's work record; nothing when no item is
    // highlighted or the item carries no record (the tree's root).
    virtual std::optional<Tworkdata> HighlightedItem() const = 0;
    // The dialog has closed: the item is shown unhighlighted again.
    virtual void ReleaseHighlight() = 0;
};
