#include "ui/main/commandrules.h"

namespace {

using enum CommandId;

QList<CommandState> allSetTo(std::initializer_list<CommandId> commands, bool enabled) {
    QList<CommandState> states;
    for (CommandId command : commands)
        states.append({command, enabled});
    return states;
}

// The playlist rule is a sequence of steps over one table; a later step overrides an earlier.
class StateTable {
public:
    void set(std::initializer_list<CommandId> commands, bool enabled) {
        for (CommandId command : commands) {
            auto it = std::find_if(m_states.begin(), m_states.end(),
                                   [&](const CommandState& s) { return s.command == command; });
            if (it == m_states.end())
                m_states.append({command, enabled});
            else
                it->enabled = enabled;
        }
    }
    const QList<CommandState>& states() const { return m_states; }

private:
    QList<CommandState> m_states;
};

} // namespace

QList<CommandState> wavRule(int w) {
    return allSetTo({Copy, Move, Rename, Delete, EditButton, Edit, AddToPlaylist, AddAll}, w != -1);
}

QList<CommandState> playlistRule(int p, int n) {
    StateTable table;
    table.set({MoveUp, MoveDown, Remove, EditButton, EditEntry, PlayPlaylist}, true);
    if (p == -1)
        table.set({MoveUp, MoveDown, Remove, EditButton, EditEntry}, false);
    if (p == 0) {
        table.set({MoveUp}, false);
        table.set({MoveDown}, true);
    }
    if (p == n - 1) {
        table.set({MoveUp}, p > 0);
        table.set({MoveDown}, false);
    }
    if (n <= 0)
        table.set({PlayPlaylist}, false);
    return table.states();
}

QList<CommandState> playRule(int w, int p) {
    return allSetTo({Play, Loop, Stop}, w != -1 || p != -1);
}

QList<CommandState> popupPlayRule(int w, int p) {
    return allSetTo({PlayWav, LoopWav, StopWav}, w != -1) +
           allSetTo({PlayEntry, LoopEntry, StopEntry}, p != -1);
}

QList<CommandId> alwaysEnabledCommands() {
    QList<CommandId> commands;
    for (const CommandRow& row : commandRows())
        if (row.group == RuleGroup::Always)
            commands.append(row.id);
    return commands;
}
