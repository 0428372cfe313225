#include "ui/toolbar/speedlayoutstore.h"

#include "base/configkeys.h"
#include "base/inistore.h"
#include "ui/toolbar/speedgrid.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// A stored offset beyond this is off every bar already; bounded, a button's size added to it
// cannot overflow.
constexpr int kFarOffTheBar = 1 << 16;

QString key(const char* name) {
    return QLatin1String(name);
}

QString buttonKey(int n) {
    return key(cfg::kLayoutButton) + QString::number(n);
}

SpeedItem* findWithoutCase(SpeedBarLayout& layout, const QString& name) {
    const QList<SpeedItem*> items = layout.itemsBySection();
    const auto it = std::find_if(items.cbegin(), items.cend(), [&](const SpeedItem* item) {
        return item->name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == items.cend() ? nullptr : *it;
}

// The numbers n of the Button keys present, ascending, up to `count`. Entries without a key read
// as empty and are skipped, so a huge Count costs nothing.
QList<int> storedButtonNumbers(const IniStore& store, const QString& section, int count) {
    const QString prefix = key(cfg::kLayoutButton).toLower();
    QList<int> numbers;
    for (const QString& k : store.keys(section)) {
        if (!k.startsWith(prefix))
            continue;
        bool ok = false;
        const int n = k.mid(prefix.size()).toInt(&ok);
        if (ok && n >= 1 && n <= count && k == buttonKey(n).toLower())
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void applyButton(SpeedBarLayout& layout, const QString& value) {
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList words = value.split(separators, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    SpeedItem* item = findWithoutCase(layout, words[0]);
    if (!item)
        return;
    if (words.size() > 1)
        item->left = parseIniInteger(words[1]).value_or(item->left);
    if (words.size() > 2)
        item->top = parseIniInteger(words[2]).value_or(item->top);
    item->left = std::clamp(item->left, layout.offsetHorizontal, kFarOffTheBar);
    item->top = std::clamp(item->top, layout.offsetVertical, kFarOffTheBar);
    item->visible = true;
}

} // namespace

void WriteLayout(const SpeedBarLayout& layout, IniStore& store, const QString& section) {
    QList<std::pair<QString, QString>> values = {
        {key(cfg::kLayoutPosition), QString::number(static_cast<int>(layout.align))},
        {key(cfg::kLayoutWidth), QString::number(layout.thickness())},
        {key(cfg::kLayoutVersion), QString::number(layout.version)},
        {key(cfg::kLayoutBtnWidth), QString::number(layout.buttonWidth)},
        {key(cfg::kLayoutBtnHeight), QString::number(layout.buttonHeight)},
    };
    int count = 0;
    for (const SpeedItem* item : layout.itemsBySection()) {
        if (!item->visible || !item->stored)
            continue;
        values.append({buttonKey(++count),
                       QStringLiteral("%1,%2,%3").arg(item->name).arg(item->left).arg(item->top)});
    }
    values.append({key(cfg::kLayoutCount), QString::number(count)});
    store.replaceSection(section, values);
}

void ReadLayout(SpeedBarLayout& layout, const IniStore& store, const QString& section) {
    if (store.readInteger(section, key(cfg::kLayoutVersion), layout.version) < layout.version)
        return;
    const int position =
        store.readInteger(section, key(cfg::kLayoutPosition), cfg::kLayoutPositionDefault);
    const bool known = position >= static_cast<int>(SpeedBarAlign::Top) &&
                       position <= static_cast<int>(SpeedBarAlign::Right);
    speedgrid::setAlign(known ? static_cast<SpeedBarAlign>(position) : SpeedBarAlign::Top, layout);
    // The stored Width would set the thickness only on a bar the user may resize; this one is not.
    if (store.readInteger(section, key(cfg::kLayoutBtnWidth), layout.buttonWidth) >
            layout.buttonWidth ||
        store.readInteger(section, key(cfg::kLayoutBtnHeight), layout.buttonHeight) >
            layout.buttonHeight)
        return;
    const int count = store.readInteger(section, key(cfg::kLayoutCount), cfg::kLayoutCountDefault);
    if (count <= 0)
        return;
    for (SpeedItem& item : layout.items)
        item.visible = false;
    for (int n : storedButtonNumbers(store, section, count))
        applyButton(layout, store.readString(section, buttonKey(n), QString()));
}
