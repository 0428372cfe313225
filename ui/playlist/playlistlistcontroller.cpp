#include "ui/playlist/playlistlistcontroller.h"

#include "base/errorboundary.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistmodel.h"
#include "ui/browse/listbox.h"
#include "ui/browse/listevents.h"

PlaylistListController::PlaylistListController(ListBox& list, PlaylistModel& model,
                                               PlaybackControl& playback, Hooks hooks)
    : m_list(list), m_model(model), m_playback(playback), m_hooks(std::move(hooks)) {}

void PlaylistListController::bind(QObject* context, Prompt& prompt) {
    const auto guarded = [&prompt](auto handler) {
        return errorboundary::guarded(prompt, handler);
    };
    QObject::connect(&m_list, &ListBox::mouseDown, context,
                     guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint p) {
                         handleMousePress(b, p);
                     }));
    QObject::connect(
        &m_list, &ListBox::mouseUp, context,
        guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers m) { handleMouseRelease(b, m); }));
}

void PlaylistListController::handleMousePress(Qt::MouseButton button, QPoint pos) {
    pressList(m_list, button, pos);
}

void PlaylistListController::handleMouseRelease(Qt::MouseButton button,
                                                Qt::KeyboardModifiers modifiers) {
    m_hooks.checkPlaylistRule();
    m_hooks.checkPlayRule();
    const int row = m_list.selectedRow();
    if (row < 0 || row >= m_model.count())
        return;
    PlaybackSteps steps(m_playback);
    applyRelease(steps, m_hooks.release, m_model.path(row),
                 playlistReleaseAction(m_hooks.release.clickAction(), button, modifiers));
}
