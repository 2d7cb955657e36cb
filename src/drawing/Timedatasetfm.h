#pragma once
#include <QDialog>
#include <array>

#include "drawing/Timedataset.h"

class QCheckBox;
class Tpertgra;

// "时间参数设置": which time parameters the works show.
class TTimedatasetFm : public QDialog {
    Q_OBJECT
public:
    TTimedatasetFm(Tpertgra& net, QWidget* parent = nullptr);

    QCheckBox* showBox = nullptr;
    std::array<QCheckBox*, 6> itemBoxes{};
    QCheckBox* nonCriticalBox = nullptr;
    QCheckBox* connectBox = nullptr;

private:
    void Enable();
    void Confirm();

    Tpertgra& net_;
    TTimedataset state_;
};
