#include "resources/Resourcepage.h"

#include <algorithm>

#include "drawing/Displaysettings.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "resources/Resourcecatalogue.h"

namespace {

bool ByNumber(const Tresourcepage::TRow& a, const Tresourcepage::TRow& b)
{
    return a.number < b.number;
}

const Tresourcepage::TRow* Find(const std::vector<Tresourcepage::TRow>& rows,
                                const std::string& number)
{
    for (const auto& r : rows)
        if (r.number == number) return &r;
    return nullptr;
}

}  // namespace

namespace {

bool Valid(int i, size_t n)
{
    return i >= 0 && size_t(i) < n;
}

}  // namespace

// Draw mode of the first entry of the number, custom entries first.
static int32_t ModeOf(const Tpertgra& net, const std::string& number)
{
    if (const Trecsource* e = FindInDays(net.customResourceDays, number)) return e->drawMode;
    for (const auto& v : net.nodes)
        for (const Tedge* w = v->firstWork; w; w = w->nextWork)
            for (const Trecsource& r : w->data->resources)
                if (r.number == number) return r.drawMode;
    return 0;
}

void Tresourcepage::Load(const Tpertgra& net)
{
    custom.clear();
    work.clear();
    shown.clear();
    deleted.clear();
    for (const auto& day : net.customResourceDays)
        for (const Trecsource* e = day.get(); e; e = e->next.get())
            if (!Find(custom, e->number))
                custom.push_back({e->number, e->name, Trecsource::DrawModeText(e->drawMode), e->unit});
    for (const Trecsource& r : WorkResourceCatalogue(net))
        work.push_back({r.number, r.name, Trecsource::DrawModeText(r.drawMode), r.unit});
    // The catalogue's copies carry no draw mode: the entries themselves do.
    for (TRow& r : work) r.mode = Trecsource::DrawModeText(ModeOf(net, r.number));
    std::stable_sort(custom.begin(), custom.end(), ByNumber);
    std::stable_sort(work.begin(), work.end(), ByNumber);
    for (const std::string& n : net.shownResources) {
        const TRow* r = Find(custom, n);
        if (!r) r = Find(work, n);
        shown.push_back(r ? *r : TRow{n, "", "", ""});
    }
    screenFill = net.resourceScreenBrush.color;
    printFill = net.resourcePrintBrush.color;
    fillStyle = net.resourceScreenBrush.style;
    height = net.displaySettings.resourceHeight;
    divisions = net.displaySettings.resourceScaleCount;
    inNetwork = net.resourceDiagramInNetwork;
}

bool Tresourcepage::Add(int customSelected, int workSelected)
{
    const TRow* pick = nullptr;
    if (Valid(customSelected, custom.size())) pick = &custom[size_t(customSelected)];
    else if (Valid(workSelected, work.size())) pick = &work[size_t(workSelected)];
    if (!pick) {
        ShowWarning("请选择要画的资源！");
        return false;
    }
    if (Find(shown, pick->number)) {
        ShowWarning("该资源已加入！");
        return false;
    }
    shown.push_back(*pick);
    return true;
}

void Tresourcepage::Remove(int shownSelected)
{
    if (Valid(shownSelected, shown.size())) shown.erase(shown.begin() + shownSelected);
}

bool Tresourcepage::Purge(int customSelected)
{
    if (!Valid(customSelected, custom.size())) {
        ShowWarning("请先选择要删除的资源！");
        return false;
    }
    if (AskYesNo("真的要删除吗?", "警告") != TMsgAnswer::Yes) return false;
    const std::string number = custom[size_t(customSelected)].number;
    deleted.push_back(number);
    std::erase_if(shown, [&](const TRow& r) { return r.number == number; });
    custom.erase(custom.begin() + customSelected);
    return true;
}

void Tresourcepage::SetMode(int shownSelected, const std::string& mode)
{
    if (!Valid(shownSelected, shown.size())) return;
    if (std::find(std::begin(kModes), std::end(kModes), mode) == std::end(kModes)) return;
    shown[size_t(shownSelected)].mode = mode;
}

bool Tresourcepage::Apply(Tpertgra& net) const
{
    Tresourcepage before;
    before.Load(net);
    net.shownResources.clear();
    for (const TRow& r : shown) net.shownResources.push_back(r.number);
    for (const TRow& r : shown)
        for (Trecsource* e : EntriesForNumber(net, r.number)) e->SetDrawModeText(r.mode);
    for (const std::string& n : deleted) DeleteCustomResource(net, n);
    net.resourceScreenBrush.color = screenFill;
    net.resourcePrintBrush.color = printFill;
    net.resourceScreenBrush.style = fillStyle;
    // Stored as given; the drawing bounds nonsense values.
    net.displaySettings.resourceHeight = height;
    net.displaySettings.resourceScaleCount = divisions;
    net.resourceDiagramInNetwork = inNetwork;
    Tresourcepage after;
    after.Load(net);
    const bool changed = !(after == before);
    if (changed) net.modified = true;
    return changed;
}
