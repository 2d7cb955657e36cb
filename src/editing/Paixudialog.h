#pragma once
#include <cstdint>

class TPaixuChoice;
class TPertdoc;

// Shows the sort dialog "排序" for the main window's 排序 button: the
// desktop program binds the real dialog, tests bind their own. Show is
// modal and answers true for 确定, false for 取消.
class IPaixuDialog {
public:
    virtual ~IPaixuDialog() = default;
    virtual bool Show(TPaixuChoice& choice) = 0;
};

// The bound dialog; without a binding every call is cancelled at once.
IPaixuDialog& PaixuDialog();
void SetPaixuDialog(IPaixuDialog* dialog);

// Opens the sort dialog for the document's network. After 确定 the network
// is sorted, laid out again and recorded as one undo step, and the document
// counts as modified: 1. 取消, or a document outside the Gantt view: 0.
int32_t OpenSortDialog(TPertdoc& doc);
