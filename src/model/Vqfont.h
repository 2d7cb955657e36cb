#pragma once
#include <cstdint>
#include <string>

// A font as the drawing and the project file know it. Copied by value;
// two fonts are the same when name and size agree (colour and style are
// presentation details that the undo equality does not track).
struct TVqFont {
    enum Style : int32_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    std::string name = "宋体";
    int32_t size = 9;          // points
    int32_t color = 0;         // 0x00BBGGRR
    int32_t style = 0;         // bit set of Style
    int32_t charset = 1;       // 1 = default character set

    TVqFont() = default;
    TVqFont(std::string n, int32_t s, int32_t c) : name(std::move(n)), size(s), color(c) {}

    bool operator==(const TVqFont& o) const { return name == o.name && size == o.size; }
};
