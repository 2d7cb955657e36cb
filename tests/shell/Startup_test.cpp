#include "shell/Startup.h"

#include <gtest/gtest.h>

#include "editing/Backupfiles.h"
#include "editing/Desktopfixtures.h"
#include "support/Fakemessages.h"

namespace {

TEST(StartUp, EveryLeftoverIsOfferedThenTheFilesOpened)
{
    TScratchFolder dir;
    for (const char* n : {"~TMP", "~TMP1", "~TMP2"}) WriteText(dir.File(n), "x");
    TFakeMessages msgs;
    // Yes to the first (restored), No to the second, Yes to the third which cannot be read.
    msgs.answers = {TMsgAnswer::Yes, TMsgAnswer::No, TMsgAnswer::Yes};
    TBackupFiles backups(dir.path);
    std::vector<std::string> events;
    TStartup::Run(
        backups, {"/p/a.prt"},
        [&](const std::string& b) {
            events.push_back("restore " + b.substr(b.rfind('/') + 1));
            return b.back() != '2';
        },
        [&](const std::string& f) { events.push_back("open " + f); });
    EXPECT_EQ(events, (std::vector<std::string>{"restore ~TMP", "restore ~TMP2", "open /p/a.prt"}));
    ASSERT_EQ(msgs.shown.size(), 3u);
    for (const auto& m : msgs.shown) {
        EXPECT_EQ(m.text, "是否恢复上次非正常退出自动备份的文件?");
        EXPECT_EQ(m.caption, "退出");
        EXPECT_EQ(m.icon, TMsgIcon::Question);
    }
    // Declined and unreadable backups go at the normal end; the restored one
    // belongs to its document (which was not made here).
    backups.RemoveAll();
    EXPECT_TRUE(FileExists(dir.File("~TMP")));
    EXPECT_FALSE(FileExists(dir.File("~TMP1")));
    EXPECT_FALSE(FileExists(dir.File("~TMP2")));
}

TEST(StartUp, CommandLineFiles)
{
    const char* argv[] = {"arrowplan", "/p/a.prt", "", "b.prt"};
    EXPECT_EQ(TStartup::FilesOf(4, argv), (std::vector<std::string>{"/p/a.prt", "b.prt"}));
    EXPECT_TRUE(TStartup::FilesOf(1, argv).empty());
}

}  // namespace
