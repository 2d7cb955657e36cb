#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "editing/Timedic.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;

// "时差调整": shifts a work inside its float while the scroll bar moves.
// The fields show the state; closing without 确定 restores the plan.
class Ttimedicfm : public QDialog {
    Q_OBJECT
public:
    explicit Ttimedicfm(TTimedic& state, QWidget* parent = nullptr);

    QGroupBox* diceditgbx = nullptr;
    QLineEdit* worknameedit = nullptr;
    QLineEdit* workduredit = nullptr;
    QLineEdit* leftdicedit = nullptr;
    QSpinBox* leftdicud = nullptr;
    QScrollBar* diceditscb = nullptr;
    QLineEdit* rightdicedit = nullptr;
    QLineEdit* dates[6] = {};
    QPushButton* okbut = nullptr;
    QPushButton* cancelbut = nullptr;

private:
    void ShowState();
    TTimedic& state_;
    bool showing_ = false;
};

// The dialog the time-difference tools open (modal, over parent); refresh
// redraws the plan behind it after every shift.
std::unique_ptr<ITimedicDialog> MakeTimedicDialog(QWidget* parent, std::function<void()> refresh);
