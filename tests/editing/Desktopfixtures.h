#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "model/Pertgra.h"
#include "support/Netbuilder.h"

// A fresh folder under the system's temporary folder, removed at the end.
class TScratchFolder {
public:
    TScratchFolder()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "desktop-XXXXXX").string();
        if (char* made = mkdtemp(tmpl.data())) path = made;
    }
    ~TScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

inline std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline bool FileExists(const std::string& path)
{
    return std::filesystem::is_regular_file(path);
}

// A small plan of three works: A -> B (5 days), B -> C (3 days), A -> C (2 days).
inline std::unique_ptr<Tpertgra> SmallPlan()
{
    TNetBuilder b;
    b.Work('A', 'B', 5);
    b.Work('B', 'C', 3);
    b.Work('A', 'C', 2);
    b.Place();
    b.net->Recalculate();
    return std::move(b.net);
}
