#include "browse/filelistcontroller.h"

#include "browse/browser.h"
#include "browse/listbox.h"
#include "playback/playbackcontrol.h"
#include "ui/dialogs/errorboundary.h"

void pressList(ListBox& list, Qt::MouseButton button, QPoint pos) {
    list.setFocus(Qt::MouseFocusReason);
    if (button == Qt::RightButton) {
        const int row = list.rowAt(pos);
        if (row >= 0)
            list.selectRow(row);
    }
}

void applyRelease(PlaybackControl& playback, const ReleaseHooks& hooks, const QString& file,
                  const ReleaseAction& action) {
    const int clickAction = hooks.clickAction();
    if (clickAction == 0 || clickAction == 1) {
        playback.loadStep(file);
        if (action.play != ReleaseAction::Play::None)
            playback.startStep(action.play == ReleaseAction::Play::Looped);
    }
    if (action.addToPlaylist)
        hooks.addToPlaylist();
    if (action.edit)
        hooks.edit();
}

FileListController::FileListController(Browser& browser, PlaybackControl& playback, Hooks hooks)
    : m_browser(browser), m_playback(playback), m_hooks(std::move(hooks)) {}

void FileListController::bind(QObject* context, Prompt& prompt) {
    const auto guarded = [&prompt](auto handler) {
        return errorboundary::guarded(prompt, handler);
    };
    ListBox* wavs = m_browser.wavs();
    QObject::connect(wavs, &ListBox::changed, context, guarded([this] { lbWavsChange(); }));
    QObject::connect(wavs, &ListBox::mouseDown, context,
                     guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint p) {
                         lbWavsMouseDown(b, p);
                     }));
    QObject::connect(
        wavs, &ListBox::mouseUp, context,
        guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers m) { lbWavsMouseUp(b, m); }));
    QObject::connect(wavs, &ListBox::keyUp, context,
                     guarded([this](int key) { lbWavsKeyUp(key); }));
}

void FileListController::lbWavsChange() {
    m_hooks.checkWavRule();
    const QString name = m_browser.selectedWav();
    if (name.isEmpty())
        return;
    m_playback.playFile(name, false);
}

void FileListController::lbWavsMouseDown(Qt::MouseButton button, QPoint pos) {
    pressList(*m_browser.wavs(), button, pos);
}

void FileListController::lbWavsMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    m_playback.closeDevice();
    m_hooks.checkWavRule();
    m_hooks.checkPlayRule();
    const QString name = m_browser.selectedWav();
    if (name.isEmpty())
        return;
    applyRelease(m_playback, m_hooks.release, name,
                 wavReleaseAction(m_hooks.release.clickAction(), button, modifiers));
}

void FileListController::lbWavsKeyUp(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const QString name = m_browser.selectedWav();
    if (!name.isEmpty())
        m_playback.playFile(name, false);
}
