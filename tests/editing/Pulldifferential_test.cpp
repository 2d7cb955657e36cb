// The relayout's pull step against the one it replaced: on every plan whose
// schedule was already consistent, the recalculation and relayout give the
// same node times, planned starts and time parameters, and the same saved
// bytes. The former step is kept here as it was: the time pass with the
// latest times starting from the last node of the time order, and a pull
// that only placed works later than their latest start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "editing/Relayout.h"
#include "editing/Workinsert.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "model/Sortbytime.h"
#include "support/Fakemessages.h"
#include "support/Plangen.h"
#include "support/Scheduleinvariant.h"

namespace {

void FormerPass(const std::vector<Tvertex*>& list)
{
    const size_t n = list.size();
    if (n == 0) return;
    for (Tvertex* v : list) v->earliest = v->inCount == 0 ? v->time : 0.0f;
    for (Tvertex* v : list)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            const float reach = v->earliest + w->data->duration;
            if (w->toNode->earliest <= reach) w->toNode->earliest = reach;
        }
    const float last = list.back()->earliest;
    for (Tvertex* v : list) v->latest = last;
    for (size_t i = n >= 3 ? n - 2 : 0; n >= 3 && i >= 1; --i)
        for (Tedge* w = list[i]->firstWork; w; w = w->nextWork)
            list[i]->latest = std::min(list[i]->latest, w->toNode->latest - w->data->duration);
    for (Tvertex* v : list) v->critical = false;
    for (Tvertex* v : list)
        for (Tedge* w = v->firstWork; w; w = w->nextWork) {
            Tworkdata& d = *w->data;
            d.es = v->earliest;
            d.ls = w->toNode->latest - d.duration;
            const float esp = d.es < 0.0001f ? 0.0f : d.es;
            const float lsp = d.ls < 0.0001f ? 0.0f : d.ls;
            d.critical = lsp == esp || double(lsp - esp) < 0.0001;
            if (d.critical) v->critical = w->toNode->critical = true;
            if (d.start > lsp) d.start = lsp;
            if (d.start < esp) d.start = esp;
        }
}

// The time parameters with the former pass, parts of several start nodes
// computed on their own as before.
void FormerComputeTimes(Tpertgra& net)
{
    if (net.nodes.empty()) return;
    std::vector<Tvertex*> starts;
    for (Tvertex* v : net.order)
        if (v->inCount == 0) starts.push_back(v);
    std::vector<Tvertex*> list = net.TimeOrder();
    for (size_t i = 0; i < list.size(); ++i) list[i]->number = int32_t(i + 1);
    FormerPass(list);
    if (starts.size() <= 1) return;
    for (Tvertex* start : starts) {
        std::vector<Tvertex*> reach;
        std::unordered_map<const Tvertex*, int> seen;
        std::vector<Tvertex*> stack{start};
        seen[start] = 1;
        while (!stack.empty()) {
            Tvertex* v = stack.back();
            stack.pop_back();
            reach.push_back(v);
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (!seen[w->toNode]) {
                    seen[w->toNode] = 1;
                    stack.push_back(w->toNode);
                }
        }
        if (reach.size() < 2) continue;
        std::unordered_map<const Tvertex*, int> count;
        for (Tvertex* v : reach) count[v] = v->inCount;
        std::vector<Tvertex*> st;
        for (Tvertex* v : reach)
            if (count[v] == 0) st.push_back(v);
        std::vector<Tvertex*> topo;
        while (!st.empty()) {
            Tvertex* v = st.back();
            st.pop_back();
            topo.push_back(v);
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (count.count(w->toNode) && --count[w->toNode] == 0) st.push_back(w->toNode);
        }
        if (topo.size() != reach.size()) continue;
        SortByTime(topo);
        FormerPass(topo);
        for (size_t i = 0; i < topo.size(); ++i) topo[i]->number = int32_t(i + 1);
    }
}

// Recalculate and the relayout as they were (the rest of the relayout after
// the pull step is shared).
void FormerRelayout(Tpertgra& net)
{
    net.InvalidateStructure();
    net.RecheckAuxiliaries();
    net.Renumber();
    const std::vector<Tvertex*> list = net.TimeOrder();
    if (!list.empty()) net.SetNodeTime(list.front(), 0);
    FormerComputeTimes(net);
    FormerComputeTimes(net);   // the pull step began with the time computation
    if (!net.order.empty() || net.nodes.empty())
        for (const auto& v : net.nodes)
            for (Tedge* w = v->firstWork; w; w = w->nextWork)
                if (w->data->start > w->data->ls) net.PlaceWork(w, w->data->ls, w->data->duration);
    LayoutPulledNetwork(net);
}

void Relayout(Tpertgra& net)
{
    net.Recalculate();
    LayoutNetwork(net);
}

int consistentPlans = 0;

// The plan held in bytes, read twice and recalculated twice each way.
void ExpectSameAsFormer(const std::vector<uint8_t>& bytes, const std::string& what)
{
    SCOPED_TRACE(what);
    Tpertgra former, now;
    ASSERT_EQ(ReadProjectBytes(former, bytes.data(), bytes.size(), "a.prt"), 1);
    ASSERT_EQ(ReadProjectBytes(now, bytes.data(), bytes.size(), "a.prt"), 1);
    for (int round = 0; round < 2; ++round) {
        FormerRelayout(former);
        // Only plans that the former step left consistent are held to it.
        if (ScheduleProblems(former) != "") return;
        Relayout(now);
        ASSERT_EQ(former.nodes.size(), now.nodes.size());
        for (size_t i = 0; i < now.nodes.size(); ++i) {
            const Tvertex& x = *former.nodes[i];
            const Tvertex& y = *now.nodes[i];
            ASSERT_EQ(x.time, y.time) << "node " << i;
            ASSERT_EQ(x.earliest, y.earliest) << "node " << i;
            ASSERT_EQ(x.latest, y.latest) << "node " << i;
            ASSERT_EQ(x.number, y.number) << "node " << i;
            ASSERT_EQ(x.id, y.id) << "node " << i;
            for (const Tedge *p = x.firstWork, *q = y.firstWork; p || q; p = p->nextWork, q = q->nextWork) {
                ASSERT_TRUE(p && q) << "node " << i;
                ASSERT_EQ(p->data->start, q->data->start) << p->data->name;
                ASSERT_EQ(p->data->es, q->data->es) << p->data->name;
                ASSERT_EQ(p->data->ls, q->data->ls) << p->data->name;
                ASSERT_EQ(p->data->critical, q->data->critical) << p->data->name;
            }
        }
        ASSERT_EQ(WriteProjectBytes(former), WriteProjectBytes(now));
    }
    ++consistentPlans;
}

std::vector<std::filesystem::path> ProjectFiles(const std::filesystem::path& dir)
{
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == ".prt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> BytesOf(Tpertgra& net)
{
    return WriteProjectBytes(net);
}

TEST(PullDifferential, SamplesAndTestFilesRecalculateAsBefore)
{
    TFakeMessages quiet;
    consistentPlans = 0;
    int files = 0;
    std::vector<std::string> inconsistent;
    for (const char* dir : {ARROWPLAN_SAMPLES, ARROWPLAN_TEST_DATA})
        for (const auto& path : ProjectFiles(dir)) {
            Tpertgra net;
            if (LoadProject(net, path.string()) != 1) continue;   // the damaged files
            ++files;
            const int before = consistentPlans;
            ExpectSameAsFormer(BytesOf(net), path.filename().string());
            if (consistentPlans == before) inconsistent.push_back(path.filename().string());
        }
    EXPECT_GE(files, 6);
    // the one file saved with nodes later than its schedule needs
    EXPECT_EQ(inconsistent, std::vector<std::string>{"inconsistent.prt"});
}

TEST(PullDifferential, GeneratedPlansRecalculateAsBefore)
{
    TFakeMessages quiet;
    consistentPlans = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        TPlanShape shape;
        shape.works = 20 + int32_t(seed * 13 % 180);
        shape.seed = seed;
        shape.startNodes = 1 + int32_t(seed % 5);
        shape.parts = 1 + int32_t(seed % 3);
        shape.fractional = seed % 2 == 0;
        shape.milestoneShare = 0.04;
        auto net = GeneratePlan(shape);
        Relayout(*net);
        ExpectSameAsFormer(BytesOf(*net), "seed " + std::to_string(seed));
    }
    EXPECT_EQ(consistentPlans, 40);
}

// Plans drawn work by work with the insertion operations, each state after
// the recalculation its command ends in.
TEST(PullDifferential, PlansBuiltByInsertingWorksRecalculateAsBefore)
{
    TFakeMessages quiet;
    consistentPlans = 0;
    int states = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](size_t n) { return size_t(rng() % n); };
        Tpertgra net;
        Tworkdata d;
        d.name = "工作";
        d.duration = 4;
        AddFirstWork(net, d);
        Relayout(net);
        for (int step = 0; step < 30; ++step) {
            const std::vector<Tedge*> works = net.AllWorks();
            Tedge* w = works[pick(works.size())];
            d.name = "工作" + std::to_string(step);
            d.kind = pick(6) == 0 ? WorkKind::Dummy : WorkKind::Real;
            d.duration = d.kind == WorkKind::Dummy ? 0.0f : float(1 + pick(9)) * (seed % 2 ? 1.0f : 0.5f);
            switch (pick(4)) {
            case 0: InsertWorkAfter(net, d, w); break;
            case 1: InsertWorkBefore(net, d, w); break;
            case 2: InsertWorkAcross(net, d, w); break;
            default: AddWorkFromNode(net, d, w->toNode); break;
            }
            Relayout(net);
            ++states;
            ExpectSameAsFormer(BytesOf(net), "seed " + std::to_string(seed) + " step " + std::to_string(step));
        }
    }
    EXPECT_EQ(consistentPlans, states);
}

}  // namespace
