#pragma once
#include <QDialog>
#include <memory>

#include "editing/Paixudialog.h"

class QPushButton;
class QRadioButton;
class TPaixuChoice;

// "排序": by start or by group. The radio buttons show and set the choice;
// the caller runs it on 确定.
class Tpaixufm : public QDialog {
    Q_OBJECT
public:
    explicit Tpaixufm(TPaixuChoice& choice, QWidget* parent = nullptr);

    QRadioButton* byStart = nullptr;   // items of the radio group paixumode
    QRadioButton* byGroup = nullptr;
    QPushButton* okbut = nullptr;
    QPushButton* cancelbut = nullptr;

private:
    TPaixuChoice& choice_;
};

// The sort dialog the main window opens (modal, over parent).
std::unique_ptr<IPaixuDialog> MakePaixuDialog(QWidget* parent);
