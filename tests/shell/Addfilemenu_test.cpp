#include "shell/Addfilemenu.h"

#include <gtest/gtest.h>

#include "editing/Desktopfixtures.h"
#include "platform/Inifile.h"

namespace {

std::string Key(const TIniFile& ini, int i)
{
    return ini.ReadString(TAddFilemenu::kSection, std::to_string(i), "<absent>");
}

TEST(RecentFiles, SameFileTwiceKeepsOneEntryAndABlank)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("zaveviIniFile.INI"));
    TAddFilemenu menu;
    menu.Add("/p/a.prt", ini);
    menu.Add("/p/a.prt", ini);
    EXPECT_EQ(Key(ini, 0), "/p/a.prt");
    EXPECT_EQ(Key(ini, 1), "");
    EXPECT_EQ(Key(ini, 2), "-1");
}

TEST(RecentFiles, EightFilesKeepTheLatestSevenAndTheEndMark)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("zaveviIniFile.INI"));
    TAddFilemenu menu;
    for (int i = 1; i <= 8; ++i) menu.Add("/p/" + std::to_string(i) + ".prt", ini);
    ASSERT_EQ(menu.files.size(), 7u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(Key(ini, k), "/p/" + std::to_string(8 - k) + ".prt");
    EXPECT_EQ(Key(ini, 7), "-1");
}

TEST(RecentFiles, EmptyPathChangesNothing)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("zaveviIniFile.INI"));
    TAddFilemenu menu;
    menu.Add("", ini);
    EXPECT_TRUE(menu.files.empty());
    EXPECT_FALSE(ini.Exists());
}

TEST(RecentFiles, LoadStopsAtTheEndMarkOrSevenKeysAndSkipsMissingFiles)
{
    TScratchFolder dir;
    const std::string a = dir.File("a.prt"), b = dir.File("b.prt"), c = dir.File("c.prt");
    for (const std::string& f : {a, b, c}) WriteText(f, "x");
    const std::string gone = dir.File("gone.prt");
    struct Case {
        std::vector<std::string> keys;   // values of keys "0", "1", ...
        std::vector<std::string> expected;
    } cases[] = {
        {{a, "", gone, b, "-1", c}, {a, b}},
        {{a, b, "-1"}, {a, b}},
        // Seven keys at most, even without an end mark.
        {{a, a, a, a, a, a, b, c}, {a, a, a, a, a, a, b}},
        {{}, {}},
    };
    for (const Case& k : cases) {
        std::filesystem::remove(dir.File("s.INI"));
        TIniFile ini(dir.File("s.INI"));
        ini.WriteString("other", "x", "1");
        for (size_t i = 0; i < k.keys.size(); ++i)
            ini.WriteString(TAddFilemenu::kSection, std::to_string(i), k.keys[i]);
        TAddFilemenu menu;
        menu.files = {"stale"};
        menu.Load(ini);
        EXPECT_EQ(std::vector<std::string>(menu.files.begin(), menu.files.end()), k.expected)
            << k.keys.size() << " keys";
    }
}

TEST(RecentFiles, NoSettingsFileKeepsTheList)
{
    TScratchFolder dir;
    TIniFile ini(dir.File("none.INI"));
    TAddFilemenu menu;
    menu.files = {"/keep.prt"};
    menu.Load(ini);
    EXPECT_EQ(menu.files.size(), 1u);
}

}  // namespace
