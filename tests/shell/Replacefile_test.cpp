#include "platform/Replacefile.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

#include "editing/Desktopfixtures.h"

namespace {

namespace fs = std::filesystem;

// The files in the folder besides the ones named: what a failed or finished
// replacement must not leave behind.
size_t EntriesIn(const std::string& folder)
{
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

int Replace(const std::string& path, const std::string& text, TReplaceOptions options = {})
{
    return ReplaceFileWith(
        path, [&](const TFilePut& put) {
            put(reinterpret_cast<const uint8_t*>(text.data()), text.size() / 2);
            put(reinterpret_cast<const uint8_t*>(text.data()) + text.size() / 2,
                text.size() - text.size() / 2);
        },
        options);
}

TEST(ReplaceFile, NewAndOldFilesGetTheWholeContentsAndKeepTheirMode)
{
    TScratchFolder dir;
    const std::string path = dir.File("计划.prt");
    EXPECT_EQ(Replace(path, "first"), 0);
    EXPECT_EQ(FileText(path), "first");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(Replace(path, "second and longer"), 0);
    EXPECT_EQ(FileText(path), "second and longer");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntriesIn(dir.path), 1u);
}

TEST(ReplaceFile, ASymbolicLinkStaysAndItsTargetIsReplaced)
{
    TScratchFolder dir;
    const std::string real = dir.File("real.prt"), link = dir.File("link.prt");
    WriteText(real, "old");
    fs::create_symlink(real, link);
    std::string reason;
    EXPECT_TRUE(ReplaceFileContents(link, {'n', 'e', 'w'}, false, reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileText(real), "new");
}

TEST(ReplaceFile, FailuresLeaveTheOldFileAndNothingElse)
{
    TScratchFolder dir;
    const std::string path = dir.File("plan.prt");
    WriteText(path, "kept");
    // The producer gives up half way.
    EXPECT_THROW(ReplaceFileWith(
                     path,
                     [](const TFilePut& put) {
                         put(reinterpret_cast<const uint8_t*>("part"), 4);
                         throw std::runtime_error("stop");
                     },
                     {}),
                 std::runtime_error);
    EXPECT_EQ(FileText(path), "kept");
    EXPECT_EQ(EntriesIn(dir.path), 1u);
    // A folder of the same name, and a folder that does not exist.
    fs::create_directory(dir.File("sub"));
    EXPECT_EQ(Replace(dir.File("sub"), "x"), EISDIR);
    std::string reason;
    EXPECT_FALSE(ReplaceFileContents(dir.File("none/plan.prt"), {'x'}, true, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(EntriesIn(dir.path), 2u);
}

TEST(ReplaceFile, AWriteProtectedFileIsKeptWhenAsked)
{
    if (geteuid() == 0) GTEST_SKIP() << "root may write every file";
    TScratchFolder dir;
    const std::string path = dir.File("plan.prt");
    WriteText(path, "protected");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    TReplaceOptions keep;
    keep.keepWriteProtected = true;
    EXPECT_EQ(Replace(path, "x", keep), EACCES);
    EXPECT_EQ(FileText(path), "protected");
}

}  // namespace
