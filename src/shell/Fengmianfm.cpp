#include "shell/Fengmianfm.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

#include "shell/Pertmainfm1.h"

namespace {

constexpr int kWidth = 519;
constexpr int kHeight = 347;
constexpr int kTopHeight = 165;

// The upper picture: a small time-scaled network on a night-blue ground.
void DrawNetworkPicture(QPainter& p, const QRect& r)
{
    p.fillRect(r, QColor(12, 24, 56));
    p.setPen(QPen(QColor(40, 70, 120), 1));
    for (int x = r.left() + 20; x < r.right(); x += 24) p.drawLine(x, r.top() + 10, x, r.bottom() - 10);
    const QPoint n[] = {{40, 100}, {150, 100}, {150, 50}, {290, 50}, {290, 100}, {420, 100}, {480, 100}};
    auto arrow = [&](QPoint a, QPoint b, QColor c, int w) {
        p.setPen(QPen(c, w));
        p.drawLine(a, b);
    };
    arrow(n[0], n[1], QColor(255, 40, 40), 3);
    arrow(n[1], {150, 100}, QColor(255, 40, 40), 3);
    arrow({150, 100}, n[4], QColor(255, 40, 40), 3);
    arrow(n[1], n[2], QColor(230, 230, 230), 1);
    arrow(n[2], n[3], QColor(230, 230, 230), 1);
    arrow(n[3], n[4], QColor(230, 230, 230), 1);
    arrow(n[4], n[5], QColor(255, 40, 40), 3);
    p.setPen(QPen(QColor(60, 220, 60), 1));
    QPainterPath wave;
    wave.moveTo(200, 140);
    for (int x = 200; x < 300; x += 12) {
        wave.lineTo(x + 3, 136);
        wave.lineTo(x + 9, 144);
        wave.lineTo(x + 12, 140);
    }
    p.drawPath(wave);
    p.setBrush(QColor(0, 0, 0));
    for (const QPoint& c : {n[0], n[1], n[2], n[3], n[4], n[5]}) {
        p.setPen(QPen(QColor(255, 40, 40), 1));
        p.drawEllipse(c, 9, 9);
    }
}

}  // namespace

Tfengmianfm::Tfengmianfm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(kWidth, kHeight);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void Tfengmianfm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    DrawNetworkPicture(p, QRect(0, 0, kWidth, kTopHeight));
    QLinearGradient g(0, kTopHeight, 0, kHeight);
    g.setColorAt(0, QColor(245, 240, 225));
    g.setColorAt(1, QColor(215, 205, 180));
    p.fillRect(QRect(0, kTopHeight, kWidth, kHeight - kTopHeight), g);
    QFont f(QStringLiteral("隶书"));
    f.setPixelSize(27);
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(QColor(220, 0, 0));
    p.drawText(QRect(0, kTopHeight, kWidth, kHeight - kTopHeight), Qt::AlignCenter,
               QString::fromUtf8(kApplicationTitle));
}

void Tfengmianfm::mousePressEvent(QMouseEvent*)
{
    close();
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 64.0, side / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(12, 24, 56));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
        p.setPen(QPen(QColor(60, 90, 140), 1));
        for (const int x : {14, 26, 38, 50}) p.drawLine(x, 8, x, 56);
        p.setPen(QPen(Qt::white, 2));
        const QPointF upper[] = {{12, 40}, {30, 40}, {30, 22}, {52, 22}, {52, 40}};
        p.drawPolyline(upper, 5);
        p.setPen(QPen(QColor(255, 48, 48), 4));
        p.drawLine(12, 40, 52, 40);
        p.setBrush(QColor(12, 24, 56));
        p.setPen(QPen(QColor(255, 48, 48), 2));
        for (const QPointF c : {QPointF(12, 40), QPointF(30, 40), QPointF(52, 40)}) p.drawEllipse(c, 4, 4);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
