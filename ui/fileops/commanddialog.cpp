#include "ui/fileops/commanddialog.h"

#include "base/helpservice.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

CommandDialog::CommandDialog(HelpService& help, int helpContext, QWidget* parent)
    : QDialog(parent), btnOK(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("Cancel"), this)), Bevel1(new QFrame(this)),
      m_help(help) {
    btnOK->setDefault(true);
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setProperty("helpContext", helpContext);
    // A fixed dialog border: a title and a close box, nothing to resize or maximise.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    qApp->installEventFilter(this);
}

CommandDialog::~CommandDialog() {
    qApp->removeEventFilter(this);
}

void CommandDialog::placeButtons(int bevelLeft) {
    constexpr int kMargin = 8;
    Bevel1->setGeometry(bevelLeft, kMargin, 2, height() - 2 * kMargin);
    btnOK->setGeometry(bevelLeft + 12, kMargin, 77, 25);
    btnCancel->setGeometry(bevelLeft + 12, kMargin + 32, 77, 25);
}

bool CommandDialog::previewKeyPress(QKeyEvent*) {
    return false;
}

bool CommandDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool ours = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this;
    if (ours && event->type() == QEvent::KeyPress)
        return previewKeyPress(static_cast<QKeyEvent*>(event));
    if (ours && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            m_help.showContext(helpContextOfFocus());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CommandDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

int CommandDialog::helpContextOfFocus() const {
    const QWidget* control = focusWidget() ? focusWidget() : this;
    const int topic = control->property("helpContext").toInt();
    const QWidget* parent = control->parentWidget();
    return topic == 0 && parent ? parent->property("helpContext").toInt() : topic;
}
