#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class TPertTime_out {
public:
    bool operator==(const TPertTime_out&) const { return true; }
};
