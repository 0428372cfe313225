#include "ui/toolbar/speeditem.h"

bool SpeedBarLayout::isVertical() const {
    return align == SpeedBarAlign::Left || align == SpeedBarAlign::Right;
}

int SpeedBarLayout::thickness() const {
    return isVertical() ? 2 * offsetHorizontal + buttonWidth : 2 * offsetVertical + buttonHeight;
}

SpeedItem* SpeedBarLayout::find(const QString& name) {
    for (SpeedItem& item : items)
        if (item.name == name)
            return &item;
    return nullptr;
}

const SpeedItem* SpeedBarLayout::find(const QString& name) const {
    return const_cast<SpeedBarLayout*>(this)->find(name);
}

bool SpeedBarLayout::belongsToSection(const SpeedItem& item) const {
    return sections.contains(item.section);
}

QList<SpeedItem*> SpeedBarLayout::itemsOfSection(const QString& section) {
    QList<SpeedItem*> result;
    for (SpeedItem& item : items)
        if (item.section == section)
            result.append(&item);
    return result;
}

QList<SpeedItem*> SpeedBarLayout::itemsBySection() {
    QList<SpeedItem*> result;
    for (const QString& section : std::as_const(sections))
        result.append(itemsOfSection(section));
    return result;
}

QList<const SpeedItem*> SpeedBarLayout::itemsBySection() const {
    const QList<SpeedItem*> mutableItems = const_cast<SpeedBarLayout*>(this)->itemsBySection();
    return QList<const SpeedItem*>(mutableItems.cbegin(), mutableItems.cend());
}
