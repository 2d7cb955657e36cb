#pragma once
#include <QDate>
#include <QFont>
#include <QPushButton>
#include <QString>
#include <cstdint>
#include <string>

#include "model/Vqfont.h"

class QLineEdit;

// Small pieces shared by the settings dialogs.

// The date of a stored time value, and 00:00 of a date as a stored value
// (clamped to the range the stored form can hold).
QDate DateOfStamp(int32_t stamp);
int32_t StampOfDate(const QDate& date);

// A stored colour (0x00BBGGRR) from a QColor.
int32_t StoredColor(const QColor& c);

// A stored font as a QFont, and a QFont back over the stored font before
// (its size kept when the QFont has no point size).
QFont QFontOf(const TVqFont& f);
TVqFont VqFontOf(const QFont& q, const TVqFont& before);

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}
inline std::string S(const QString& s)
{
    return s.toStdString();
}

// A button that shows a colour and lets the user pick another.
class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);
    int32_t Color() const { return color_; }
    void SetColor(int32_t color);

signals:
    void ColorChanged(int32_t color);

private:
    void Pick();
    int32_t color_ = 0;
};

// A button that shows a font ("宋体 10") and opens the font dialog.
class TFontButton : public QPushButton {
    Q_OBJECT
public:
    explicit TFontButton(QWidget* parent = nullptr);
    const TVqFont& Font() const { return font_; }
    void SetFont(const TVqFont& f);

private:
    void Pick();
    TVqFont font_;
};

// A line edit for whole numbers: an edit that leaves a non-empty text that
// is not a whole number shows "请输入一个整数" and is undone.
class TIntegerEdit : public QObject {
    Q_OBJECT
public:
    explicit TIntegerEdit(QLineEdit* edit);
    static QLineEdit* Make(int32_t value, QWidget* parent = nullptr);
    static int32_t Value(const QLineEdit* edit);

private:
    QLineEdit* edit_;
    QString last_;
};
