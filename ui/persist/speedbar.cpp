#include "ui/persist/speedbar.h"

#include "ui/persist/glyphs.h"

#include <QToolButton>

SpeedBar::SpeedBar(SpeedBarLayout layout, QWidget* parent)
    : QFrame(parent), m_layout(std::move(layout)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedHeight(m_layout.thickness());
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    for (const SpeedItem& item : m_layout.items) {
        auto* button = new QToolButton(this);
        button->setObjectName(item.name);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus); // buttons never take the focus from the lists
        button->setIcon(glyphs::icon(item.picture));
        button->setToolTip(item.shortHint());
        button->setStatusTip(item.longHint());
        button->setAccessibleName(item.caption);
        button->setCheckable(item.twoState);
        button->setFixedSize(m_layout.buttonWidth, m_layout.buttonHeight);
        m_buttons.insert(item.name, button);
    }
    placeButtons();
}

void SpeedBar::placeButtons() {
    for (const SpeedItem& item : m_layout.items) {
        QToolButton* button = m_buttons.value(item.name);
        button->move(item.left, item.top);
        button->setVisible(item.visible);
        button->setEnabled(item.enabled);
    }
}

void SpeedBar::setItemEnabled(const QString& name, bool enabled) {
    if (SpeedItem* item = m_layout.find(name)) {
        item->enabled = enabled;
        m_buttons.value(name)->setEnabled(enabled);
    }
}

bool SpeedBar::isItemEnabled(const QString& name) const {
    const SpeedItem* item = m_layout.find(name);
    return item && item->enabled;
}

void SpeedBar::setItemDown(const QString& name, bool down) {
    if (QToolButton* button = m_buttons.value(name))
        button->setChecked(down);
}
