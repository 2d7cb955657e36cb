#pragma once
#include <QDialog>
#include <memory>

#include "editing/Deletedialog.h"

class QCheckBox;
class QPushButton;
class TDeleteChoice;

// "删除工作": whether the work goes, or only its links to its successors
// or predecessors. The check boxes show and change the choice; the caller
// runs the choice on 确定.
class TDeletefm : public QDialog {
    Q_OBJECT
public:
    explicit TDeletefm(TDeleteChoice& choice, QWidget* parent = nullptr);

    QCheckBox* chkedge = nullptr;
    QCheckBox* chkbacklink = nullptr;
    QCheckBox* chkfrontlink = nullptr;
    QPushButton* okbut = nullptr;
    QPushButton* cancelbut = nullptr;

private:
    void ShowChoice();
    TDeleteChoice& choice_;
};

// The delete dialog the commands and popup menus open (modal, over parent).
std::unique_ptr<IDeleteDialog> MakeDeleteDialog(QWidget* parent);
