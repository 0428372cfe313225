#include "browse/clickactions.h"

#include "base/heldmodifiers.h"

ReleaseAction playlistReleaseAction(int clickAction, Qt::MouseButton button,
                                    Qt::KeyboardModifiers modifiers) {
    ReleaseAction action;
    if (button != Qt::LeftButton)
        return action;
    const Qt::KeyboardModifiers mods = heldModifiers(modifiers);
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
    action.addToPlaylist =
        button == Qt::LeftButton && heldModifiers(modifiers) == Qt::ShiftModifier;
    return action;
}
