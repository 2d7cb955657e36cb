#include "editing/Autobackup.h"

#include <new>
#include <stdexcept>
#include <vector>

#include "editing/Backupfiles.h"
#include "editing/Historystep.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "platform/Replacefile.h"

TAutoBackup::TAutoBackup(std::unique_ptr<ITimer> timer, TBackupFiles& files, TStepSource state)
    : writer(&TAutoBackup::WriteBackup), timer_(std::move(timer)), files_(files),
      state_(std::move(state))
{
    timer_->SetTimeout([this] { Expired(); });
}

TAutoBackup::~TAutoBackup()
{
    timer_->SetTimeout(nullptr);
    timer_->Stop();
    if (pending_) WriteNow();
    timer_->Stop();
    {
        std::unique_lock<std::mutex> lock(mutex_);
        idle_.wait(lock, [this] { return !queued_ && !writing_; });
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void TAutoBackup::Request()
{
    if (timer_->IsActive()) {
        pending_ = true;
        return;
    }
    WriteNow();
}

void TAutoBackup::AdoptFile(const std::string& path)
{
    files_.ClaimExisting(path);
    path_ = path;
}

void TAutoBackup::Discard()
{
    timer_->Stop();
    pending_ = false;
    {
        // A step still waiting would be deleted with the file; a write in
        // progress must end before the file goes, or it would bring it back.
        std::unique_lock<std::mutex> lock(mutex_);
        queued_.reset();
        idle_.wait(lock, [this] { return !writing_; });
    }
    if (!path_.empty()) files_.Release(path_);
    path_.clear();
}

void TAutoBackup::Flush()
{
    if (pending_) {
        timer_->Stop();
        WriteNow();
    }
    WaitIdle();
}

void TAutoBackup::WaitIdle()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !queued_ && !writing_; });
}

int32_t TAutoBackup::Writes()
{
    WaitIdle();
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
}

void TAutoBackup::WriteNow()
{
    pending_ = false;
    std::shared_ptr<const THistoryStep> step = state_ ? state_() : nullptr;
    if (!step) return;
    if (path_.empty()) path_ = files_.Claim();
    std::optional<std::string> name;
    if (planName) name = planName();
    Hand({std::move(step), std::make_unique<Tpertgra>(), path_, writer, std::move(name)});
    timer_->Start(kIntervalMs);
}

void TAutoBackup::Expired()
{
    if (pending_) WriteNow();
}

void TAutoBackup::Hand(TJob job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queued_ = std::move(job);   // a step still waiting is replaced
        if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void TAutoBackup::Run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || queued_; });
        if (!queued_) return;
        TJob job = std::move(*queued_);
        queued_.reset();
        writing_ = true;
        lock.unlock();
        bool ok = false;
        try {
            job.step->RestoreInto(*job.net);
            if (job.planName) job.net->fileName = *job.planName;
            ok = job.writer && job.writer(*job.net, job.path);
        } catch (...) {
            // A backup that cannot be made leaves editing alone, like one that cannot be written.
        }
        job = TJob{};   // the restored network goes before the lock is taken again
        lock.lock();
        writing_ = false;
        if (ok) ++writes_;
        idle_.notify_all();
    }
}

bool TAutoBackup::WriteBackup(Tpertgra& net, const std::string& path)
{
    const std::string fileName = net.fileName;
    const bool modified = net.modified;
    const bool hasFile = net.hasFile;
    bool ok = false;
    try {
        const std::vector<uint8_t> bytes = WriteProjectBytes(net);
        std::string reason;
        ok = ReplaceFileContents(path, bytes, false, reason);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    net.fileName = fileName;
    net.modified = modified;
    net.hasFile = hasFile;
    return ok;
}
