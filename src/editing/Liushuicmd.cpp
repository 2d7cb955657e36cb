#include "editing/Liushuicmd.h"

#include "editing/Liushui.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"

int32_t Cliushui::MouseUp(Tpertgra& net, int32_t flags, TPosition2D p, TPertDrawMode& mode)
{
    // Only the end of a click or band asks: a Shift release, a Ctrl gesture
    // waiting for its target or the release after a double click leave the
    // selection as it was and must not open the dialog again.
    const bool plain = EndsPlainGesture(flags);
    if (TSelectCmd::MouseUp(net, flags, p, mode) == 1) return 1;
    if (!plain) return 0;
    lastPoint = p;
    const std::vector<Tedge*> chain = OrderByStart(net.selection);
    if (chain.size() <= 1) return 0;
    if (!IsFlowLineChain(*net.BuildFromWorks(chain))) {
        ShowWarning("不能生成流水！");
        return 0;
    }
    TLiushuiset state(&net);
    return LiushuiDialog().Show(state) ? 1 : 0;
}
