#pragma once
#include <QDialog>
#include <memory>

#include "editing/Fenduan.h"

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QRadioButton;
class QLineEdit;
class QPushButton;
class QScrollBar;

// "工作分段": the two durations of the split, the scroll bar between them
// and the dates of the parts; 确定 splits the work. For a work and its next
// segment (mode 'e') the radio group chooses 分段, 合并 or 拆分.
class Tfenduanfm : public QDialog {
    Q_OBJECT
public:
    explicit Tfenduanfm(TFenduan& state, QWidget* parent = nullptr);

    QGroupBox* editselectbox = nullptr;
    QRadioButton* fenduanrbtn = nullptr;
    QRadioButton* hebinrbtn = nullptr;
    QRadioButton* chaifenrbtn = nullptr;
    QLineEdit* firstedgeduredit = nullptr;
    QLineEdit* secondedgeduredit = nullptr;
    QScrollBar* fenduanscb = nullptr;
    QLineEdit* worknameedit = nullptr;
    QDateEdit* workstarttimedt = nullptr;
    QDateEdit* dtpfenduantime = nullptr;
    QDateEdit* workendtimedt = nullptr;
    QLineEdit* workduredit = nullptr;
    QPushButton* okbtn = nullptr;
    QPushButton* cancalbtn = nullptr;

private:
    void ShowState();
    TFenduan& state_;
    bool showing_ = false;
};

std::unique_ptr<IFenduanDialog> MakeFenduanDialog(QWidget* parent);
