#include "editing/Autobackup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "editing/Backupfiles.h"
#include "editing/Desktopfixtures.h"
#include "editing/Pertdoc.h"
#include "file/Projectfile.h"
#include "support/Fakemessages.h"

namespace {

// A document whose backup runs on a timer the test fires by hand and whose
// writer records what it was asked to write.
struct TBackedDoc {
    explicit TBackedDoc(TBackupFiles& files) : doc(SmallPlan(), "网络图1", "")
    {
        auto t = std::make_unique<TManualTimer>();
        timer = t.get();
        doc.backup = std::make_unique<TAutoBackup>(std::move(t), files,
                                                   [this] { return doc.history.Current(); });
        doc.backup->planName = [this] { return doc.network->fileName; };
        doc.backup->writer = [this](Tpertgra& net, const std::string& path) {
            written.push_back(net.nodes.front()->firstWork->data->duration);
            paths.push_back(path);
            names.push_back(net.fileName);
            return true;
        };
    }
    void Change(float marker)
    {
        doc.network->nodes.front()->firstWork->data->duration = marker;
        doc.RecordChange();
        doc.backup->WaitIdle();
    }
    // One second later.
    void Fire()
    {
        timer->Fire();
        doc.backup->WaitIdle();
    }
    TPertdoc doc;
    TManualTimer* timer = nullptr;
    std::vector<float> written;
    std::vector<std::string> paths;
    std::vector<std::string> names;
};

TEST(CrashBackup, AtMostOncePerSecondAndTheLastChangeIsWrittenWhenTheTimerExpires)
{
    TScratchFolder dir;
    TBackupFiles files(dir.path);
    TBackedDoc d(files);
    d.Change(1);
    EXPECT_EQ(d.written, std::vector<float>{1});
    EXPECT_TRUE(d.timer->IsActive());
    EXPECT_EQ(d.timer->Interval(), 1000);
    d.Change(2);
    d.Change(3);
    EXPECT_EQ(d.written.size(), 1u);   // the timer still runs
    EXPECT_TRUE(d.doc.backup->Pending());
    d.Fire();                   // one second later: the latest state
    EXPECT_EQ(d.written, (std::vector<float>{1, 3}));
    EXPECT_TRUE(d.timer->IsActive());  // and the next second is guarded again
    d.Fire();                   // nothing pending: nothing written
    EXPECT_EQ(d.written.size(), 2u);
    EXPECT_FALSE(d.timer->IsActive());
    d.Change(4);                       // idle timer: written at once
    EXPECT_EQ(d.written, (std::vector<float>{1, 3, 4}));
}

TEST(CrashBackup, UndoAndRedoAreBackedUpLikeAnyChange)
{
    TScratchFolder dir;
    TBackupFiles files(dir.path);
    TBackedDoc d(files);
    const float first = d.doc.network->nodes.front()->firstWork->data->duration;
    ASSERT_NE(first, 5);
    d.Change(5);
    d.Fire();          // the timer runs out with nothing pending
    d.Change(7);       // written at once
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_TRUE(d.doc.backup->Pending());
    d.Fire();
    ASSERT_TRUE(d.doc.Undo());
    d.Fire();
    ASSERT_TRUE(d.doc.Redo());
    d.Fire();
    EXPECT_EQ(d.written, (std::vector<float>{5, 7, 5, first, 5}));
    d.timer->Fire();   // idle timer: an undo is written at once
    ASSERT_TRUE(d.doc.Undo());
    d.doc.backup->WaitIdle();
    EXPECT_EQ(d.written, (std::vector<float>{5, 7, 5, first, 5, first}));
}

TEST(CrashBackup, AWriteHeldBackOverSaveAsCarriesTheNewFileName)
{
    TScratchFolder dir;
    TBackupFiles files(dir.path);
    TBackedDoc d(files);
    d.doc.network->fileName = "/p/old.prt";
    d.doc.network->hasFile = true;
    d.Change(1);
    d.Change(2);       // held back by the timer
    // Save As names the plan's file anew; the recorded steps keep the old name.
    d.doc.network->fileName = "/p/new.prt";
    d.Fire();
    ASSERT_EQ(d.names.size(), 2u);
    EXPECT_EQ(d.names[0], "/p/old.prt");
    EXPECT_EQ(d.names[1], "/p/new.prt");
    // Undo goes back to a step recorded under the old name.
    ASSERT_TRUE(d.doc.Undo());
    d.Fire();
    ASSERT_EQ(d.names.size(), 3u);
    EXPECT_EQ(d.written.back(), 1);
    EXPECT_EQ(d.names.back(), "/p/new.prt");
}

TEST(CrashBackup, EachDocumentHasItsOwnFile)
{
    TScratchFolder dir;
    TBackupFiles files(dir.path);
    TBackedDoc a(files), b(files);
    a.Change(1);
    b.Change(2);
    a.Change(5);
    a.Fire();
    ASSERT_EQ(a.paths.size(), 2u);
    EXPECT_EQ(a.paths[0], dir.File("~TMP"));
    EXPECT_EQ(a.paths[1], dir.File("~TMP"));
    EXPECT_EQ(b.paths, std::vector<std::string>{dir.File("~TMP1")});
}

TEST(CrashBackup, RealWriteIsALoadableProjectAndLeavesTheNetworkAsItWas)
{
    TScratchFolder dir;
    TFakeMessages msgs;
    TBackupFiles files(dir.path);
    TPertdoc doc(SmallPlan(), "/p/plan.prt", "/p/plan.prt");
    doc.network->fileName = "/p/plan.prt";
    doc.network->hasFile = true;
    doc.backup = std::make_unique<TAutoBackup>(std::make_unique<TManualTimer>(), files,
                                               [&] { return doc.history.Current(); });
    doc.network->nodes.front()->firstWork->data->duration = 8;
    doc.RecordChange();
    EXPECT_EQ(doc.network->fileName, "/p/plan.prt");
    EXPECT_TRUE(doc.network->hasFile);
    EXPECT_TRUE(doc.network->modified);
    EXPECT_EQ(doc.backup->Writes(), 1);
    Tpertgra back;
    ASSERT_EQ(LoadProject(back, dir.File("~TMP")), 1);
    EXPECT_EQ(back.nodes.front()->firstWork->data->duration, 8);
    // The backup keeps the plan's own name: a restored copy can say which plan it is.
    EXPECT_EQ(back.fileName, "/p/plan.prt");
    EXPECT_EQ(TPertdoc::RecoveredCaption(back.fileName), "plan.prt（恢复的副本）");
    // No temporary file is left next to it.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path)) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(msgs.shown.empty());
    doc.backup->Discard();
    EXPECT_FALSE(FileExists(dir.File("~TMP")));
}

TEST(CrashBackup, TheCaptionOfARestoredCopyNamesThePlan)
{
    const struct {
        const char* stored;
        const char* caption;
    } cases[] = {
        {"/工程/住宅楼.prt", "住宅楼.prt（恢复的副本）"},
        {"", "未命名网络图（恢复的副本）"},                        // never saved
        {"/home/u/.local/state/arrowplan/~TMP1", "未命名网络图（恢复的副本）"},   // an older backup
    };
    for (const auto& c : cases) EXPECT_EQ(TPertdoc::RecoveredCaption(c.stored), c.caption) << c.stored;
}

// The document's backup on disk as a network (duration of the marker work), or -1.
float DurationOnDisk(const std::string& path)
{
    if (!FileExists(path)) return -1;
    Tpertgra back;
    if (LoadProject(back, path) != 1) return -1;
    return back.nodes.front()->firstWork->data->duration;
}

TEST(CrashBackup, TheLastChangeIsOnDiskWhenTheDocumentGoesAway)
{
    TScratchFolder dir;
    TFakeMessages msgs;
    TBackupFiles files(dir.path);
    {
        TPertdoc doc(SmallPlan(), "网络图1", "");
        doc.backup = std::make_unique<TAutoBackup>(std::make_unique<TManualTimer>(), files,
                                                   [&] { return doc.history.Current(); });
        for (float d : {4.0f, 6.0f, 7.0f}) {
            doc.network->nodes.front()->firstWork->data->duration = d;
            doc.RecordChange();   // the second and third are held back by the timer
        }
        EXPECT_TRUE(doc.backup->Pending());
        // A document that ends without its close query (the program is
        // stopped) still leaves its last change.
    }
    EXPECT_EQ(DurationOnDisk(dir.File("~TMP")), 7);

    // Flush writes a change held back by the timer at once.
    TPertdoc doc(SmallPlan(), "网络图2", "");
    doc.backup = std::make_unique<TAutoBackup>(std::make_unique<TManualTimer>(), files,
                                               [&] { return doc.history.Current(); });
    doc.network->nodes.front()->firstWork->data->duration = 9;
    doc.RecordChange();
    doc.network->nodes.front()->firstWork->data->duration = 12;
    doc.RecordChange();
    doc.backup->Flush();
    EXPECT_FALSE(doc.backup->Pending());
    EXPECT_EQ(DurationOnDisk(doc.backup->Path()), 12);
}

TEST(CrashBackup, ClosingWaitsForAWriteInProgressAndLeavesNoFile)
{
    TScratchFolder dir;
    TFakeMessages msgs;
    TBackupFiles files(dir.path);
    TPertdoc doc(SmallPlan(), "网络图1", "");
    doc.backup = std::make_unique<TAutoBackup>(std::make_unique<TManualTimer>(), files,
                                               [&] { return doc.history.Current(); });
    std::promise<void> started;
    doc.backup->writer = [&](Tpertgra& net, const std::string& path) {
        started.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));   // a slow disk
        return TAutoBackup::WriteBackup(net, path);
    };
    doc.RecordChange();
    started.get_future().wait();
    const std::string path = doc.backup->Path();
    doc.backup->Discard();
    doc.backup->WaitIdle();   // a write that outlived the close would show now
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(CrashBackup, AStateHandedOverDuringAWriteReplacesOneStillWaiting)
{
    TScratchFolder dir;
    TBackupFiles files(dir.path);
    TPertdoc doc(SmallPlan(), "网络图1", "");
    auto t = std::make_unique<TManualTimer>();
    TManualTimer* timer = t.get();
    doc.backup = std::make_unique<TAutoBackup>(std::move(t), files,
                                               [&] { return doc.history.Current(); });
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::vector<float> written;   // read only once the worker is idle
    std::promise<void> entered;
    doc.backup->writer = [&](Tpertgra& net, const std::string&) {
        if (written.empty()) entered.set_value();
        released.wait();
        written.push_back(net.nodes.front()->firstWork->data->duration);
        return true;
    };
    auto change = [&](float d) {
        doc.network->nodes.front()->firstWork->data->duration = d;
        doc.RecordChange();
    };
    change(1);       // written at once: the worker waits in the writer
    entered.get_future().wait();
    change(2);
    timer->Fire();   // 2 is handed over and waits
    change(3);
    timer->Fire();   // 3 takes its place
    release.set_value();
    doc.backup->WaitIdle();
    EXPECT_EQ(written, (std::vector<float>{1, 3}));
    EXPECT_EQ(doc.backup->Writes(), 2);
}

TEST(CrashBackup, AFailingWriteIsQuiet)
{
    TFakeMessages msgs;
    TBackupFiles files("/nonexistent-backup-folder");
    TPertdoc doc(SmallPlan(), "网络图1", "");
    doc.backup = std::make_unique<TAutoBackup>(std::make_unique<TManualTimer>(), files,
                                               [&] { return doc.history.Current(); });
    doc.RecordChange();
    EXPECT_EQ(doc.backup->Writes(), 0);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(BackupFiles, NamesLeftoversAndRemoval)
{
    TScratchFolder dir;
    for (const char* n : {"~TMP2", "~TMP", "~TMPx", "~TMP10", "plan.prt", "~TMP01"})
        WriteText(dir.File(n), "x");
    TBackupFiles files(dir.path);
    EXPECT_EQ(files.Leftovers(),
              (std::vector<std::string>{dir.File("~TMP"), dir.File("~TMP2"), dir.File("~TMP10")}));
    // New documents take names no file has.
    EXPECT_EQ(files.Claim(), dir.File("~TMP1"));
    EXPECT_EQ(files.Claim(), dir.File("~TMP3"));
    // A restored backup keeps its file; a declined one waits for the end.
    files.ClaimExisting(dir.File("~TMP"));
    files.Decline(dir.File("~TMP2"));
    files.Release(dir.File("~TMP"));
    EXPECT_FALSE(FileExists(dir.File("~TMP")));
    EXPECT_TRUE(FileExists(dir.File("~TMP2")));
    files.RemoveAll();
    EXPECT_FALSE(FileExists(dir.File("~TMP2")));
    EXPECT_TRUE(FileExists(dir.File("~TMP10")));   // neither restored nor declined
    EXPECT_TRUE(FileExists(dir.File("plan.prt")));
    for (auto [name, is] : {std::pair{"~TMP", true}, {"~TMP7", true}, {"~TMP0", false},
                            {"~TMP07", false}, {"~TMPa", false}, {"TMP", false}})
        EXPECT_EQ(TBackupFiles::IsBackupName(name), is) << name;
}

}  // namespace
