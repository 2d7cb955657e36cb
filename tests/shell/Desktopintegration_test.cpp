#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>
#include <vector>

#include "editing/Desktopfixtures.h"
#include "platform/Filetypes.h"
#include "platform/Inifile.h"
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

// Sets or clears environment variables for the life of the object.
class TEnvironment {
public:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~TEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
            else unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Settings and backups never go next to the program, even when its folder
// is writable (a build tree, a shared install): the XDG folders, or their
// defaults under the home folder when unset or not absolute.
TEST(ProgramFolders, SettingsAndBackupsGoToTheXdgFolders)
{
    TScratchFolder dir;
    const std::string config = dir.File("config");
    const std::string state = dir.File("state");
    const std::string home = dir.File("home");
    const struct {
        const char* configHome;
        const char* stateHome;
        std::string settingsDir, backupDir;
    } cases[] = {
        {config.c_str(), state.c_str(), config + "/arrowplan", state + "/arrowplan"},
        {nullptr, nullptr, home + "/.config/arrowplan", home + "/.local/state/arrowplan"},
        {"relative/config", "", home + "/.config/arrowplan", home + "/.local/state/arrowplan"},
    };
    for (const auto& c : cases) {
        TEnvironment env;
        env.Set("HOME", home.c_str());
        env.Set("XDG_CONFIG_HOME", c.configHome);
        env.Set("XDG_STATE_HOME", c.stateHome);
        const TProgramFolders f = TProgramFolders::For(dir.path);
        EXPECT_EQ(f.SettingsFile(), c.settingsDir + "/zaveviIniFile.INI");
        EXPECT_EQ(f.backupDir, c.backupDir);
        EXPECT_EQ(f.SamplesDir(), dir.path + "/示例");
        EXPECT_EQ(f.HelpFile(), dir.path + "/help/HELPPRJ.html");
    }
}

TEST(ProgramFolders, ASettingsFileInTheProgramFolderIsCarriedOverOnce)
{
    TScratchFolder dir;
    TEnvironment env;
    env.Set("XDG_CONFIG_HOME", dir.File("config").c_str());
    env.Set("XDG_STATE_HOME", dir.File("state").c_str());
    const std::string prog = dir.File("prog");
    std::filesystem::create_directory(prog);
    const TProgramFolders f = TProgramFolders::For(prog);
    f.MakeFolders();
    EXPECT_TRUE(std::filesystem::is_directory(f.settingsDir));
    EXPECT_TRUE(std::filesystem::is_directory(f.backupDir));
    EXPECT_FALSE(f.CarryOverSettings());   // nothing to carry over
    {
        TIniFile old(prog + "/zaveviIniFile.INI");
        old.WriteString("menuname", "0", "/工程/住宅楼.prt");
        old.WriteString("menuname", "1", "-1");
    }
    EXPECT_TRUE(f.CarryOverSettings());
    EXPECT_EQ(TIniFile(f.SettingsFile()).ReadString("menuname", "0", ""), "/工程/住宅楼.prt");
    // From now on the user's own file is the one: the old one is not read again.
    TIniFile(f.SettingsFile()).WriteString("menuname", "0", "/工程/办公楼.prt");
    EXPECT_FALSE(f.CarryOverSettings());
    EXPECT_EQ(TIniFile(f.SettingsFile()).ReadString("menuname", "0", ""), "/工程/办公楼.prt");
    // A portable layout with the settings in the program's folder copies nothing onto itself.
    EXPECT_FALSE(TProgramFolders::InOneFolder(prog).CarryOverSettings());
}

}  // namespace
