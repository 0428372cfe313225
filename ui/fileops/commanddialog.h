#pragma once

#include <QDialog>

class HelpService;
class QFrame;
class QKeyEvent;
class QPushButton;

// A modal dialog of the file commands: fixed size, centred on the screen, and it sees key
// presses before its controls do. Releasing F1 opens help at the topic of the focused control,
// or of its parent when the control has none (every control here has none, so the dialog's).
class CommandDialog : public QDialog {
    Q_OBJECT
public:
    CommandDialog(HelpService& help, int helpContext, QWidget* parent);
    ~CommandDialog() override;

    QPushButton* btnOK;     // "OK", the default button
    QPushButton* btnCancel; // "Cancel"
    QFrame* Bevel1;         // the vertical line between the fields and the buttons

protected:
    // Puts the line at `bevelLeft`, the full height of the dialog, and the buttons right of it.
    void placeButtons(int bevelLeft);
    // A key press anywhere in the dialog, before the focused control; true consumes it.
    virtual bool previewKeyPress(QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int helpContextOfFocus() const;

    HelpService& m_help;
};
