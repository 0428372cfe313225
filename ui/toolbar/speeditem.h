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
    bool enabled = true; // the command's own state, whatever the button shows meanwhile
    bool stored = true;
    bool twoState = false;

    QString shortHint() const { return hint.section(QLatin1Char('|'), 0, 0); }
    QString longHint() const { return hint.section(QLatin1Char('|'), 1); }
};

// The edge the bar is docked at, numbered as the stored layout numbers it.
enum class SpeedBarAlign { Top = 1, Bottom = 2, Left = 3, Right = 4 };

// The bar's items by section, with the button size and offsets they are placed with. Sizes and
// offsets are those of the current orientation: they are exchanged when the bar turns.
struct SpeedBarLayout {
    QStringList sections;
    QList<SpeedItem> items;
    QStringList zOrder; // names of the items, from the back to the front
    SpeedBarAlign align = SpeedBarAlign::Top;
    int version = 0;
    int buttonWidth = 24;
    int buttonHeight = 23;
    int offsetHorizontal = 3;
    int offsetVertical = 3;

    bool isVertical() const;
    // Across the bar: offsets on both sides of one button.
    int thickness() const;
    SpeedItem* find(const QString& name);
    const SpeedItem* find(const QString& name) const;
    bool belongsToSection(const SpeedItem& item) const;
    // The items of the bar's sections, section by section, each section in item order.
    QList<SpeedItem*> itemsBySection();
    QList<const SpeedItem*> itemsBySection() const;
    QList<SpeedItem*> itemsOfSection(const QString& section);
};
