#include "ui/persist/propsstorage.h"

#include "base/inistore.h"

#include <QScreen>
#include <QSplitter>

#include <algorithm>

namespace {

// A stored width may hold any value; no panel is wider than its screen.
void setPanelWidth(QWidget& panel, int storedWidth) {
    const QScreen* screen = panel.screen();
    const int width = std::clamp(storedWidth, 0, screen ? screen->availableGeometry().width() : 0);
    if (auto* splitter = qobject_cast<QSplitter*>(panel.parentWidget())) {
        const int index = splitter->indexOf(&panel);
        QList<int> sizes = splitter->sizes();
        int filler = -1;
        for (int i = 0; i < splitter->count(); ++i)
            if (i != index && splitter->widget(i)->sizePolicy().horizontalStretch() > 0)
                filler = i;
        if (filler >= 0) {
            sizes[filler] += sizes[index] - width;
            sizes[index] = width;
            splitter->setSizes(sizes);
        }
    }
    panel.resize(width, panel.height());
}

} // namespace

StoredProperty panelWidthProperty(QWidget& panel) {
    return {panel.objectName(), QStringLiteral("Width"), [&panel] { return panel.width(); },
            [&panel](int width) { setPanelWidth(panel, width); }};
}

void PropsStorage::load(const QList<StoredProperty>& properties) const {
    for (const StoredProperty& p : properties) {
        const QString text =
            m_store.readString(m_section, keyOf(p), QString::number(p.get())).trimmed();
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        p.set(ok ? value : 0);
    }
}

void PropsStorage::save(const QList<StoredProperty>& properties) const {
    for (const StoredProperty& p : properties)
        m_store.writeInteger(m_section, keyOf(p), p.get());
}
