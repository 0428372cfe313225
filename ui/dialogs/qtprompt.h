#pragma once

#include "base/prompt.h"

class QWidget;

// The prompts as the user sees them: message boxes and file dialogs over the main window.
class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QWidget* parent) : m_parent(parent) {}
    // The window the boxes sit over, when it is made after the prompt.
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer confirm(const QString& text, bool withCancel) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    void failure(const QString& text) override;
    QString openFileName(const FileDialog& dialog) override;
    QString saveFileName(const FileDialog& dialog) override;

private:
    QWidget* m_parent;
};
