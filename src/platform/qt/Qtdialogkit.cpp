#include "platform/qt/Qtdialogkit.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <limits>

#include "model/Numbertext.h"
#include "platform/Messagebox.h"
#include "platform/qt/Qtcanvas.h"
#include "schedule/Vqtime.h"

QDate DateOfStamp(int32_t stamp)
{
    const TCivilTime t = CivilOfStamp(stamp);
    return QDate(t.year, t.month, t.day);
}

int32_t StampOfDate(const QDate& date)
{
    const int64_t s = SecondsOfCivil({date.year(), date.month(), date.day(), 0, 0, 0});
    if (s < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (s > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(s);
}

int32_t StoredColor(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent)
{
    setFixedSize(44, 22);
    connect(this, &QPushButton::clicked, this, &TColorButton::Pick);
    SetColor(0);
}

void TColorButton::SetColor(int32_t color)
{
    color_ = color;
    QPixmap swatch(28, 12);
    swatch.fill(QColorOf(color));
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}

void TColorButton::Pick()
{
    const QColor c = QColorDialog::getColor(QColorOf(color_), this);
    if (!c.isValid()) return;
    SetColor(StoredColor(c));
    emit ColorChanged(color_);
}

QFont QFontOf(const TVqFont& f)
{
    QFont q(Q(f.name));
    if (f.size > 0) q.setPointSize(f.size);
    q.setBold(f.style & TVqFont::Bold);
    q.setItalic(f.style & TVqFont::Italic);
    q.setUnderline(f.style & TVqFont::Underline);
    q.setStrikeOut(f.style & TVqFont::StrikeOut);
    return q;
}

TVqFont VqFontOf(const QFont& q, const TVqFont& before)
{
    TVqFont f = before;
    f.name = S(q.family());
    if (q.pointSize() > 0) f.size = q.pointSize();
    f.style = (q.bold() ? TVqFont::Bold : 0) | (q.italic() ? TVqFont::Italic : 0) |
              (q.underline() ? TVqFont::Underline : 0) | (q.strikeOut() ? TVqFont::StrikeOut : 0);
    return f;
}

TFontButton::TFontButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &TFontButton::Pick);
}

void TFontButton::SetFont(const TVqFont& f)
{
    font_ = f;
    setText(QStringLiteral("%1 %2").arg(Q(f.name)).arg(f.size));
}

void TFontButton::Pick()
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, QFontOf(font_), this);
    if (!ok) return;
    SetFont(VqFontOf(f, font_));
}

TIntegerEdit::TIntegerEdit(QLineEdit* edit) : QObject(edit), edit_(edit), last_(edit->text())
{
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (t.isEmpty() || t == QLatin1String("-") || IsIntegerText(S(t))) {
            last_ = t;
            return;
        }
        ShowPlain("请输入一个整数");
        edit_->setText(last_);
    });
}

QLineEdit* TIntegerEdit::Make(int32_t value, QWidget* parent)
{
    auto* e = new QLineEdit(QString::number(value), parent);
    e->setMaximumWidth(70);
    new TIntegerEdit(e);
    return e;
}

int32_t TIntegerEdit::Value(const QLineEdit* edit)
{
    bool ok = false;
    const int v = edit->text().toInt(&ok);
    return ok ? v : 0;
}
