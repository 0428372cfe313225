#include "ui/dialogs/tfrmhelpabout.h"

#include "base/errorboundary.h"
#include "ui/dialogs/programicon.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kClientWidth = 254;
constexpr int kClientHeight = 207;
constexpr int kIconSize = 32;

// A label that reports a left click released over it, as a link does.
class ClickableLabel : public QLabel {
public:
    ClickableLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), m_onClick(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
};

QLabel* placedLabel(QLabel* label, const QRect& geometry, Qt::Alignment alignment) {
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

QFont arial(int points) {
    return QFont(QStringLiteral("Arial"), points);
}

} // namespace

TfrmHelpAbout::TfrmHelpAbout(Prompt& prompt, OpenAddress openAddress, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_openAddress(std::move(openAddress)) {
    setWindowTitle(QStringLiteral("About Sondrix"));
    setFont(arial(8));
    setFixedSize(kClientWidth, kClientHeight);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(31, 8, kIconSize, kIconSize);
    image1->setPixmap(programIcon(kIconSize));

    m_lblTitle = placedLabel(new QLabel(QStringLiteral("Sondrix"), this), {79, 12, 143, 25},
                             Qt::AlignLeft | Qt::AlignTop);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblTitle->setFont(arial(16));

    auto* label1 = placedLabel(new QLabel(QStringLiteral("Version 3.0"), this), {80, 40, 89, 16},
                               Qt::AlignHCenter | Qt::AlignTop);
    label1->setObjectName(QStringLiteral("Label1"));

    auto* label2 = placedLabel(new QLabel(QStringLiteral("Sondrix for Linux\nmade by the\n"
                                                         "Sondrix developers\nCopyright 2026"),
                                          this),
                               {48, 64, 153, 65}, Qt::AlignHCenter | Qt::AlignTop);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);

    QString shown = QLatin1String(kWebAddress);
    shown.remove(QStringLiteral("https://")).chop(1);
    m_webAddressLabel =
        placedLabel(new ClickableLabel(
                        shown, this, errorboundary::guarded(prompt, [this] { openWebAddress(); })),
                    {32, 136, 185, 20}, Qt::AlignHCenter | Qt::AlignTop);
    m_webAddressLabel->setObjectName(QStringLiteral("Label3"));
    QFont linkFont = arial(10);
    linkFont.setUnderline(true);
    m_webAddressLabel->setFont(linkFont);
    m_webAddressLabel->setStyleSheet(QStringLiteral("color: blue"));
    m_webAddressLabel->setCursor(Qt::UpArrowCursor);
    m_webAddressLabel->setStatusTip(
        QStringLiteral("A click opens the Sondrix web site in your browser."));

    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setGeometry(88, 168, 75, 25);
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    // Centred on the screen rather than over the owner.
    move(screen()->availableGeometry().center() - rect().center());
}

bool TfrmHelpAbout::event(QEvent* event) {
    // A hint stops at the box, the window it rose in; it belongs in the owner's status bar.
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QCoreApplication::sendEvent(parentWidget()->window(), event);
    return QDialog::event(event);
}

void TfrmHelpAbout::keyPressEvent(QKeyEvent* event) {
    // The box has no cancel button, so Esc does not close it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmHelpAbout::openWebAddress() {
    // A refused start throws before the box is closed, so the box stays open.
    m_openAddress(QLatin1String(kWebAddress));
    accept();
}

void ShowAboutBox(QWidget* owner, Prompt& prompt, const OpenAddress& openAddress) {
    TfrmHelpAbout box(prompt, openAddress, owner);
    box.exec();
}
