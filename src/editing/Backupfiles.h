#pragma once
#include <set>
#include <string>
#include <vector>

// The crash backups in the backup folder: one file per open document, the
// first named "~TMP", further ones "~TMP1", "~TMP2", ... A file that is there
// when the program starts was left by a run that did not end normally.
class TBackupFiles {
public:
    static constexpr const char* kBaseName = "~TMP";

    explicit TBackupFiles(std::string folder) : folder_(std::move(folder)) {}

    const std::string& Folder() const { return folder_; }

    // The backups present in the folder, "~TMP" first, then by number.
    std::vector<std::string> Leftovers() const;
    // A path for a new document's backup: the first name that neither an
    // open document holds nor a file on disk carries.
    std::string Claim();
    // A document restored from a backup keeps that file as its own.
    void ClaimExisting(const std::string& path);
    // The document closed normally: its backup is deleted and the name freed.
    void Release(const std::string& path);
    // A leftover the user did not want restored stays until the program ends normally.
    void Decline(const std::string& path);
    // Normal program end: every backup still claimed or declined is deleted.
    void RemoveAll();

    // True for the file-name part of a backup ("~TMP" or "~TMP" and digits).
    static bool IsBackupName(const std::string& fileName);

private:
    std::string folder_;
    std::set<std::string> claimed_;
    std::set<std::string> declined_;
};
