#include "ui/toolbar/speedbardrag.h"

#include "ui/toolbar/speedgrid.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int kOutlineWidth = 3;

// A frame drawn over the client area that inverts what lies beneath it.
class Outline : public QWidget {
public:
    explicit Outline(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("barOutline"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const int w = width();
        const int h = height();
        const int t = kOutlineWidth;
        painter.fillRect(0, 0, w, t, Qt::white);
        painter.fillRect(0, h - t, w, t, Qt::white);
        painter.fillRect(0, t, t, h - 2 * t, Qt::white);
        painter.fillRect(w - t, t, t, h - 2 * t, Qt::white);
    }
};

} // namespace

SpeedBarDrag::SpeedBarDrag(QWidget* bar, const SpeedBarLayout& layout,
                           std::function<void(SpeedBarAlign)> dock)
    : QObject(bar), m_bar(bar), m_layout(layout), m_dock(std::move(dock)) {}

void SpeedBarDrag::press(QPoint global) {
    m_state = State::Pressed;
    m_pressed = global;
}

void SpeedBarDrag::move(QPoint global) {
    if (m_state == State::Pressed && speedgrid::passesDragThreshold(m_pressed, global)) {
        m_state = State::Dragging;
        m_bar->grabMouse(Qt::SizeAllCursor);
    }
    if (m_state == State::Dragging)
        showOutline(global);
}

void SpeedBarDrag::showOutline(QPoint global) {
    QWidget* client = m_bar->parentWidget();
    if (!client)
        return;
    if (!m_outline)
        m_outline = new Outline(client);
    m_zone = speedgrid::dockZone(client->mapFromGlobal(global), client->size());
    m_outline->setGeometry(speedgrid::dockStrip(m_zone, client->size(), m_layout.thickness()));
    m_outline->raise();
    m_outline->show();
}

void SpeedBarDrag::release() {
    const bool dock = m_state == State::Dragging;
    m_state = State::Idle;
    if (!dock)
        return;
    m_bar->releaseMouse();
    if (m_outline)
        m_outline->hide();
    m_dock(m_zone);
}
