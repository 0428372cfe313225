#pragma once

#include "base/inistore.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "tests/support/fakeprompt.h"

#include <QList>
#include <QObject>

// The playlist model and its editor with a scripted prompt and the test's own configuration store,
// recording what the playlist's commands ask of whoever shows the playlist.
struct PlaylistCore {
    PlaylistCore() { watch(editor); }
    template <typename Commands> void watch(Commands& commands) {
        if constexpr (requires { &Commands::showRequested; })
            QObject::connect(&commands, &Commands::showRequested,
                             [this](bool withFocus) { showRequests.append(withFocus); });
        if constexpr (requires { &Commands::ruleCheckRequested; })
            QObject::connect(&commands, &Commands::ruleCheckRequested,
                             [this](bool withPlayRule) { ruleChecks.append(withPlayRule); });
    }
    void addEntries(const QStringList& paths) {
        for (const QString& path : paths)
            model.append(path, path);
    }

    PlaylistModel model;
    FakePrompt prompt;
    IniStore store{IniStore::sharedFilePath()};
    PlaylistEditor editor{model, prompt, store};
    QList<bool> showRequests; // withFocus of each request
    QList<bool> ruleChecks;   // withPlayRule of each request
};
