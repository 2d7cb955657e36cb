// The common work names file and the text of its dialog.
#include <gtest/gtest.h>

#include "editing/Desktopfixtures.h"
#include "entry/Worknames.h"
#include "platform/Programfolders.h"

namespace {

class Worknames : public ::testing::Test {
protected:
    void SetUp() override
    {
        TProgramFolders f = TProgramFolders::InOneFolder(program.path);
        f.settingsDir = settings.path;
        SetProgramFolders(f);
    }
    void TearDown() override { SetProgramFolders(TProgramFolders::InOneFolder(".")); }
    TScratchFolder program, settings;
};

TEST_F(Worknames, NoFileGivesAnEmptyList)
{
    TWorknames w;
    w.Load();
    EXPECT_EQ(w.text, "");
    EXPECT_TRUE(w.Names().empty());
    EXPECT_EQ(TWorknames::ReadPath(), program.File("workbook.txt"));
}

TEST_F(Worknames, AnOlderListInCodePage936IsRead)
{
    // "挖土" and "回填" in code page 936, a byte-order mark on the UTF-8 one
    WriteText(program.File("workbook.txt"), "\xCD\xDA\xCD\xC1\r\n\xBB\xD8\xCC\xEE\r\n");
    EXPECT_EQ(TWorknames::ReadNames(), (std::vector<std::string>{"挖土", "回填"}));
    WriteText(settings.File("workbook.txt"), "\xEF\xBB\xBF砌墙\n");
    EXPECT_EQ(TWorknames::ReadPath(), settings.File("workbook.txt"));
    EXPECT_EQ(TWorknames::ReadNames(), std::vector<std::string>{"砌墙"});
}

TEST_F(Worknames, ConfirmWritesOnlyEditedTextAndCancelDiscardsIt)
{
    WriteText(program.File("workbook.txt"), "挖土\n回填\n");
    TWorknames w;
    w.Load();
    EXPECT_EQ(w.text, "挖土\n回填");
    EXPECT_TRUE(w.Confirm());
    EXPECT_FALSE(FileExists(settings.File("workbook.txt")));   // nothing edited

    w.text = "挖土\n回填\n浇筑";
    w.modified = true;
    w.Cancel();
    EXPECT_EQ(w.text, "挖土\n回填");
    EXPECT_FALSE(w.modified);

    w.text = "挖土\n浇筑";
    w.modified = true;
    EXPECT_TRUE(w.Confirm());
    EXPECT_EQ(FileText(settings.File("workbook.txt")), "挖土\n浇筑\n");
    // the shipped list is left as it was
    EXPECT_EQ(FileText(program.File("workbook.txt")), "挖土\n回填\n");
}

}  // namespace
