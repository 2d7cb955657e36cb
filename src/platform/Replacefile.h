#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to a new file next to path and renames it over path, so
// that path holds either its old contents or the complete new ones. With
// durable set, the data and the rename are forced to disk before returning
// (a settings file); without it they only survive a crash of the program,
// which is what a crash backup written every second needs. On failure reason
// says why and nothing is left behind.
bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes,
                         bool durable, std::string& reason);
