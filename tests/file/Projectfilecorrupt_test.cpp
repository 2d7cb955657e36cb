#include "file/Projectfile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Tpertgrid.h"
#include "file/Networkrecords.h"
#include "file/Projectfixtures.h"
#include "file/Prtstream.h"
#include "gantt/Gantt.h"
#include "schedule/Perttime_out.h"

namespace fs = std::filesystem;

namespace {

// A three-node chain A→B→C and where its network section begins.
struct TSmallFile {
    std::vector<uint8_t> bytes;
    size_t network = 0;  // offset of the network section's leading int32

    // Offsets inside the network section of the first node and its first work.
    size_t Count() const { return network + 4; }
    size_t FirstNode() const { return network + 8 + 3 * 4; }
    size_t FirstWork() const { return FirstNode() + 50; }
};

// compact: the settings block is left out (its flag 0), which keeps the
// committed files small; the network section is our writer's.
TSmallFile SmallFile(bool compact = false)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    b.Place();
    b.net->Recalculate();
    TPrtWriter section;
    WriteNetworkSection(section, *b.net, true);
    TSmallFile f;
    if (compact) {
        TPrtWriter w;
        w.WriteString("1.55");
        w.WriteInt32(3);
        w.WriteInt32(0);
        w.WriteRaw(section.bytes().data(), section.size());
        w.WriteInt32(int32_t(w.size() + 4));
        f.bytes = w.bytes();
    } else {
        f.bytes = WriteProjectBytes(*b.net);
    }
    f.network = f.bytes.size() - 4 - section.size();
    return f;
}

struct TDamage {
    const char* name;
    std::function<void(TSmallFile&)> apply;
};

const std::vector<TDamage>& Damages()
{
    static const std::vector<TDamage> list = {
        {"empty", [](TSmallFile& f) { f.bytes.clear(); }},
        {"three_bytes", [](TSmallFile& f) { f.bytes.resize(3); }},
        {"cut_by_one_byte", [](TSmallFile& f) { f.bytes.pop_back(); }},
        {"one_byte_shorter_than_trailer",
         [](TSmallFile& f) { f.bytes.erase(f.bytes.begin() + std::ptrdiff_t(f.network)); }},
        {"wrong_trailer",
         [](TSmallFile& f) { PutInt32At(f.bytes, f.bytes.size() - 4, int32_t(f.bytes.size() + 1)); }},
        {"body_cut_short",
         [](TSmallFile& f) {
             f.bytes.resize(f.FirstWork() + 20);
             f.bytes.resize(f.bytes.size() + 4);
             FixTrailer(f.bytes);
         }},
        {"huge_string_length", [](TSmallFile& f) { PutInt32At(f.bytes, 0, 0x7FFFFFF0); }},
        {"negative_string_length", [](TSmallFile& f) { PutInt32At(f.bytes, 0, -4); }},
        {"huge_node_count", [](TSmallFile& f) { PutInt32At(f.bytes, f.Count(), 0x7FFFFFFF); }},
        {"negative_node_count", [](TSmallFile& f) { PutInt32At(f.bytes, f.Count(), -3); }},
        {"zero_node_count_over_a_plan", [](TSmallFile& f) { PutInt32At(f.bytes, f.Count(), 0); }},
        {"dangling_node_id", [](TSmallFile& f) { PutInt32At(f.bytes, f.FirstWork() + 8, 999); }},
        {"counts_disagree", [](TSmallFile& f) { PutInt32At(f.bytes, f.FirstNode() + 32, 5); }},
        {"node_time_not_a_number",
         [](TSmallFile& f) {
             PutInt32At(f.bytes, f.FirstNode() + 16,
                        std::bit_cast<int32_t>(std::numeric_limits<float>::quiet_NaN()));
         }},
        {"node_time_absurd",
         [](TSmallFile& f) { PutInt32At(f.bytes, f.FirstNode() + 16, std::bit_cast<int32_t>(1e7f)); }},
        {"unknown_layout", [](TSmallFile& f) { PutInt32At(f.bytes, 8, 1); }},
        {"network_section_missing", [](TSmallFile& f) { PutInt32At(f.bytes, f.network, 0); }},
    };
    return list;
}

void ExpectCorrupt(const std::vector<uint8_t>& bytes, const std::string& what)
{
    TFakeMessages msgs;
    Tpertgra net;
    TProjectFormat f;
    EXPECT_EQ(ReadInto(net, bytes, "/tmp/broken.prt", &f), 0) << what;
    ASSERT_EQ(msgs.shown.size(), 1u) << what;
    EXPECT_EQ(msgs.shown[0].text, "文件格式不对或已被破坏！") << what;
    EXPECT_EQ(msgs.shown[0].caption, "") << what;
    EXPECT_FALSE(f.problem.empty()) << what;
    EXPECT_TRUE(net.nodes.empty()) << what;
}

TEST(ProjectFileCorrupt, EveryDamageGivesTheCorruptionMessage)
{
    for (bool compact : {false, true})
        for (const TDamage& d : Damages()) {
            TSmallFile f = SmallFile(compact);
            d.apply(f);
            ExpectCorrupt(f.bytes, d.name);
        }
}

TEST(ProjectFileCorrupt, TheUndamagedFilesLoad)
{
    for (bool compact : {false, true}) {
        TFakeMessages msgs;
        Tpertgra net;
        EXPECT_EQ(ReadInto(net, SmallFile(compact).bytes), 1);
        EXPECT_TRUE(msgs.shown.empty());
        EXPECT_EQ(net.nodes.size(), 3u);
    }
}

TEST(ProjectFileCorrupt, CommittedCorpusGivesTheCorruptionMessage)
{
    const fs::path dir = fs::path(ARROWPLAN_TEST_DATA) / "corrupt";
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().extension() != ".prt") continue;
        ++files;
        ExpectCorrupt(FileBytes(e.path()), e.path().filename().string());
        // and through the file reader as well
        TFakeMessages msgs;
        Tpertgra net;
        EXPECT_EQ(LoadProject(net, e.path().string()), 0);
        EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"文件格式不对或已被破坏！"});
    }
    EXPECT_EQ(files, Damages().size());
}

TEST(ProjectFileCorrupt, EveryPrefixOfAFileFailsCleanly)
{
    // Whatever a cut leaves, the trailer check or a record reader stops it;
    // cut files with a repaired trailer walk every reader to its end.
    auto plan = RichPlan();
    const std::vector<uint8_t> whole = WriteProjectBytes(*plan);
    TFakeMessages msgs;
    for (size_t n = 0; n + 4 < whole.size(); n += 13) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        cut.resize(n + 4);
        FixTrailer(cut);
        Tpertgra net;
        const int result = ReadInto(net, cut);
        if (result == 0) {
            EXPECT_TRUE(net.nodes.empty());
        }
    }
    SUCCEED();
}

TEST(ProjectFileCorrupt, OverflowingRestDayFailsTheLoad)
{
    // A layout-2 body is the only place a rest day list meets the end of the
    // stored time range; its reader is checked on its own here.
    TPrtWriter w;
    w.WriteInt32(2);
    w.WriteInt32(0);
    w.WriteInt32(std::numeric_limits<int32_t>::max() - 100);
    TPrtReader r(w.bytes().data(), w.size());
    TPertTime_out rest;
    EXPECT_THROW(ReadRestDayList(r, rest), TPrtFormatError);
    TPrtWriter one;
    one.WriteInt32(1);
    one.WriteInt32(1709222400);
    TPrtReader r1(one.bytes().data(), one.size());
    ReadRestDayList(r1, rest);
    ASSERT_EQ(rest.Count(), 1);
    EXPECT_EQ(rest[0].start, 1709222400);
    EXPECT_EQ(rest[0].end, 1709222400 + 86400);
}

TEST(ProjectFileCorrupt, ZeroDivisorsGoBackToTheirDefaults)
{
    auto net = RichPlan();
    net->liveGantt.rowHeight = 0;
    net->ganttPrintPreset.rowsPerPage = -5;
    net->timeScale.dayWidth = 0;
    net->ganttScreenPreset.scaleIntervals.dayWidth = std::nan("");
    net->displaySettings.rowHeight = -1;
    net->grid->dayStep = 0;
    TFakeMessages msgs;
    Tpertgra back;
    ASSERT_EQ(ReadInto(back, WriteProjectBytes(*net)), 1);
    EXPECT_EQ(back.liveGantt.rowHeight, 25);
    EXPECT_EQ(back.ganttPrintPreset.rowsPerPage, 60);
    EXPECT_EQ(back.timeScale.dayWidth, 10.0);
    EXPECT_EQ(back.ganttScreenPreset.scaleIntervals.dayWidth, 10.0);
    EXPECT_EQ(back.displaySettings.rowHeight, 50);
    EXPECT_EQ(back.grid->dayStep, 1.0f);
}

// Writes the damaged files of the committed corpus (tests/data/corrupt). Run
// by hand after a change of the damages:
//   arrowplan_file_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*DISABLED_WriteCorruptCorpus'
TEST(ProjectFileCorrupt, DISABLED_WriteCorruptCorpus)
{
    const fs::path dir = fs::path(ARROWPLAN_TEST_DATA) / "corrupt";
    fs::create_directories(dir);
    for (const TDamage& d : Damages()) {
        TSmallFile f = SmallFile(true);
        d.apply(f);
        WriteFileBytes(dir / (std::string(d.name) + ".prt"), f.bytes);
    }
}

}  // namespace
