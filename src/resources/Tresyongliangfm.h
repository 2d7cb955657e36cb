#pragma once
#include <QDialog>

#include "resources/Resourceusage.h"

class QDateEdit;
class QLineEdit;
class QTableWidget;
class Tpertgra;

// "资源用量": a thin window over Tresourceusage; it changes nothing.
class Tresyongliangfm : public QDialog {
public:
    Tresyongliangfm(const Tpertgra& net, QWidget* parent = nullptr);

private:
    int Selected() const;
    void Show();

    const Tpertgra& net_;
    Tresourceusage state_;
    QTableWidget* list_ = nullptr;
    QDateEdit* start_ = nullptr;
    QDateEdit* end_ = nullptr;
    QLineEdit* total_ = nullptr;
    QLineEdit* period_ = nullptr;
    QLineEdit* ratio_ = nullptr;
};
