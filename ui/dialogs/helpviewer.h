#pragma once

#include "base/helpservice.h"

#include <QPointer>
#include <QString>

class QTextBrowser;

// The program's help viewer: one window, created on the first request and reused, that shows the
// help file at the topic of the requested context. The topics carry the anchors anchorFor(n).
// The window stays usable while a modal dialog is open and outlives that dialog.
class HelpViewer : public HelpService {
public:
    explicit HelpViewer(QString helpFile);
    ~HelpViewer() override;

    void showContext(int context) override;

    static QString anchorFor(int context);
    QString helpFile() const { return m_helpFile; }
    QTextBrowser* window() const; // null before the first request

private:
    void load(int context);

    QString m_helpFile;
    QPointer<QTextBrowser> m_window;
};
