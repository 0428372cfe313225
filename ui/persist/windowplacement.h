#pragma once

#include "ui/persist/placementrecord.h"

#include <QMargins>
#include <QObject>
#include <QRect>

#include <optional>

class QTimer;
class QWidget;

// The placement record of a top-level window under Qt. The normal rectangle is the window's outer
// rectangle (frame included), followed while the window is neither minimised nor maximised.
// Restoring happens before the window is shown, when the frame is not known yet: the rectangle is
// applied as it stands, and corrected by the frame margins once the window manager has framed
// the window, so that a run without changes writes back what it read. Where a window cannot learn
// its position (native Wayland), the record keeps the position the window was given, so such a
// run never overwrites a stored position with one it does not know.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    explicit WindowPlacement(QWidget& window);

    PlacementRecord record() const;

    // The outer size below which the user cannot resize the window.
    void setMinimumOuterSize(QSize size);
    void restoreNormalRect(const QRect& outer);
    // A minimised state restores normal and minimises once the event loop runs.
    void restoreState(PlacementRecord::ShowCmd showCmd);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isNormalState() const;
    // The window's outer rectangle as the window system has it now.
    QRect outerRect() const;
    void startFrameWatch();
    void watchFrame();
    void noteFrame();
    void applyPendingOuter();
    void noteGeometry();
    void noteNormalRect();
    void noteStateChange();

    QWidget& m_window;
    const bool m_positionKnown;
    QPoint m_givenPosition; // the designed or restored top left corner
    QMargins m_margins;
    QSize m_minimumOuter;
    QRect m_normal;
    bool m_notePending = false;
    std::optional<QRect> m_pendingOuter;
    QTimer* m_frameWatch;
    int m_frameWatchTicks = 0;
    int m_settledTicks = 0;
};
