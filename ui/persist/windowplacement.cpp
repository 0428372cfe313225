#include "ui/persist/windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kFrameWatchInterval = 50; // ms
constexpr int kFrameWatchTicks = 60;
constexpr int kSettledTicks = 2; // the restored rectangle has held this long

QSize marginsSize(const QMargins& m) {
    return {m.left() + m.right(), m.top() + m.bottom()};
}

} // namespace

WindowPlacement::WindowPlacement(QWidget& window)
    : QObject(&window), m_window(window),
      m_positionKnown(!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      m_givenPosition(window.frameGeometry().topLeft()), m_normal(window.frameGeometry()),
      m_frameWatch(new QTimer(this)) {
    m_window.installEventFilter(this);
    // No event tells when the window manager has framed the window, nor when it has finished
    // placing it: look until the frame is known and a restored rectangle has held.
    m_frameWatch->setInterval(kFrameWatchInterval);
    connect(m_frameWatch, &QTimer::timeout, this, &WindowPlacement::watchFrame);
}

bool WindowPlacement::isNormalState() const {
    return !(m_window.windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// The widget caches its frame and may keep a frame it measured before the window manager framed
// the window; the window handle asks for the frame each time.
QRect WindowPlacement::outerRect() const {
    const QWindow* handle = m_window.windowHandle();
    return handle ? handle->frameGeometry() : m_window.frameGeometry();
}

PlacementRecord WindowPlacement::record() const {
    PlacementRecord r;
    // Qt reports no minimised or maximised positions, so they stay -1,-1.
    if (m_window.isMinimized())
        r.showCmd = PlacementRecord::Minimised;
    else if (m_window.isMaximized())
        r.showCmd = PlacementRecord::Maximised;
    const QRect normal = isNormalState() && m_window.isVisible() ? outerRect() : m_normal;
    const QPoint topLeft = m_positionKnown ? normal.topLeft() : m_givenPosition;
    r.left = topLeft.x();
    r.top = topLeft.y();
    r.right = topLeft.x() + normal.width();
    r.bottom = topLeft.y() + normal.height();
    return r;
}

void WindowPlacement::setMinimumOuterSize(QSize size) {
    m_minimumOuter = size;
    m_window.setMinimumSize(size - marginsSize(m_margins));
}

void WindowPlacement::restoreNormalRect(const QRect& outer) {
    m_givenPosition = outer.topLeft();
    m_normal = outer;
    m_pendingOuter = outer;
    m_window.setGeometry(outer); // the frame is taken off once it is known
    applyPendingOuter();
    startFrameWatch();
}

void WindowPlacement::restoreState(PlacementRecord::ShowCmd showCmd) {
    const Qt::WindowStates normal =
        m_window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    m_window.setWindowState(showCmd == PlacementRecord::Maximised ? normal | Qt::WindowMaximized
                                                                  : normal);
    if (showCmd == PlacementRecord::Minimised)
        QTimer::singleShot(0, &m_window, [this] { m_window.showMinimized(); });
    m_window.update();
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Show:
            if (m_margins.isNull())
                startFrameWatch();
            noteFrame();
            noteGeometry();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            noteFrame();
            noteGeometry();
            break;
        case QEvent::WindowStateChange:
            noteFrame();
            noteStateChange();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlacement::startFrameWatch() {
    m_frameWatchTicks = 0;
    m_frameWatch->start();
}

// While maximised or minimised, a restored rectangle waits for the return to the normal state;
// in the normal state it is given up after a while, so it never undoes a move by the user.
void WindowPlacement::watchFrame() {
    noteFrame();
    applyPendingOuter();
    const bool framed = !m_margins.isNull();
    if (!isNormalState()) {
        if (framed)
            m_frameWatch->stop();
    } else if ((framed && !m_pendingOuter) || ++m_frameWatchTicks >= kFrameWatchTicks) {
        m_frameWatch->stop();
        m_pendingOuter.reset();
    }
}

// The frame margins are known only after the window manager has framed the mapped window. While
// it reparents the window, Qt may measure the frame from a parent that is not sized yet; such
// negative margins are no frame.
void WindowPlacement::noteFrame() {
    const QWindow* handle = m_window.windowHandle();
    if (!handle || !m_window.isVisible())
        return;
    const QMargins margins = handle->frameMargins();
    if (margins == m_margins || margins.left() < 0 || margins.top() < 0 || margins.right() < 0 ||
        margins.bottom() < 0)
        return;
    m_margins = margins;
    if (m_minimumOuter.isValid())
        m_window.setMinimumSize(m_minimumOuter - marginsSize(margins));
    applyPendingOuter();
    noteGeometry();
}

// The restored outer rectangle, once the frame is known and the window is in its normal state:
// the client rectangle inside it. A window manager that is still placing the window may ignore
// the request, so it is made again until the rectangle has held.
void WindowPlacement::applyPendingOuter() {
    if (!m_pendingOuter || m_margins.isNull() || !isNormalState())
        return;
    if (outerRect() != *m_pendingOuter) {
        m_settledTicks = 0;
        m_window.setGeometry(m_pendingOuter->marginsRemoved(m_margins));
    } else if (++m_settledTicks >= kSettledTicks) {
        m_pendingOuter.reset();
    }
}

// A maximise by the window manager may move and resize the window before its new state arrives,
// in the same batch of window system events; the rectangle is taken once that batch is handled.
void WindowPlacement::noteGeometry() {
    if (m_notePending)
        return;
    m_notePending = true;
    QTimer::singleShot(0, this, [this] {
        m_notePending = false;
        noteNormalRect();
    });
}

void WindowPlacement::noteNormalRect() {
    if (m_window.isVisible() && isNormalState())
        m_normal = outerRect();
}

void WindowPlacement::noteStateChange() {
    if (!isNormalState())
        return;
    if (m_pendingOuter)
        startFrameWatch(); // restored maximised or minimised: the rectangle applies now
    noteGeometry();
}
