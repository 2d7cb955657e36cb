#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Receives the bytes of a file piece by piece.
using TFilePut = std::function<void(const uint8_t*, size_t)>;

// How a file is replaced.
struct TReplaceOptions {
    // The data and the rename are forced to disk before returning (a
    // project or settings file); without it they only survive a crash of
    // the program, which is what a crash backup written every second needs.
    bool durable = true;
    // An existing file that may not be written is not replaced (its folder
    // may still allow the rename).
    bool keepWriteProtected = false;
};

// Writes a new file next to path with the bytes produce hands to its
// argument and renames it over path, so that path holds either its old
// contents or the complete new ones. A symbolic link is kept: the file it
// points to is the one replaced, and the old file's permissions carry over.
// Returns 0, or the errno of the step that failed; then nothing is left
// behind. An exception thrown by produce removes the new file and goes on.
int ReplaceFileWith(const std::string& path, const std::function<void(const TFilePut&)>& produce,
                    const TReplaceOptions& options);

// The same for bytes already in memory; on failure reason says why.
bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes,
                         bool durable, std::string& reason);
