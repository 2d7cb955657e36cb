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
    QFont start(Q(font_.name));
    start.setPointSize(font_.size);
    start.setBold(font_.style & TVqFont::Bold);
    start.setItalic(font_.style & TVqFont::Italic);
    start.setUnderline(font_.style & TVqFont::Underline);
    start.setStrikeOut(font_.style & TVqFont::StrikeOut);
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, this);
    if (!ok) return;
    TVqFont v = font_;
    v.name = S(f.family());
    v.size = f.pointSize() > 0 ? f.pointSize() : font_.size;
    v.style = (f.bold() ? TVqFont::Bold : 0) | (f.italic() ? TVqFont::Italic : 0) |
              (f.underline() ? TVqFont::Underline : 0) | (f.strikeOut() ? TVqFont::StrikeOut : 0);
    SetFont(v);
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
