#include "ui/dialogs/helpkeypreview.h"

#include "ui/dialogs/helpservice.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
constexpr char kHelpContextProperty[] = "helpContext";

int helpContext(const QWidget* widget) {
    return widget->property(kHelpContextProperty).toInt();
}
} // namespace

void setHelpContext(QWidget* widget, int context) {
    widget->setProperty(kHelpContextProperty, context);
}

HelpKeyPreview::HelpKeyPreview(QWidget* window, HelpService& help)
    : QObject(window), m_window(window), m_help(help) {
    // Every key event passes the application's filters before any control sees it.
    qApp->installEventFilter(this);
}

HelpKeyPreview::~HelpKeyPreview() {
    qApp->removeEventFilter(this);
}

int HelpKeyPreview::contextOfFocus(const QWidget* window) {
    const QWidget* focused = window->focusWidget();
    if (!focused)
        return helpContext(window);
    const int own = helpContext(focused);
    if (own != 0 || !focused->parentWidget())
        return own;
    return helpContext(focused->parentWidget());
}

bool HelpKeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            m_help.showContext(contextOfFocus(m_window));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
