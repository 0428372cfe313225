#include "ui/toolbar/speedbar.h"

#include "ui/toolbar/glyphs.h"
#include "ui/toolbar/speedbardrag.h"
#include "ui/toolbar/speedfloatingimage.h"
#include "ui/toolbar/speedgrid.h"
#include "ui/toolbar/speedlayoutstore.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QMouseEvent>
#include <QToolButton>

SpeedBar::SpeedBar(SpeedBarLayout layout, QWidget* parent)
    : QFrame(parent), m_layout(std::move(layout)),
      m_barDrag(new SpeedBarDrag(this, m_layout, [this](SpeedBarAlign align) { setAlign(align); })),
      m_image(new SpeedFloatingImage(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    if (m_layout.zOrder.isEmpty())
        for (const SpeedItem& item : std::as_const(m_layout.items))
            m_layout.zOrder.append(item.name);
    for (const SpeedItem& item : std::as_const(m_layout.items))
        m_buttons.insert(item.name, makeButton(item));
    applyLayout();
}

SpeedBar::~SpeedBar() {
    if (m_setup) { // the bar is going away, so its dialog closes without reporting back
        m_setup->disconnect(this);
        delete m_setup;
    }
}

QToolButton* SpeedBar::makeButton(const SpeedItem& item) {
    auto* button = new QToolButton(this);
    button->setObjectName(item.name);
    button->setFocusPolicy(Qt::NoFocus); // buttons never take the focus from the lists
    button->setIcon(glyphs::icon(item.picture));
    button->setToolTip(item.shortHint());
    button->setStatusTip(item.longHint());
    button->setAccessibleName(item.caption);
    button->setCheckable(item.twoState);
    button->installEventFilter(this);
    connect(button, &QToolButton::clicked, this, [this, name = item.name] {
        const QPointer<QAction> action = m_actions.value(name);
        if (action && !isCustomizing() && isItemEnabled(name))
            action->trigger();
    });
    return button;
}

void SpeedBar::applyLayout() {
    if (m_layout.isVertical()) {
        setFixedWidth(m_layout.thickness());
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        setFixedHeight(m_layout.thickness());
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
    for (const SpeedItem& item : std::as_const(m_layout.items)) {
        QToolButton* button = m_buttons.value(item.name);
        button->setFixedSize(m_layout.buttonWidth, m_layout.buttonHeight);
        button->move(item.left, item.top);
        button->setVisible(item.visible);
        showEnabledState(item);
    }
    for (const QString& name : std::as_const(m_layout.zOrder))
        if (QToolButton* button = m_buttons.value(name))
            button->raise();
}

void SpeedBar::showEnabledState(const SpeedItem& item) {
    QToolButton* button = m_buttons.value(item.name);
    button->setEnabled(item.enabled || isCustomizing());
    button->setAutoRaise(!isCustomizing());
}

void SpeedBar::setItemEnabled(const QString& name, bool enabled) {
    if (SpeedItem* item = m_layout.find(name)) {
        item->enabled = enabled;
        showEnabledState(*item);
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

void SpeedBar::setItemAction(const QString& name, QAction* action) {
    if (!m_layout.find(name))
        return;
    m_actions.insert(name, action);
    connect(action, &QAction::changed, this,
            [this, name, action] { setItemEnabled(name, action->isEnabled()); });
    setItemEnabled(name, action->isEnabled());
}

QString SpeedBar::layoutSection() const {
    if (objectName().isEmpty())
        return {};
    return QLatin1String(window()->metaObject()->className()) + objectName();
}

void SpeedBar::ReadLayout(const IniStore& store) {
    const QString section = layoutSection();
    if (section.isEmpty())
        return;
    const bool wasVertical = m_layout.isVertical();
    ::ReadLayout(m_layout, store, section);
    applyLayout();
    Q_EMIT alignChanged(m_layout.align);
    if (wasVertical != m_layout.isVertical())
        Q_EMIT buttonSizeChanged();
    Q_EMIT buttonsChanged();
}

void SpeedBar::WriteLayout(IniStore& store) const {
    const QString section = layoutSection();
    if (!section.isEmpty())
        ::WriteLayout(m_layout, store, section);
}

void SpeedBar::setAlign(SpeedBarAlign align) {
    const bool wasVertical = m_layout.isVertical();
    speedgrid::setAlign(align, m_layout);
    applyLayout();
    Q_EMIT alignChanged(align);
    if (wasVertical != m_layout.isVertical())
        Q_EMIT buttonSizeChanged();
}

bool SpeedBar::PlaceDroppedButton(const QString& name, QPoint corner) {
    SpeedItem* item = m_layout.find(name);
    if (!item)
        return false;
    const bool wasVisible = item->visible;
    const bool onBar = speedgrid::PlaceDroppedButton(m_layout, *item, corner, rect());
    applyLayout();
    if (onBar && wasVisible)
        Q_EMIT buttonMoved();
    else
        Q_EMIT buttonsChanged();
    return onBar;
}

QDialog* SpeedBar::customizeDialog() const {
    return m_setup;
}

bool SpeedBar::isCustomizing() const {
    return m_setup != nullptr;
}

void SpeedBar::OpenCustomizeDialog(int helpTopic) {
    if (m_setup) {
        m_setup->setWindowState(m_setup->windowState() & ~Qt::WindowMinimized);
        m_setup->show();
        m_setup->raise();
        m_setup->activateWindow();
        return;
    }
    if (!m_makeDialog)
        return;
    m_setup = m_makeDialog(helpTopic);
    connect(m_setup, &QDialog::finished, this, &SpeedBar::endCustomize);
    window()->installEventFilter(this);
    applyLayout();
    m_setup->show();
}

void SpeedBar::endCustomize() {
    window()->removeEventFilter(this);
    m_setup->deleteLater();
    m_setup = nullptr;
    applyLayout(); // each button shows its command's state as it is now, and flat again
}

bool SpeedBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window()) {
        // The window closing (not merely minimised) closes the dialog with it.
        if (event->type() == QEvent::Hide && !event->spontaneous() && m_setup)
            m_setup->close();
        return false;
    }
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!isCustomizing() || !press)
        return false;
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_movingItem.isEmpty())
        startButtonMove(watched->objectName());
    return true; // buttons run nothing while customizing
}

void SpeedBar::startButtonMove(const QString& name) {
    QToolButton* button = m_buttons.value(name);
    m_movingItem = name;
    m_image->start(button->grab());
    const QPoint pointer =
        mapToGlobal(button->geometry().topLeft() + QPoint(button->width(), button->height()));
    QCursor::setPos(pointer);
    button->hide();
    grabMouse(Qt::ClosedHandCursor);
    followPointer(pointer);
}

void SpeedBar::followPointer(QPoint global) {
    const QPoint corner = m_image->follow(global);
    m_image->setVisible(rect().contains(mapFromGlobal(corner)));
}

void SpeedBar::dropButton(QPoint global) {
    releaseMouse();
    m_image->hide();
    const QString name = std::exchange(m_movingItem, QString());
    const QPoint corner = mapFromGlobal(m_image->cornerFor(global));
    if (rect().contains(corner)) {
        PlaceDroppedButton(name, corner);
        return;
    }
    m_layout.find(name)->visible = false;
    applyLayout();
    Q_EMIT buttonsChanged();
}

void SpeedBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_movingItem.isEmpty())
        m_barDrag->press(event->globalPosition().toPoint());
}

void SpeedBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (!m_movingItem.isEmpty())
        followPointer(global);
    else if (m_barDrag->isActive())
        m_barDrag->move(global);
}

void SpeedBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_movingItem.isEmpty())
        dropButton(event->globalPosition().toPoint());
    else
        m_barDrag->release();
}
