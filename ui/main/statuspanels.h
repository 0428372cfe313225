#pragma once

#include <QFrame>

class QLabel;

// The status bar's two panels: panel 0 as wide as the window less 100 pixels, panel 1 filling the
// rest. The panels are placed by hand so that panel 0's width never holds the window at a minimum
// size. Installed as the window's event filter, they follow its resizes and show its hints.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QLabel* panel(int index) const { return index == 0 ? m_hint : m_length; }

    // Panel 0 shows a control's hint; without one, the notice of a missing sound output.
    void showHint(const QString& hint);
    // Panel 1 shows the loaded file's length.
    void showLength(const QString& text);
    // An empty `problem` is sound output working again.
    void showOutputProblem(const QString& problem);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();

    QLabel* m_hint;
    QLabel* m_length;
    int m_firstWidth = 250;
    QString m_outputNotice; // shown in panel 0 while there is no sound output, between hints
};
