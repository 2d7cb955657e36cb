#pragma once
#include <QWidget>

// The cover window shown while the program starts: borderless, centred,
// two pictures and the application title.
class Tfengmianfm : public QWidget {
    Q_OBJECT
public:
    explicit Tfengmianfm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};
