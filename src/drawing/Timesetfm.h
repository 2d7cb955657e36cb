#pragma once
#include <QDialog>
#include <set>

#include "drawing/Timeset.h"

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QListWidget;
class TColorButton;
class Tpertgra;

// "休息日设置": the rest days of the working calendar and the fill of their bands.
class Tfmtimeset : public QDialog {
    Q_OBJECT
public:
    Tfmtimeset(Tpertgra& net, QWidget* parent = nullptr);

    QCalendarWidget* calendar = nullptr;
    QListWidget* list = nullptr;
    QLineEdit* yearEdit = nullptr;
    QComboBox* monthBox = nullptr;
    QComboBox* weekdayBox = nullptr;
    TColorButton* screenColor = nullptr;
    TColorButton* printColor = nullptr;
    QComboBox* styleBox = nullptr;

    // The days picked in the calendar (00:00, stored time form).
    std::set<int32_t> picked;
    const TTimeset& State() const { return state_; }

    void AddPicked();
    void RemoveHighlighted();
    void RemoveAll();
    void AutoAdd();
    void AutoRemove();

private:
    void TogglePicked(const QDate& d);
    void Reload();
    int32_t WeekdayOfBox() const;
    void Confirm();

    Tpertgra& net_;
    TTimeset state_;
};
