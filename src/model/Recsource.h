#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TPrtWriter;
class TPrtReader;

// One resource use: a line of a work's resource list, or one custom entry of
// a project day (then chained through `next` with the other entries of that day).
class Trecsource {
public:
    float startDay = 0;
    float endDay = 0;
    std::string number;
    std::string name;
    std::string unit;
    float price = 0;
    float dailyAmount = 0;
    std::string resourceKind;
    std::unique_ptr<Trecsource> next;   // owned chain of the same day
    double totalAmount = 0;
    int32_t measureMode = 0;            // 0 total given, 1 daily amount given
    int32_t drawMode = 0;               // 0 line, 1 histogram, 2 curve

    Trecsource() = default;
    ~Trecsource();
    // A copy carries every field but the chain and the draw mode.
    Trecsource(const Trecsource& o);
    Trecsource& operator=(const Trecsource& o);
    Trecsource(Trecsource&&) noexcept = default;
    Trecsource& operator=(Trecsource&&) noexcept = default;

    // Copies this entry and the whole chain behind it (custom store days).
    std::unique_ptr<Trecsource> CloneChain() const;

    // Compares the fields and the chains behind both entries; drawMode is not compared.
    bool operator==(const Trecsource& o) const;

    // Version 2, followed by the records of the chain behind this entry.
    void Write(TPrtWriter& w) const;
    // A version below 2 keeps the entry; the chain is read without recursion.
    void Read(TPrtReader& r);
    // Files up to 1.54: no version, floats, no draw mode and no chain.
    void ReadOld(TPrtReader& r, double version);

    static const char* MeasureModeText(int32_t mode);
    static const char* DrawModeText(int32_t mode);
    void SetDrawModeText(const std::string& text);
};

// True when both are null, or both are set and equal with their chains.
bool SameChain(const Trecsource* a, const Trecsource* b);
