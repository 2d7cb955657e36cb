#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class Tfenzuarray {
public:
    bool operator==(const Tfenzuarray&) const { return true; }
};
