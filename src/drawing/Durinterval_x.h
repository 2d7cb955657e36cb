#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class Tlistdurinterval_x {
public:
    bool operator==(const Tlistdurinterval_x&) const { return true; }
};
