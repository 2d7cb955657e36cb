#pragma once
// PLACEHOLDER: fields, defaults and equality are filled in with the owning subsystem.
class TDisplaySettings {
public:
    bool operator==(const TDisplaySettings&) const { return true; }
};
