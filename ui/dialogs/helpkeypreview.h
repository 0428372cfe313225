#pragma once

#include <QObject>

class HelpService;
class QWidget;

// F1 for one window, wherever the focus is in it: when F1 is released, the help service is asked
// for the help context of the focused control, or of that control's parent when the control's
// own context is 0. A widget's context is set with setHelpContext; a widget without one has 0.
class HelpKeyPreview : public QObject {
public:
    HelpKeyPreview(QWidget* window, HelpService& help);
    ~HelpKeyPreview() override;

    // The context F1 asks for; the window's own when nothing in it has the focus.
    static int contextOfFocus(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    HelpService& m_help;
};

void setHelpContext(QWidget* widget, int context);
