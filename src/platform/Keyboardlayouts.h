#pragma once
#include <cstdint>

// The keyboard layouts of the platform's input methods: which one is active,
// and switching to one by its identifier. Linux has no portable interface for
// this (each input-method framework has its own), so the program's default
// only remembers the identifier it was given and reports it back; switching
// does nothing to the desktop. A platform with switchable layouts binds its
// own implementation.
class IKeyboardLayouts {
public:
    virtual ~IKeyboardLayouts() = default;
    virtual int64_t ActiveLayout() const = 0;
    virtual void ActivateLayout(int64_t id) = 0;
};

// The bound layouts; without a binding the remembering default.
IKeyboardLayouts& KeyboardLayouts();
// Binds an implementation (not owned); null restores the default.
void SetKeyboardLayouts(IKeyboardLayouts* layouts);

// Remembers the last activated identifier (0 before any).
class TRememberedKeyboardLayout : public IKeyboardLayouts {
public:
    int64_t ActiveLayout() const override { return id; }
    void ActivateLayout(int64_t layout) override { id = layout; }
    int64_t id = 0;
};
