#include "ui/persist/placementrecord.h"

#include "base/inistore.h"
#include "ui/persist/storagekeys.h"

#include <QRegularExpression>

namespace {

QString screenSuffix(QSize screen) {
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

QString fourNumbers(int a, int b, int c, int d) {
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

// The value for this screen size when present and not empty, else the plain key's.
QString readSuffixedFirst(const IniStore& store, const QString& section, const QString& key,
                          QSize screen) {
    const QString suffixed = store.readString(section, key + screenSuffix(screen), QString());
    return suffixed.isEmpty() ? store.readString(section, key, QString()) : suffixed;
}

int numberAt(const QList<std::optional<int>>& numbers, int index, int def) {
    return index < numbers.size() ? numbers[index].value_or(def) : def;
}

} // namespace

void writePlacementKeys(IniStore& store, const QString& section, const PlacementRecord& record,
                        QSize screen, bool visible) {
    using namespace storagekeys;
    const QString minMax = fourNumbers(record.minPosition.x(), record.minPosition.y(),
                                       record.maxPosition.x(), record.maxPosition.y());
    const QString normal = fourNumbers(record.left, record.top, record.right, record.bottom);
    const QString suffix = screenSuffix(screen);
    store.writeInteger(section, QLatin1String(kFlags), record.flags);
    store.writeInteger(section, QLatin1String(kShowCmd), record.showCmd);
    store.writeString(section, QLatin1String(kMinMaxPos) + suffix, minMax);
    store.writeString(section, QLatin1String(kMinMaxPos), minMax);
    store.writeString(section, QLatin1String(kNormPos) + suffix, normal);
    store.writeString(section, QLatin1String(kNormPos), normal);
    store.writeBool(section, QLatin1String(kVisible), visible);
}

QList<std::optional<int>> placementNumbers(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[, ]+"));
    QList<std::optional<int>> numbers;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = word.toInt(&ok, 10);
        numbers.append(ok ? std::optional<int>(value) : std::nullopt);
    }
    return numbers;
}

std::optional<PlacementRecord> readPlacementPositions(const IniStore& store, const QString& section,
                                                      QSize screen,
                                                      const PlacementRecord& current) {
    using namespace storagekeys;
    const QString minMax = readSuffixedFirst(store, section, QLatin1String(kMinMaxPos), screen);
    const QString normal = readSuffixedFirst(store, section, QLatin1String(kNormPos), screen);
    if (minMax.isEmpty() && normal.isEmpty())
        return std::nullopt;
    PlacementRecord record = current;
    if (!minMax.isEmpty()) {
        const auto n = placementNumbers(minMax);
        record.minPosition = {numberAt(n, 0, 0), numberAt(n, 1, 0)};
        record.maxPosition = {numberAt(n, 2, 0), numberAt(n, 3, 0)};
    }
    if (!normal.isEmpty()) {
        const auto n = placementNumbers(normal);
        record.left = numberAt(n, 0, current.left);
        record.top = numberAt(n, 1, current.top);
        record.right = numberAt(n, 2, current.right);
        record.bottom = numberAt(n, 3, current.bottom);
    }
    return record;
}

PlacementRecord::ShowCmd storedShowCmd(const IniStore& store, const QString& section) {
    switch (store.readInteger(section, QLatin1String(storagekeys::kShowCmd), 0)) {
    case 2:
    case 6:
    case 7:
        return PlacementRecord::Minimised;
    case 3:
        return PlacementRecord::Maximised;
    default: // 1, 5 and 9 are normal, and so is every other value
        return PlacementRecord::Normal;
    }
}
