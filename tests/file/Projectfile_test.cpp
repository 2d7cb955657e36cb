#include "file/Projectfile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <locale>

#include "file/Networkrecords.h"
#include "file/Projectfixtures.h"
#include "file/Prtstream.h"
#include "schedule/Perttime_out.h"
#include "support/Plangen.h"

namespace fs = std::filesystem;

namespace {

// Writes, reads back and writes again: the networks agree and so do the bytes.
void ExpectRoundTrip(Tpertgra& net)
{
    TFakeMessages msgs;
    const std::vector<uint8_t> bytes = WriteProjectBytes(net);
    Tpertgra back;
    ASSERT_EQ(ReadInto(back, bytes), 1) << (msgs.shown.empty() ? "" : msgs.shown[0].text);
    EXPECT_TRUE(back.IsSameAs(net));
    EXPECT_EQ(WriteProjectBytes(back), bytes);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(ProjectFileRoundTrip, RichPlanKeepsEveryStoredMember)
{
    auto net = RichPlan();
    TFakeMessages msgs;
    const std::vector<uint8_t> bytes = WriteProjectBytes(*net);
    Tpertgra back;
    TProjectFormat f;
    ASSERT_EQ(ReadInto(back, bytes, "/elsewhere/opened.prt", &f), 1);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(f.versionText, "1.55");
    EXPECT_EQ(f.layout, 3);
    EXPECT_TRUE(f.problem.empty());
    EXPECT_TRUE(back.IsSameAs(*net));
    EXPECT_EQ(WriteProjectBytes(back), bytes);

    // Members the network equality leaves out but the file keeps.
    EXPECT_EQ(back.reservedColorA, 0x111111);
    EXPECT_EQ(back.reservedColorB, 0x222222);
    EXPECT_EQ(back.showStart, net->showStart);
    EXPECT_EQ(back.showEnd, net->showEnd);
    EXPECT_EQ(back.fileName, "/tmp/rich.prt");  // the stored name is read over the opened one
    EXPECT_TRUE(back.hasFile);
    EXPECT_FALSE(back.modified);
    for (size_t i = 0; i < net->nodes.size(); ++i) {
        EXPECT_EQ(back.nodes[i]->earliest, net->nodes[i]->earliest);
        EXPECT_EQ(back.nodes[i]->latest, net->nodes[i]->latest);
    }
    // Links are rebuilt: every work starts at the node holding it, the segment
    // points at the continuation in the new network, not into the old one.
    Tedge* ab = nullptr;
    for (const auto& v : back.nodes)
        for (Tedge* e = v->firstWork; e; e = e->nextWork) {
            EXPECT_EQ(e->fromNode, v.get());
            ASSERT_NE(e->toNode, nullptr);
            EXPECT_EQ(e->toNode->id, e->toNodeId);
            if (e->data->name == "AB") ab = e;
        }
    ASSERT_NE(ab, nullptr);
    ASSERT_NE(ab->nextSegment, nullptr);
    EXPECT_EQ(ab->nextSegment->data->name, "BC");
    EXPECT_EQ(ab->nextSegment->fromNode, ab->toNode);
    // Shown flags keep their own order through the file's different one.
    const Tedge* ad = back.nodes[0]->firstWork;
    while (ad && ad->data->name != "AD") ad = ad->nextWork;
    ASSERT_NE(ad, nullptr);
    EXPECT_EQ(ad->timeLabel.shown, (std::array<bool, 6>{true, false, true, true, false, true}));
    EXPECT_EQ(ad->data->resources.size(), 2u);
}

struct TPlanCase {
    const char* name;
    TPlanShape shape;
};

class ProjectFileGenerated : public ::testing::TestWithParam<TPlanCase> {};

TEST_P(ProjectFileGenerated, RoundTripIsSameAndByteIdentical)
{
    auto net = GeneratePlan(GetParam().shape);
    ExpectRoundTrip(*net);
}

TPlanShape Shape(int32_t works, uint32_t seed, bool fractional, int32_t parts)
{
    TPlanShape s;
    s.works = works;
    s.seed = seed;
    s.fractional = fractional;
    s.parts = parts;
    s.auxiliaryShare = 0.05;
    s.milestoneShare = 0.03;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Plans, ProjectFileGenerated,
                         ::testing::Values(TPlanCase{"one", Shape(1, 1, false, 1)},
                                           TPlanCase{"small", Shape(12, 2, false, 1)},
                                           TPlanCase{"halfDays", Shape(300, 3, true, 1)},
                                           TPlanCase{"threeParts", Shape(500, 4, true, 3)},
                                           TPlanCase{"large", Shape(20000, 5, false, 2)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectFileRoundTrip, EmptyNetworkCanBeOpenedAgain)
{
    // A new project saved before its first work still has its title, start
    // and rest days worth keeping.
    Tpertgra net;
    net.title = "新工程";
    net.restIntervals.Assign({{net.projectStart + 86400, net.projectStart + 2 * 86400}});
    ExpectRoundTrip(net);
}

TEST(ProjectFileRoundTrip, DuplicateNodeIdsAreWrittenAsPositionsSoLinksSurvive)
{
    TNetBuilder b;
    b.Work('A', 'B', 2);
    b.Work('B', 'C', 3);
    b.Work('A', 'C', 1);
    b.Place();
    for (const auto& v : b.net->nodes) v->id = 0;  // never time-ordered
    TFakeMessages msgs;
    Tpertgra back;
    ASSERT_EQ(ReadInto(back, WriteProjectBytes(*b.net)), 1);
    ASSERT_EQ(back.nodes.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(back.nodes[i]->id, int32_t(i + 1));
    const Tedge* bc = back.nodes[1]->firstWork;
    ASSERT_NE(bc, nullptr);
    EXPECT_EQ(bc->toNode, back.nodes[2].get());
    EXPECT_EQ(back.nodes[2]->inCount, 2);
}

TEST(ProjectFileRoundTrip, TrailerHoldsTheLengthAndTheHeadIsVersionAndLayout)
{
    auto net = RichPlan();
    const std::vector<uint8_t> b = WriteProjectBytes(*net);
    ASSERT_GT(b.size(), 16u);
    EXPECT_EQ(Int32At(b, b.size() - 4), int32_t(b.size()));
    EXPECT_EQ(Int32At(b, 0), 4);
    EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 8), "1.55");
    EXPECT_EQ(Int32At(b, 8), 3);   // layout
    EXPECT_EQ(Int32At(b, 12), 1);  // settings block present
}

TEST(ProjectFileRoundTrip, LoadAfterLoadRechecksAuxiliaryWorksAndRenumbers)
{
    // An auxiliary work that lost its parallel path is turned into a real work
    // when the file is opened; the order is rebuilt without a recalculation.
    TNetBuilder b;
    b.Work('A', 'B', 4);
    b.Work('B', 'C', 0, WorkKind::Auxiliary);
    b.Place();
    b.net->Renumber();
    b.net->TimeOrder();
    TFakeMessages msgs;
    Tpertgra back;
    ASSERT_EQ(ReadInto(back, WriteProjectBytes(*b.net)), 1);
    ASSERT_EQ(msgs.Texts(),
              std::vector<std::string>{"辅助工作的前后节点间必须还有其它工作，自动转为实工作！"});
    for (const auto& v : back.nodes)
        for (Tedge* e = v->firstWork; e; e = e->nextWork) EXPECT_EQ(e->data->kind, WorkKind::Real);
    EXPECT_EQ(back.order.size(), 3u);
    EXPECT_FALSE(back.modified);
}

TEST(ProjectFileRoundTrip, ALoopIsReportedButTheFileLoads)
{
    TNetBuilder b;
    b.Work('A', 'B', 1);
    b.Work('B', 'C', 1);
    b.net->Renumber();
    b.net->TimeOrder();
    // close the loop by hand, as no editing command would
    auto* back = new Tedge;
    b.net->LinkWork(b.N('C'), b.N('A'), back);
    TFakeMessages msgs;
    Tpertgra net;
    EXPECT_EQ(ReadInto(net, WriteProjectBytes(*b.net)), 1);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"网络图不能有回路"});
    EXPECT_TRUE(net.order.empty());
}

// ---- version text ------------------------------------------------------------------

TEST(ProjectFileVersion, TextIsANumberOnlyWhenDigitsAndOnePoint)
{
    const struct {
        const char* text;
        double version;
    } cases[] = {{"1.55", 1.55}, {"1.54", 1.54}, {"1.529", 1.529}, {"2", 2.0},
                 {"abc", 1.0},   {".", 1.0},     {"1..2", 1.0},    {"", 1.0},
                 {" 1.5", 1.0},  {"1,55", 1.0},  {"-1.6", 1.0},    {"1.6e1", 1.0}};
    for (const auto& c : cases) EXPECT_EQ(ProjectVersionOf(c.text), c.version) << c.text;
}

TEST(ProjectFileVersion, DecimalCommaLocaleDoesNotChangeTheVersion)
{
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
    const char* set = nullptr;
    for (const char* n : names)
        if ((set = std::setlocale(LC_ALL, n))) break;
    if (!set) GTEST_SKIP() << "no decimal-comma locale installed";
    auto net = RichPlan();
    const std::vector<uint8_t> bytes = WriteProjectBytes(*net);
    TFakeMessages msgs;
    Tpertgra back;
    TProjectFormat f;
    const int result = ReadInto(back, bytes, "/tmp/x.prt", &f);
    const double v = ProjectVersionOf("1.55");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(f.layout, 3);
    EXPECT_EQ(v, 1.55);
}

// ---- files on disk -----------------------------------------------------------------

TEST(ProjectFileDisk, SaveThenLoadGivesTheSameNetwork)
{
    TTempFolder dir;
    const std::string path = (dir.path / "工程.prt").string();
    auto net = RichPlan();
    net->modified = true;
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*net, path));
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(net->fileName, path);
    EXPECT_TRUE(net->hasFile);
    EXPECT_FALSE(net->modified);
    EXPECT_EQ(FileBytes(path), WriteProjectBytes(*net));

    Tpertgra back;
    ASSERT_EQ(LoadProject(back, path), 1);
    EXPECT_TRUE(back.IsSameAs(*net));
    EXPECT_EQ(back.fileName, path);
    // nothing but the file itself is left in the folder
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(ProjectFileDisk, SaveReplacesTheOldFileAndKeepsItsPermissions)
{
    TTempFolder dir;
    const fs::path path = dir.path / "plan.prt";
    WriteFileBytes(path, std::vector<uint8_t>(10, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto net = RichPlan();
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*net, path.string()));
    EXPECT_EQ(FileBytes(path), WriteProjectBytes(*net));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ProjectFileDisk, SaveThroughASymbolicLinkReplacesTheFileItPointsTo)
{
    TTempFolder dir;
    const fs::path real = dir.path / "real.prt";
    const fs::path link = dir.path / "link.prt";
    WriteFileBytes(real, {1, 2, 3});
    fs::create_symlink(real, link);
    auto net = RichPlan();
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*net, link.string()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileBytes(real), WriteProjectBytes(*net));
}

// A failed save names the reason, keeps the old file, and leaves the network
// as it was: still modified, still under its old name.
void ExpectFailedSave(const std::string& path, const char* reason)
{
    auto net = RichPlan();
    net->fileName = "/old/name.prt";
    net->hasFile = false;
    net->modified = true;
    TFakeMessages msgs;
    EXPECT_FALSE(SaveProject(*net, path));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].text, std::string("保存文件失败：") + reason + "（" + path + "）");
    EXPECT_EQ(net->fileName, "/old/name.prt");
    EXPECT_FALSE(net->hasFile);
    EXPECT_TRUE(net->modified);
}

TEST(ProjectFileDisk, SaveIntoAMissingFolderFails)
{
    TTempFolder dir;
    ExpectFailedSave((dir.path / "gone" / "plan.prt").string(), "文件夹不存在");
}

TEST(ProjectFileDisk, SaveOverAFolderFails)
{
    TTempFolder dir;
    fs::create_directory(dir.path / "plan.prt");
    ExpectFailedSave((dir.path / "plan.prt").string(), "同名的文件夹已经存在");
    EXPECT_TRUE(fs::is_directory(dir.path / "plan.prt"));
}

TEST(ProjectFileDisk, FailedWriteLeavesTheOldFileIntact)
{
    // A name so long that the temporary file beside it cannot be created: the
    // write fails while the old file is still there.
    TTempFolder dir;
    const fs::path path = dir.path / (std::string(250, 'p') + ".prt");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteFileBytes(path, old);
    ExpectFailedSave(path.string(), "文件名太长");
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(ProjectFileDisk, SaveIntoAWriteProtectedFolderFails)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TTempFolder dir;
    const fs::path path = dir.path / "plan.prt";
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteFileBytes(path, old);
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailedSave(path.string(), "没有写入权限");
    fs::permissions(dir.path, fs::perms::owner_all);
    EXPECT_EQ(FileBytes(path), old);
}

TEST(ProjectFileDisk, LoadOfAMissingFileFailsWithItsName)
{
    TTempFolder dir;
    const std::string path = (dir.path / "nothing.prt").string();
    TFakeMessages msgs;
    Tpertgra net;
    EXPECT_EQ(LoadProject(net, path), 0);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"文件不存在：" + path});
    EXPECT_FALSE(net.hasFile);
}

TEST(ProjectFileDisk, LoadOfAFolderFails)
{
    TTempFolder dir;
    TFakeMessages msgs;
    Tpertgra net;
    EXPECT_EQ(LoadProject(net, dir.path.string()), 0);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text.rfind("无法读取文件：", 0), 0u) << msgs.shown[0].text;
}

TEST(ProjectFileDisk, TextsCodePage936CannotHoldAreNamedAfterSaving)
{
    TTempFolder dir;
    const std::string path = (dir.path / "plan.prt").string();
    auto net = RichPlan();
    net->title = "工程😀";
    net->nodes[0]->firstWork->data->name = "基坑🚧开挖";
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*net, path));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].caption, "警告");
    EXPECT_EQ(msgs.shown[0].text,
              "以下文字无法用GBK编码保存，已替换为“?”：\n工程😀\n基坑🚧开挖");
    EXPECT_FALSE(net->modified);
    Tpertgra back;
    ASSERT_EQ(LoadProject(back, path), 1);
    EXPECT_EQ(back.title, "工程?");
}

TEST(ProjectFileDisk, ManyUnconvertibleTextsAreCounted)
{
    auto net = RichPlan();
    std::vector<std::string> bad;
    int k = 0;
    for (const auto& v : net->nodes)
        for (Tedge* e = v->firstWork; e; e = e->nextWork) e->data->name = "😀" + std::to_string(k++);
    WriteProjectBytes(*net, &bad);
    EXPECT_EQ(bad.size(), size_t(k));
    TTempFolder dir;
    TFakeMessages msgs;
    ASSERT_TRUE(SaveProject(*net, (dir.path / "p.prt").string()));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_NE(msgs.shown[0].text.find("……（共6处）"), std::string::npos) << msgs.shown[0].text;
}

}  // namespace
