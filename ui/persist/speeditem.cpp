#include "ui/persist/speeditem.h"

SpeedItem* SpeedBarLayout::find(const QString& name) {
    for (SpeedItem& item : items)
        if (item.name == name)
            return &item;
    return nullptr;
}

const SpeedItem* SpeedBarLayout::find(const QString& name) const {
    return const_cast<SpeedBarLayout*>(this)->find(name);
}
