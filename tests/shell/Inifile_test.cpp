#include "platform/Inifile.h"

#include <gtest/gtest.h>

#include "editing/Desktopfixtures.h"

namespace {

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedByTheFirstWrite)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("zaveviIniFile.INI"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadString("menuname", "0", "none"), "none");
    ASSERT_TRUE(ini.WriteString("menuname", "0", "/home/a.prt"));
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(FileText(ini.Path()), "[menuname]\n0=/home/a.prt\n");
}

TEST(IniFile, WritesKeepOtherSectionsCommentsAndOrder)
{
    TScratchFolder dir;
    const std::string path = dir.File("s.INI");
    WriteText(path, "; kept\r\n[imename]\r\nnamecob=1033\r\n\r\n[MenuName]\r\n0=a\r\n1=-1\r\n");
    TIniFile ini(path);
    // Names compare without case; values are exact.
    EXPECT_EQ(ini.ReadString("menuname", "0"), "a");
    EXPECT_EQ(ini.ReadString("IMENAME", "NameCob"), "1033");
    ASSERT_TRUE(ini.WriteStrings("menuname", {{"0", "b"}, {"1", "a"}, {"2", "-1"}}));
    EXPECT_EQ(FileText(path),
              "; kept\n[imename]\nnamecob=1033\n\n[MenuName]\n0=b\n1=a\n2=-1\n");
    ASSERT_TRUE(ini.WriteString("other", "k", "v = with = signs"));
    EXPECT_EQ(ini.ReadString("other", "k"), "v = with = signs");
    EXPECT_EQ(ini.ReadString("menuname", "2"), "-1");
}

TEST(IniFile, EmptyValuesAndPathsWithChineseNames)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("s.INI"));
    ASSERT_TRUE(ini.WriteStrings("menuname", {{"0", "/工程/住宅楼.prt"}, {"1", ""}, {"2", "-1"}}));
    EXPECT_EQ(ini.ReadString("menuname", "0"), "/工程/住宅楼.prt");
    EXPECT_EQ(ini.ReadString("menuname", "1", "absent"), "");
    EXPECT_EQ(ini.ReadString("menuname", "3", "absent"), "absent");
}

TEST(IniFile, UnwritableFolderFailsWithoutThrowing)
{
    TIniFile ini("/nonexistent-folder-for-tests/zaveviIniFile.INI");
    EXPECT_FALSE(ini.WriteString("menuname", "0", "x"));
    EXPECT_EQ(ini.ReadString("menuname", "0", "d"), "d");
}

}  // namespace
