#pragma once
#include <QDialog>

#include "drawing/Vanguardlineset.h"

class QCheckBox;
class QDateEdit;
class Tpertgra;

// "前锋线设置": the check date of the progress line and whether it is drawn.
class Tvanguardlinesetfm : public QDialog {
    Q_OBJECT
public:
    Tvanguardlinesetfm(Tpertgra& net, QWidget* parent = nullptr);

    QDateEdit* checkDate = nullptr;
    QCheckBox* showBox = nullptr;

private:
    void Confirm();

    Tpertgra& net_;
    TVanguardlineset state_;
};
