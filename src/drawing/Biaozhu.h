#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class TBiaoZhu {
public:
    bool operator==(const TBiaoZhu&) const { return true; }
};
