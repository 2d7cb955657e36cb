#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "editing/Desktopfixtures.h"
#include "platform/Filetypes.h"
#include "platform/Programfolders.h"
#include "platform/Singleinstance.h"

namespace {

TEST(FileTypeRegistration, WritesMimePackageAndDesktopEntryOnce)
{
    TScratchFolder dir;
    TXdgFileTypes reg("ArrowPlan", dir.path);
    reg.runTools = false;
    ASSERT_TRUE(reg.RegisterFileType("prt", "prt文件", "/opt/arrow plan/arrowplan", "/opt/i.svg"));
    EXPECT_TRUE(reg.lastChanged);
    const std::string mime = FileText(dir.File("mime/packages/prt_cairn_file.xml"));
    EXPECT_NE(mime.find("<mime-type type=\"application/x-prt_cairn_file\">"), std::string::npos);
    EXPECT_NE(mime.find("<comment>prt文件</comment>"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.prt\"/>"), std::string::npos);
    const std::string entry = FileText(dir.File("applications/arrowplan-prt.desktop"));
    EXPECT_NE(entry.find("Exec=\"/opt/arrow plan/arrowplan\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-prt_cairn_file;\n"), std::string::npos);
    EXPECT_NE(entry.find("Icon=/opt/i.svg\n"), std::string::npos);
    // The same registration again touches nothing, so no update tool would run.
    ASSERT_TRUE(reg.RegisterFileType("prt", "prt文件", "/opt/arrow plan/arrowplan", "/opt/i.svg"));
    EXPECT_FALSE(reg.lastChanged);
}

TEST(FileTypeRegistration, UnwritableDataFolderFails)
{
    TXdgFileTypes reg("ArrowPlan", "/proc/no-such-place");
    reg.runTools = false;
    EXPECT_FALSE(reg.RegisterFileType("prt", "prt文件", "/bin/true", ""));
}

TEST(StartMessage, RoundTripsFilesAndRefusesOtherMessages)
{
    std::vector<std::string> files;
    const std::vector<std::string> given = {"/工程/住宅 楼.prt", "/tmp/b.prt"};
    ASSERT_TRUE(DecodeStartMessage(EncodeStartMessage(given), files));
    EXPECT_EQ(files, given);
    ASSERT_TRUE(DecodeStartMessage(EncodeStartMessage({}), files));
    EXPECT_TRUE(files.empty());
    EXPECT_FALSE(DecodeStartMessage("hello\n", files));
    EXPECT_FALSE(DecodeStartMessage("open\n/cut/short", files));
    // A name with a line break cannot be sent whole; it is left out.
    ASSERT_TRUE(DecodeStartMessage(EncodeStartMessage({"a\nb", "/c.prt"}), files));
    EXPECT_EQ(files, std::vector<std::string>{"/c.prt"});
}

TEST(ProgramFolders, WritableProgramFolderKeepsEverythingThere)
{
    TScratchFolder dir;
    const TProgramFolders f = TProgramFolders::For(dir.path);
    EXPECT_EQ(f.SettingsFile(), dir.path + "/zaveviIniFile.INI");
    EXPECT_EQ(f.backupDir, dir.path);
    EXPECT_EQ(f.SamplesDir(), dir.path + "/示例");
    EXPECT_EQ(f.HelpFile(), dir.path + "/help/HELPPRJ.html");
}

TEST(ProgramFolders, ReadOnlyProgramFolderUsesTheXdgFolders)
{
    if (geteuid() == 0) GTEST_SKIP() << "every folder is writable for root";
    TScratchFolder dir;
    const std::string prog = dir.File("prog");
    std::filesystem::create_directory(prog);
    std::filesystem::permissions(prog, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    const TProgramFolders f = TProgramFolders::For(prog);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(f.SettingsFile(), dir.File("config") + "/arrowplan/zaveviIniFile.INI");
    EXPECT_EQ(f.backupDir, dir.File("state") + "/arrowplan");
    EXPECT_EQ(f.SamplesDir(), prog + "/示例");
    f.MakeFolders();
    EXPECT_TRUE(std::filesystem::is_directory(f.settingsDir));
    EXPECT_TRUE(std::filesystem::is_directory(f.backupDir));
    std::filesystem::permissions(prog, std::filesystem::perms::owner_all);
}

}  // namespace
