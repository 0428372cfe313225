#pragma once

#include <Qt>

// The modifier keys a person held; the keypad flag says nothing about what they pressed.
inline Qt::KeyboardModifiers heldModifiers(Qt::KeyboardModifiers modifiers) {
    return modifiers &
           (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
}
