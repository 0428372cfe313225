#include "browse/clickactions.h"

namespace {

// Keyboard modifiers only; the keypad flag says nothing about what the user held.
Qt::KeyboardModifiers held(Qt::KeyboardModifiers modifiers) {
    return modifiers &
           (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
}

} // namespace

ReleaseAction playlistReleaseAction(int clickAction, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers) {
    ReleaseAction action;
    if (button != Qt::LeftButton)
        return action;
    const Qt::KeyboardModifiers mods = held(modifiers);
    if (clickAction == 0 && mods == Qt::NoModifier)
        action.play = ReleaseAction::Play::Once;
    else if (clickAction == 1 && mods == Qt::AltModifier)
        action.play = ReleaseAction::Play::Looped;
    action.edit = mods == Qt::ControlModifier;
    return action;
}

ReleaseAction wavReleaseAction(int clickAction, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers) {
    ReleaseAction action = playlistReleaseAction(clickAction, button, modifiers);
    action.addToPlaylist = button == Qt::LeftButton && held(modifiers) == Qt::ShiftModifier;
    return action;
}
