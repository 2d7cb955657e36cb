#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class Tpertgrid {
public:
    bool operator==(const Tpertgrid&) const { return true; }
};
