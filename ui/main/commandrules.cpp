#include "ui/main/commandrules.h"

namespace {

using enum CommandId;

// The commands a rule sets, as the command table's rule column declares them.
QList<CommandId> commandsSetBy(RuleGroup rule) {
    QList<CommandId> commands;
    for (const CommandRow& row : commandRows()) {
        const bool bothListRules = row.group == RuleGroup::WavAndPlaylistRules &&
                                   (rule == RuleGroup::WavRule || rule == RuleGroup::PlaylistRule);
        if (row.group == rule || bothListRules)
            commands.append(row.id);
    }
    return commands;
}

template <typename Enabled> QList<CommandState> statesOf(RuleGroup rule, Enabled enabled) {
    QList<CommandState> states;
    for (CommandId command : commandsSetBy(rule))
        states.append({command, enabled(command)});
    return states;
}

} // namespace

QList<CommandState> wavRule(int w) {
    return statesOf(RuleGroup::WavRule, [w](CommandId) { return w != -1; });
}

QList<CommandState> playlistRule(int p, int n) {
    return statesOf(RuleGroup::PlaylistRule, [p, n](CommandId command) {
        switch (command) {
        case MoveUp:
            return p > 0;
        case MoveDown:
            return p != -1 && p != n - 1;
        case PlayPlaylist:
            return n > 0;
        default:
            return p != -1;
        }
    });
}

QList<CommandState> playRule(int w, int p) {
    return statesOf(RuleGroup::PlayRule, [w, p](CommandId) { return w != -1 || p != -1; });
}

QList<CommandState> popupPlayRule(int w, int p) {
    return statesOf(RuleGroup::PlayWavRule, [w](CommandId) { return w != -1; }) +
           statesOf(RuleGroup::PlayEntryRule, [p](CommandId) { return p != -1; });
}

QList<CommandId> alwaysEnabledCommands() {
    return commandsSetBy(RuleGroup::Always);
}
