#pragma once
#include <QDialog>
#include <functional>

#include "drawing/Scaleset.h"

class QDateEdit;
class QTreeWidget;
class Tpertgra;

// "标尺比例设置": stretched and squeezed spans of the time scale and the
// partial display range.
class Tfmscalebiliset : public QDialog {
    Q_OBJECT
public:
    // redraw lays the document out and draws it again after 伸长 and 压缩.
    Tfmscalebiliset(Tpertgra& net, std::function<void()> redraw, QWidget* parent = nullptr);

    QTreeWidget* list = nullptr;
    QDateEdit* spanStart = nullptr;
    QDateEdit* spanEnd = nullptr;
    QDateEdit* rangeStart = nullptr;
    QDateEdit* rangeEnd = nullptr;

    const TScaleset& State() const { return state_; }

protected:
    void reject() override;

private:
    int32_t Selected() const;
    void Reload();
    void Confirm();

    Tpertgra& net_;
    std::function<void()> redraw_;
    TScaleset state_;
};
