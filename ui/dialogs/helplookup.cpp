#include "ui/dialogs/helplookup.h"

#include "base/errorboundary.h"
#include "base/helpservice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

void helplookup::setHelpContext(QWidget* widget, int context) {
    widget->setProperty(kContextProperty, context);
}

int helplookup::helpContext(const QWidget* widget) {
    return widget->property(kContextProperty).toInt();
}

int helplookup::contextForF1(const QWidget* window) {
    const QWidget* focused = window->focusWidget();
    if (!focused)
        return helpContext(window);
    const int own = helpContext(focused);
    if (own != 0 || !focused->parentWidget())
        return own;
    return helpContext(focused->parentWidget());
}

namespace {

// Key preview for one window: key events go to the focused control, so the filter watches the
// application and picks the releases whose target lies in its window.
class F1Filter : public QObject {
public:
    F1Filter(QWidget* window, HelpService& help, Prompt& prompt)
        : QObject(window), m_window(window), m_help(help), m_prompt(prompt) {
        qApp->installEventFilter(this);
    }
    ~F1Filter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyRelease || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != m_window)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->isAutoRepeat())
            return false;
        errorboundary::run(m_prompt,
                           [this] { m_help.showContext(helplookup::contextForF1(m_window)); });
        return true;
    }

private:
    QWidget* m_window;
    HelpService& m_help;
    Prompt& m_prompt;
};

} // namespace

void helplookup::installF1Help(QWidget* window, HelpService& help, Prompt& prompt) {
    new F1Filter(window, help, prompt);
}
