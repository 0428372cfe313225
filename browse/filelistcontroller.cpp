#include "browse/filelistcontroller.h"

#include "playback/playbackcontrol.h"

void PlaybackSteps::loadStep(const QString& fileName) {
    m_playback.loadStep(fileName);
}

void PlaybackSteps::startStep(bool loop) {
    m_playback.startStep(loop);
}

void PlaybackSteps::closeDevice() {
    m_playback.closeDevice();
}

void PlaybackSteps::playFile(const QString& fileName, bool loop) {
    m_playback.playFile(fileName, loop);
}

int rowSelectedByPress(Qt::MouseButton button, int rowUnderPointer) {
    return button == Qt::RightButton && rowUnderPointer >= 0 ? rowUnderPointer : -1;
}

void applyRelease(ListPlayback& playback, const ReleaseHooks& hooks, const QString& file,
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

FileListController::FileListController(std::unique_ptr<ListPlayback> playback, Hooks hooks)
    : m_playback(std::move(playback)), m_hooks(std::move(hooks)) {}

void FileListController::playSelectedWav() {
    m_hooks.checkWavRule();
    const QString name = m_hooks.selectedWav();
    if (name.isEmpty())
        return;
    m_playback->playFile(name, false);
}

void FileListController::handleMouseRelease(Qt::MouseButton button,
                                            Qt::KeyboardModifiers modifiers) {
    m_playback->closeDevice();
    m_hooks.checkWavRule();
    m_hooks.checkPlayRule();
    const QString name = m_hooks.selectedWav();
    if (name.isEmpty())
        return;
    applyRelease(*m_playback, m_hooks.release, name,
                 wavReleaseAction(m_hooks.release.clickAction(), button, modifiers));
}

void FileListController::handleKeyRelease(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const QString name = m_hooks.selectedWav();
    if (!name.isEmpty())
        m_playback->playFile(name, false);
}
