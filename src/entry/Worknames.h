#pragma once
#include <string>
#include <vector>

// The common work names of "workbook.txt", one name per line, and the text
// of the dialog "常用工作名称" that edits them. The file is read from the
// settings folder and, while the user has not saved a list of their own,
// from the list that ships beside the program; it is always written to the
// settings folder. Files are UTF-8; a file in code page 936 (an older list)
// is read as such.
class TWorknames {
public:
    std::string text;        // the dialog's text box, lines joined by '\n'
    bool modified = false;   // the text was edited since it was loaded

    // The file's lines into the text box (empty when there is no file).
    void Load();
    // 确定: writes the lines back when the text was modified; false when
    // writing failed.
    bool Confirm();
    // 取消: edits are discarded by reading the file again.
    void Cancel();
    // The names the work dialog lists: the non-blank lines of the text.
    std::vector<std::string> Names() const;

    static std::string ReadPath();
    static std::string WritePath();
    // The names of the file as the work dialog's list shows them.
    static std::vector<std::string> ReadNames();
    // Appends the name unless a line already equals it (or it is blank) and
    // writes the list; true when the file was written.
    static bool AppendName(const std::string& name);
};
