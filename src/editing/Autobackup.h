#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/Timer.h"

class Tpertgra;
class TBackupFiles;
class THistoryStep;

// The crash backup of one document: after a change the recorded state is
// written to the document's own backup file at once unless the timer still
// runs from the last write, in which case the write is only noted and done
// when the timer expires. So at most one backup is written per second and
// the last change always reaches the file.
//
// The writing itself is done by a worker thread of the document from the
// history step, so that the user-interface thread only hands the step over.
// There is never more than one write at a time; a step handed over while
// one is being written replaces any step still waiting, so the newest wins.
class TAutoBackup {
public:
    static constexpr int kIntervalMs = 1000;

    // Writes net to path; true on success. Called on the worker thread with
    // a network of its own restored from the step. The default goes through
    // the project file writer and a temporary file renamed over the backup.
    using TWriter = std::function<bool(Tpertgra& net, const std::string& path)>;
    // The state to back up: the history step the document currently equals.
    using TStepSource = std::function<std::shared_ptr<const THistoryStep>()>;
    // The plan's own file name now. A step recorded before a Save As (one
    // held back by the timer, or one undo or redo went back to) carries the
    // name from before it; the backup takes the name the document has at the
    // hand-over.
    using TNameSource = std::function<std::string()>;

    // files gives the document its backup name at the first write.
    TAutoBackup(std::unique_ptr<ITimer> timer, TBackupFiles& files, TStepSource state);
    // A change still held back by the timer is written, and the worker has
    // finished, before the object is gone.
    ~TAutoBackup();
    TAutoBackup(const TAutoBackup&) = delete;
    TAutoBackup& operator=(const TAutoBackup&) = delete;

    // A change was recorded.
    void Request();
    // The document was restored from this backup file: it becomes its own backup.
    void AdoptFile(const std::string& path);
    // The document closes normally: the timer stops, a change held back is
    // dropped, a write in progress is waited for, and the backup is deleted.
    void Discard();
    // Writes a change held back by the timer now and waits until everything
    // handed to the worker is on disk.
    void Flush();
    // Waits until the worker has written everything handed to it.
    void WaitIdle();

    const std::string& Path() const { return path_; }
    bool Pending() const { return pending_; }
    ITimer& Timer() { return *timer_; }
    // Backups written so far, once the writes handed over are done.
    int32_t Writes();
    // Set before the first change; each write uses the writer of its hand-over.
    TWriter writer;
    // Unset: the file name the step recorded.
    TNameSource planName;

    // The default writer: writes the project file through a temporary file
    // and leaves fileName, modified and hasFile as they were. The file keeps
    // the plan's own file name, so that a restored backup can say which plan
    // it is. Quiet: a backup that cannot be written does not interrupt editing.
    static bool WriteBackup(Tpertgra& net, const std::string& path);

private:
    struct TJob {
        std::shared_ptr<const THistoryStep> step;
        std::unique_ptr<Tpertgra> net;   // made here, filled by the worker
        std::string path;
        TWriter writer;
        std::optional<std::string> planName;
    };

    void WriteNow();
    void Expired();
    void Hand(TJob job);
    void Run();

    std::unique_ptr<ITimer> timer_;
    TBackupFiles& files_;
    TStepSource state_;
    std::string path_;
    bool pending_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<TJob> queued_;
    bool writing_ = false;
    bool stop_ = false;
    int32_t writes_ = 0;
    std::thread worker_;
};
