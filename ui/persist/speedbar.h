#pragma once

#include "ui/persist/speeditem.h"

#include <QFrame>
#include <QHash>

class QToolButton;

// The customisable toolbar: each visible item's button stands at the item's own left and top.
class SpeedBar : public QFrame {
    Q_OBJECT
public:
    explicit SpeedBar(SpeedBarLayout layout, QWidget* parent = nullptr);

    const SpeedBarLayout& layout() const { return m_layout; }
    void setItemEnabled(const QString& name, bool enabled);
    bool isItemEnabled(const QString& name) const;
    void setItemDown(const QString& name, bool down);
    QToolButton* button(const QString& name) const { return m_buttons.value(name); }

private:
    void placeButtons();

    SpeedBarLayout m_layout;
    QHash<QString, QToolButton*> m_buttons;
};
