#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Timer.h"

class Tpertgra;
class TBackupFiles;

// The crash backup of one document: after a change the network is written
// to the document's own backup file at once unless the timer still runs from
// the last write, in which case the write is only noted and done when the
// timer expires. So at most one backup is written per second and the last
// change always reaches the file.
class TAutoBackup {
public:
    static constexpr int kIntervalMs = 1000;

    // Writes net to path; true on success. The default goes through the
    // project file writer and a temporary file renamed over the backup.
    using TWriter = std::function<bool(Tpertgra& net, const std::string& path)>;

    // files gives the document its backup name at the first write; network
    // answers the document's current network (it changes with undo).
    TAutoBackup(std::unique_ptr<ITimer> timer, TBackupFiles& files,
                std::function<Tpertgra*()> network);
    ~TAutoBackup();
    TAutoBackup(const TAutoBackup&) = delete;
    TAutoBackup& operator=(const TAutoBackup&) = delete;

    // A change was recorded.
    void Request();
    // The document was restored from this backup file: it becomes its own backup.
    void AdoptFile(const std::string& path);
    // The document closes normally: the timer stops and the backup is deleted.
    void Discard();

    const std::string& Path() const { return path_; }
    bool Pending() const { return pending_; }
    ITimer& Timer() { return *timer_; }
    int32_t writes = 0;        // backups written so far
    TWriter writer;

    // The default writer: writes the project file through a temporary file
    // and leaves fileName, modified and hasFile as they were. The file keeps
    // the plan's own file name, so that a restored backup can say which plan
    // it is. Quiet: a backup that cannot be written does not interrupt editing.
    static bool WriteBackup(Tpertgra& net, const std::string& path);

private:
    void WriteNow();
    void Expired();

    std::unique_ptr<ITimer> timer_;
    TBackupFiles& files_;
    std::function<Tpertgra*()> network_;
    std::string path_;
    bool pending_ = false;
};
