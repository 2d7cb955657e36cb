#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class Tdisplace {
public:
    bool operator==(const Tdisplace&) const { return true; }
};
