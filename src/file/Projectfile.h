#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Tpertgra;

// The project file: a version string, a body and a trailer holding the
// file's length. Layout 3 is written; layout 2 and the body of files of
// version 1.54 and older are read as well.

// What a read found out about the file, and why it failed.
struct TProjectFormat {
    std::string versionText;  // as stored
    double version = 1.0;     // the number it stands for
    // 3 or 2 for files above 1.54 (the stored layout number; anything above 2
    // is read as 3), 1 for the body of files of 1.54 and older, 0 when the
    // body was not reached.
    int32_t layout = 0;
    // Empty after a successful read; otherwise why the file was refused and,
    // for damaged data, the offset at which reading stopped.
    std::string problem;
    size_t problemOffset = 0;
};

// The plain message of a file that cannot be what it claims.
inline constexpr const char* kCorruptFileMessage = "文件格式不对或已被破坏！";

// The bytes of the whole file in layout 3, the trailer included. Refreshes
// every work's toNodeId. unconvertible, when given, receives the texts that
// code page 936 cannot hold (written with '?' in their place).
std::vector<uint8_t> WriteProjectBytes(Tpertgra& net,
                                       std::vector<std::string>* unconvertible = nullptr);

// Reads a whole file held in memory into a freshly created network; path is
// the name the file was opened under. Result 1 on success, 0 on failure; a
// damaged file shows "文件格式不对或已被破坏！". After a failure the network
// holds no nodes and is only fit to be thrown away. After a success
// hasFile is true and modified false, the auxiliary works are re-checked and
// the nodes renumbered.
int ReadProjectBytes(Tpertgra& net, const uint8_t* data, size_t size, const std::string& path,
                     TProjectFormat* format = nullptr);

// Writes the network to path through a temporary file in the same folder
// that replaces the old file only once it is completely on disk. On success
// fileName is path, hasFile true and modified false, and texts that code page
// 936 cannot hold are named in one warning; on failure a warning tells why,
// the old file stays as it was and the network is unchanged.
bool SaveProject(Tpertgra& net, const std::string& path);

// Reads the file at path (ReadProjectBytes). A missing or unreadable file
// fails with a warning naming it.
int LoadProject(Tpertgra& net, const std::string& path, TProjectFormat* format = nullptr);

// The version number of a version text: the decimal number when the text is
// digits with at most one point, otherwise 1.0. Independent of the locale.
double ProjectVersionOf(const std::string& text);
