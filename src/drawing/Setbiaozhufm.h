#pragma once
#include <QDialog>
#include <memory>

#include "drawing/Setbiaozhu.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "标注属性": the annotation's text in its font, the text and frame colours
// for the screen and the printer, the frame's width and whether it is
// drawn. The caller stores the state on 确定.
class TfmSetBiaoZhu : public QDialog {
    Q_OBJECT
public:
    explicit TfmSetBiaoZhu(TSetBiaoZhu& state, QWidget* parent = nullptr);

    QPlainTextEdit* memo = nullptr;
    QPushButton* fontbut = nullptr;
    QPushButton* textscreenbut = nullptr;
    QPushButton* textprintbut = nullptr;
    QLineEdit* linewidthedit = nullptr;
    QPushButton* framescreenbut = nullptr;
    QPushButton* frameprintbut = nullptr;
    QCheckBox* framechk = nullptr;
    QPushButton* okbut = nullptr;
    QPushButton* cancelbut = nullptr;

private:
    void ShowMemoFont();
    void ShowColors();
    void PickColor(int32_t& color);
    TSetBiaoZhu& state_;
};

std::unique_ptr<IBiaozhuDialog> MakeBiaozhuDialog(QWidget* parent);
