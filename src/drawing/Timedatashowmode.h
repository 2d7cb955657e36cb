#pragma once

class TPrtWriter;
class TPrtReader;

// Which time parameters the works' labels show: 14 flags, stored one byte each.
class TTimeDataShowMode {
public:
    static constexpr int kCount = 14;

    bool showES = true;
    bool showEF = true;
    bool showLS = true;
    bool showLF = true;
    bool showTF = true;
    bool showFF = true;
    bool connectLine = true;       // line from the work to its label
    bool nonCriticalOnly = false;  // labels only on non-critical works
    bool reserved[6] = {true, true, true, false, false, false};

    // Flag i in stored order (0 ES, 1 EF, 2 LS, 3 LF, 4 TF, 5 FF, 6, 7, 8..13 reserved).
    bool Get(int i) const;
    void Set(int i, bool v);

    bool operator==(const TTimeDataShowMode& o) const;

    // int32 2, then the 14 bytes; a version below 2 leaves the flags as they are.
    void Write(TPrtWriter& w) const;
    void Read(TPrtReader& r);
    // Old files hold only the first 8 bytes, without version.
    void ReadOld(TPrtReader& r, double version);
};
