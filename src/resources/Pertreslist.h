#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class TPertResList {
public:
    bool operator==(const TPertResList&) const { return true; }
};
