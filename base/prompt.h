#pragma once

#include <QString>
#include <QStringList>

// Every modal question, message box and file dialog of the program goes through this interface,
// so that tests can answer them.
class Prompt {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileDialog {
        QString title;
        QStringList nameFilters; // e.g. "Sondrix Playlists (*.sxp)"
        QString defaultSuffix;
        QString initialDirectory;
        bool confirmOverwrite = false; // save dialogs
        // Those of the name filters that list only files the user may execute.
        QStringList executableFilters;
    };

    virtual ~Prompt() = default;

    // "Confirm" box with a question icon and Yes/No, or Yes/No/Cancel. Closing it without a button
    // answers Cancel.
    virtual Answer confirm(const QString& text, bool withCancel) = 0;
    virtual void error(const QString& text) = 0;       // "Error" box, OK
    virtual void information(const QString& text) = 0; // "Information" box, OK
    // The general error report: captioned with the application title, critical icon.
    virtual void failure(const QString& text) = 0;
    // The chosen file, or empty when the user cancelled.
    virtual QString openFileName(const FileDialog& dialog) = 0;
    virtual QString saveFileName(const FileDialog& dialog) = 0;
};
