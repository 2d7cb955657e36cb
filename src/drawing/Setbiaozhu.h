#pragma once
#include <cstdint>
#include <string>

#include "model/Vqfont.h"

class TBiaoZhu;

// The working state of the dialog "标注属性" for one annotation. The dialog
// window binds its controls to the fields of the same names; font and
// colours come from the platform's dialogs through ChooseFont and the
// colour fields.
class TSetBiaoZhu {
public:
    static constexpr const char* kCaption = "标注属性";
    static constexpr const char* kNotANumber = "请输入一个数字！";

    std::string memo;               // 标注内容：
    TVqFont memoFont;               // shown in black
    int32_t textScreenColor = 0;    // 显示色 / 打印色 of the text
    int32_t textPrintColor = 0;
    std::string frameWidthText;     // 边框线宽度：
    int32_t frameScreenColor = 0;   // 显示色 / 打印色 of the frame
    int32_t framePrintColor = 0;
    bool hasFrame = true;           // 是否显示边框

    explicit TSetBiaoZhu(const TBiaoZhu& a);

    // The font dialog's choice becomes the memo's font, in black.
    void ChooseFont(const TVqFont& f);
    // Every change of the frame-width text: a text that is empty or holds
    // anything but digits and "." shows "请输入一个数字！" and the change is
    // undone (to "1" when there is nothing to go back to). Returns the text
    // the box shows afterwards.
    const std::string& FrameWidthEdited(const std::string& text);
    // 确定: stores text, font, colours, the frame width as a whole number
    // (a decimal part is cut off) and the frame switch. True when that
    // changed the annotation (its font style included).
    bool Confirm(TBiaoZhu& a) const;

private:
    std::string lastWidthText_;
};

// Shows "标注属性" for the annotation commands and the popup menu: the
// desktop program binds the real dialog, tests their own. Show is modal and
// answers true for 确定, false for 取消.
class IBiaozhuDialog {
public:
    virtual ~IBiaozhuDialog() = default;
    virtual bool Show(TSetBiaoZhu& state) = 0;
};

IBiaozhuDialog& BiaozhuDialog();
// Binds the dialog (not owned); null restores the one that cancels at once.
void SetBiaozhuDialog(IBiaozhuDialog* dialog);

// Shows the dialog for the annotation; on 确定 its values are stored.
// True when confirmed; *changed (when given) tells whether the annotation
// now differs from before.
bool EditAnnotation(TBiaoZhu& a, bool* changed = nullptr);
