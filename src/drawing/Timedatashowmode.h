#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class TTimeDataShowMode {
public:
    bool operator==(const TTimeDataShowMode&) const { return true; }
};
