#pragma once

#include "base/prompt.h"

#include <QList>
#include <QStringList>

// Answers the program's questions from a script and records everything it was asked.
class FakePrompt : public Prompt {
public:
    struct Asked {
        QString kind; // "confirm", "error", "information", "failure", "open", "save"
        QString text;
    };

    QList<Answer> answers; // taken in order; Cancel when none is left
    QStringList fileNames; // answers to file dialogs, taken in order
    QList<Asked> asked;
    QList<FileDialog> dialogs;

    Answer confirm(const QString& text, bool) override {
        asked.append({QStringLiteral("confirm"), text});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    void error(const QString& text) override { asked.append({QStringLiteral("error"), text}); }
    void information(const QString& text) override {
        asked.append({QStringLiteral("information"), text});
    }
    void failure(const QString& text) override { asked.append({QStringLiteral("failure"), text}); }
    QString openFileName(const FileDialog& dialog) override { return fileDialog("open", dialog); }
    QString saveFileName(const FileDialog& dialog) override { return fileDialog("save", dialog); }

    QStringList texts(const QString& kind) const {
        QStringList result;
        for (const Asked& a : asked)
            if (a.kind == kind)
                result.append(a.text);
        return result;
    }

private:
    QString fileDialog(const char* kind, const FileDialog& dialog) {
        asked.append({QLatin1String(kind), dialog.title});
        dialogs.append(dialog);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};
