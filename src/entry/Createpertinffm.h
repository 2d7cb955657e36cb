#pragma once
#include <QDialog>

#include "entry/Createpertinf.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class Tpertgra;

// "工程信息": the titles and the start date of a new project.
class TfmCreatePertInf : public QDialog {
    Q_OBJECT
public:
    TfmCreatePertInf(Tpertgra& net, QWidget* parent = nullptr);
    // 1 after "确定", 2 after "取消".
    int Run();

    QLineEdit* edtPertprjname = nullptr;
    QLineEdit* edtGanttprjname = nullptr;
    QDateEdit* dtpStart = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Confirm();

    Tpertgra& net_;
    TCreatepertinf state_;
};
