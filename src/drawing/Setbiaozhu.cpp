#include "drawing/Setbiaozhu.h"

#include <cmath>

#include "drawing/Biaozhu.h"
#include "model/Numbertext.h"
#include "platform/Messagebox.h"

namespace {

class CancellingBiaozhuDialog : public IBiaozhuDialog {
public:
    bool Show(TSetBiaoZhu&) override { return false; }
};

CancellingBiaozhuDialog cancelling;
IBiaozhuDialog* bound = nullptr;

// The whole number before the first ".", saturated at the widest frame.
int32_t WholeWidth(const std::string& text)
{
    int32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
        if (v > kWidestFrame) return kWidestFrame;
    }
    return v;
}

bool SameFont(const TVqFont& a, const TVqFont& b)
{
    return a.name == b.name && a.size == b.size && a.style == b.style && a.charset == b.charset;
}

}  // namespace

TSetBiaoZhu::TSetBiaoZhu(const TBiaoZhu& a)
    : memo(a.text), memoFont(a.font), textScreenColor(a.textScreenColor),
      textPrintColor(a.textPrintColor), frameScreenColor(a.frameScreenColor),
      framePrintColor(a.framePrintColor), hasFrame(a.hasFrame)
{
    memoFont.color = 0;
    frameWidthText = NumberToText(a.boxLineWidth, 4, 2);
    if (IsNumericText(frameWidthText)) lastWidthText_ = frameWidthText;
}

void TSetBiaoZhu::ChooseFont(const TVqFont& f)
{
    memoFont = f;
    memoFont.color = 0;
}

const std::string& TSetBiaoZhu::FrameWidthEdited(const std::string& text)
{
    if (!text.empty() && IsNumericText(text)) {
        frameWidthText = lastWidthText_ = text;
        return frameWidthText;
    }
    Messages().Show(kNotANumber, "提示", TMsgIcon::Warning, TMsgButtons::Ok);
    frameWidthText = lastWidthText_.empty() ? "1" : lastWidthText_;
    lastWidthText_ = frameWidthText;
    return frameWidthText;
}

bool TSetBiaoZhu::Confirm(TBiaoZhu& a) const
{
    const TBiaoZhu before = a;
    a.text = memo;
    a.font = memoFont;
    a.textScreenColor = textScreenColor;
    a.textPrintColor = textPrintColor;
    a.frameScreenColor = frameScreenColor;
    a.framePrintColor = framePrintColor;
    a.boxLineWidth = IsNumericText(frameWidthText) ? WholeWidth(frameWidthText) : before.boxLineWidth;
    a.hasFrame = hasFrame;
    // The drawing replaces the font's colour; only its look counts.
    return !(a == before) || !SameFont(a.font, before.font);
}

IBiaozhuDialog& BiaozhuDialog()
{
    return bound ? *bound : cancelling;
}

void SetBiaozhuDialog(IBiaozhuDialog* dialog)
{
    bound = dialog;
}

bool EditAnnotation(TBiaoZhu& a, bool* changed)
{
    if (changed) *changed = false;
    TSetBiaoZhu state(a);
    if (!BiaozhuDialog().Show(state)) return false;
    const bool c = state.Confirm(a);
    if (changed) *changed = c;
    return true;
}
