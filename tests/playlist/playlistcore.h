#pragma once

#include "base/inistore.h"
#include "playlist/playlistmodel.h"
#include "tests/support/fakeprompt.h"

#include <QList>
#include <QObject>

// The playlist model with a scripted prompt and the test's own configuration store, recording what
// the model asks of whoever shows it.
struct PlaylistCore {
    PlaylistCore() {
        QObject::connect(&model, &PlaylistModel::showRequested,
                         [this](bool withFocus) { showRequests.append(withFocus); });
        QObject::connect(&model, &PlaylistModel::ruleCheckRequested,
                         [this](bool withPlayRule) { ruleChecks.append(withPlayRule); });
    }
    void addEntries(const QStringList& paths) {
        for (const QString& path : paths)
            model.append(path, path);
    }

    PlaylistModel model;
    FakePrompt prompt;
    IniStore store{IniStore::sharedFilePath()};
    QList<bool> showRequests; // withFocus of each request
    QList<bool> ruleChecks;   // withPlayRule of each request
};
