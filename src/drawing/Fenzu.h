#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/Position2d.h"
#include "model/Vqfont.h"

class TPrtWriter;
class TPrtReader;

// One cell of the group column left of the drawing: a description over a band of rows.
class Tfenzu {
public:
    TPosition2D position;   // top-left corner, drawing units
    double height = 100.0;
    double width = 0.0;
    std::string text = "说明";
    TVqFont font{"宋体", 10, 0x00FFFF};
    int32_t reserved = 0;
    int32_t printColor = 0;
    bool separatorLine = true;

    // All eight fields; the font by name and size.
    bool operator==(const Tfenzu& o) const = default;

    // Version 3. Reading version 1 or less keeps the values; version 2 carries
    // an old text block and no reserved value.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Files up to 1.54: the version-2 layout without version.
    void ReadOld(TPrtReader& r, double version);
};

// The group column: the drawing's origin, the column width and the cells from the top down.
class Tfenzuarray {
public:
    TPosition2D origin{50, 100};
    double groupColumnWidth = 0;
    double reserved = 0;
    std::vector<Tfenzu> items;

    bool operator==(const Tfenzuarray& o) const = default;

    // Version 2. Groups read are appended to the list.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    void ReadOld(TPrtReader& r, double version);

private:
    void ReadHead(TPrtReader& r);
};
