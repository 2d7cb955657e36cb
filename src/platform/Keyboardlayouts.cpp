#include "platform/Keyboardlayouts.h"

namespace {

TRememberedKeyboardLayout remembered;
IKeyboardLayouts* bound = nullptr;

}  // namespace

IKeyboardLayouts& KeyboardLayouts()
{
    return bound ? *bound : remembered;
}

void SetKeyboardLayouts(IKeyboardLayouts* layouts)
{
    bound = layouts;
}
