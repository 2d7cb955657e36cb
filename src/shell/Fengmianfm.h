#pragma once
#include <QIcon>
#include <QWidget>

// The cover window shown while the program starts: borderless, centred,
// two pictures and the application title.
class Tfengmianfm : public QWidget {
    Q_OBJECT
public:
    explicit Tfengmianfm(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    // A click puts the cover away at once.
    void mousePressEvent(QMouseEvent* e) override;
};

// The program's icon (the picture of the file-type registration): a small
// time-scaled network with its critical line, drawn at the usual sizes.
QIcon ProgramIcon();
