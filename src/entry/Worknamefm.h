#pragma once
#include <QDialog>

#include "entry/Worknames.h"

class QPlainTextEdit;
class QPushButton;

// "常用工作名称": the common work names, one per line.
class Tfmworkname : public QDialog {
    Q_OBJECT
public:
    explicit Tfmworkname(QWidget* parent = nullptr);

    TWorknames& State() { return state_; }
    void Confirm();
    void Cancel();

    QPlainTextEdit* memo = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    TWorknames state_;
    bool loading_ = false;
};
