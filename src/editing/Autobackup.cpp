#include "editing/Autobackup.h"

#include <new>
#include <stdexcept>
#include <vector>

#include "editing/Backupfiles.h"
#include "file/Projectfile.h"
#include "model/Pertgra.h"
#include "platform/Replacefile.h"

TAutoBackup::TAutoBackup(std::unique_ptr<ITimer> timer, TBackupFiles& files,
                         std::function<Tpertgra*()> network)
    : writer(&TAutoBackup::WriteBackup), timer_(std::move(timer)), files_(files),
      network_(std::move(network))
{
    timer_->SetTimeout([this] { Expired(); });
}

TAutoBackup::~TAutoBackup()
{
    timer_->SetTimeout(nullptr);
    timer_->Stop();
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
    if (!path_.empty()) files_.Release(path_);
    path_.clear();
}

void TAutoBackup::WriteNow()
{
    pending_ = false;
    Tpertgra* net = network_ ? network_() : nullptr;
    if (!net) return;
    if (path_.empty()) path_ = files_.Claim();
    if (writer(*net, path_)) ++writes;
    timer_->Start(kIntervalMs);
}

void TAutoBackup::Expired()
{
    if (pending_) WriteNow();
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
