#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class Tgantt {
public:
    bool operator==(const Tgantt&) const { return true; }
};
