#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One toolbar item: its button's look and its place on the bar.
struct SpeedItem {
    QString name;
    QString caption;
    QString section;
    QString hint; // "short|long"
    QString picture;
    bool visible = false;
    int left = 0;
    int top = 3;
    bool enabled = true;
    bool stored = true;
    bool twoState = false;

    QString shortHint() const { return hint.section(QLatin1Char('|'), 0, 0); }
    QString longHint() const { return hint.section(QLatin1Char('|'), 1); }
};

// The bar's items by section, with the button size and offsets they are placed with.
struct SpeedBarLayout {
    QStringList sections;
    QList<SpeedItem> items;
    int buttonWidth = 24;
    int buttonHeight = 23;
    int offsetHorizontal = 3;
    int offsetVertical = 3;

    int thickness() const { return 2 * offsetVertical + buttonHeight; }
    SpeedItem* find(const QString& name);
    const SpeedItem* find(const QString& name) const;
};
