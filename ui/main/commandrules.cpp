#include "ui/main/commandrules.h"

#include <QStringList>

namespace {

QList<ControlState> allSetTo(const QStringList& controls, bool enabled) {
    QList<ControlState> states;
    for (const QString& control : controls)
        states.append({control, enabled});
    return states;
}

// The playlist rule is a sequence of steps over one table; a later step overrides an earlier.
class StateTable {
public:
    void set(const QStringList& controls, bool enabled) {
        for (const QString& control : controls) {
            auto it = std::find_if(m_states.begin(), m_states.end(),
                                   [&](const ControlState& s) { return s.control == control; });
            if (it == m_states.end())
                m_states.append({control, enabled});
            else
                it->enabled = enabled;
        }
    }
    bool get(const QString& control) const {
        for (const ControlState& s : m_states)
            if (s.control == control)
                return s.enabled;
        return false;
    }
    const QList<ControlState>& states() const { return m_states; }

private:
    QList<ControlState> m_states;
};

const QStringList kMoveUp = {QStringLiteral("sbUp"), QStringLiteral("miPlaylistMoveUp"),
                             QStringLiteral("pmiMoveUp")};
const QStringList kMoveDown = {QStringLiteral("sbDown"), QStringLiteral("miPlaylistMoveDown"),
                               QStringLiteral("pmiMoveDown")};
const QStringList kRemove = {QStringLiteral("sbRemove"), QStringLiteral("miPlaylistRemove"),
                             QStringLiteral("pmiRemove")};
const QStringList kPlaylistEdit = {QStringLiteral("sbEdit"), QStringLiteral("pmiEdit1")};
const QStringList kPlayPlaylist = {QStringLiteral("sbPlayPlaylist"),
                                   QStringLiteral("miPlaylistPlay"),
                                   QStringLiteral("pmiPlayPlaylist")};

} // namespace

QList<ControlState> wavRule(int w) {
    static const QStringList controls = {QStringLiteral("sbCopy"),
                                         QStringLiteral("miEditCopy"),
                                         QStringLiteral("pmiCopy0"),
                                         QStringLiteral("sbMove"),
                                         QStringLiteral("miEditMove"),
                                         QStringLiteral("pmiMove0"),
                                         QStringLiteral("sbRename"),
                                         QStringLiteral("miEditRename"),
                                         QStringLiteral("pmiRename0"),
                                         QStringLiteral("sbDelete"),
                                         QStringLiteral("miEditDelete"),
                                         QStringLiteral("pmiDelete0"),
                                         QStringLiteral("sbEdit"),
                                         QStringLiteral("miEditEdit"),
                                         QStringLiteral("pmiEdit0"),
                                         QStringLiteral("sbAdd"),
                                         QStringLiteral("miEditAddToPlaylist"),
                                         QStringLiteral("pmiAddToPlaylist"),
                                         QStringLiteral("sbAddAll"),
                                         QStringLiteral("miEditAddAll"),
                                         QStringLiteral("pmiAddAll")};
    return allSetTo(controls, w != -1);
}

QList<ControlState> playlistRule(int p, int n) {
    StateTable table;
    table.set(kMoveUp + kMoveDown + kRemove + kPlaylistEdit + kPlayPlaylist, true);
    if (p == -1)
        table.set(kMoveUp + kMoveDown + kRemove + kPlaylistEdit, false);
    if (p == 0) {
        table.set(kMoveUp, false);
        table.set(kMoveDown, true);
    }
    if (p == n - 1) {
        table.set({QStringLiteral("sbUp")}, p > 0);
        table.set(kMoveUp.mid(1), table.get(QStringLiteral("sbUp")));
        table.set(kMoveDown, false);
    }
    if (n <= 0)
        table.set(kPlayPlaylist, false);
    return table.states();
}

QList<ControlState> playRule(int w, int p) {
    QList<ControlState> states =
        allSetTo({QStringLiteral("miControlsPlay"), QStringLiteral("miControlsLoop"),
                  QStringLiteral("miControlsStop"), QStringLiteral("sbPlay"),
                  QStringLiteral("sbLoop"), QStringLiteral("sbStop")},
                 w != -1 || p != -1);
    states += allSetTo(
        {QStringLiteral("pmiPlay0"), QStringLiteral("pmiLoop0"), QStringLiteral("pmiStop0")},
        w != -1);
    states += allSetTo(
        {QStringLiteral("pmiPlay1"), QStringLiteral("pmiLoop1"), QStringLiteral("pmiStop1")},
        p != -1);
    return states;
}

QStringList alwaysEnabledControls() {
    return {QStringLiteral("miFileNew"),
            QStringLiteral("miFileOpen"),
            QStringLiteral("miFileSave"),
            QStringLiteral("miFileSaveAs"),
            QStringLiteral("miFileExit"),
            QStringLiteral("sbNew"),
            QStringLiteral("sbOpen"),
            QStringLiteral("sbSave"),
            QStringLiteral("miPlaylistClear"),
            QStringLiteral("sbClear"),
            QStringLiteral("Clear1"),
            QStringLiteral("miViewToolbar"),
            QStringLiteral("miViewPlayList"),
            QStringLiteral("sbShowPlaylist"),
            QStringLiteral("miToolsCustomize"),
            QStringLiteral("Customize1"),
            QStringLiteral("miToolsPreferences"),
            QStringLiteral("miHelpContents"),
            QStringLiteral("miHelpAbout")};
}
