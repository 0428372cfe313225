#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class IniStore;

// A top-level window's placement as the configuration file keeps it: raw pixels in screen
// coordinates, the normal rectangle as left, top, right and bottom (right = left + width).
struct PlacementRecord {
    enum ShowCmd { Normal = 1, Minimised = 2, Maximised = 3 };

    int flags = 0;
    int showCmd = Normal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PlacementRecord&) const = default;
};

// "Flags", "ShowCmd", "MinMaxPos(WxH)", "MinMaxPos", "NormPos(WxH)", "NormPos" and "Visible", in
// this order, into `section`; the suffix is the screen size at the moment of saving.
void writePlacementKeys(IniStore& store, const QString& section, const PlacementRecord& record,
                        QSize screen, bool visible);

// The numbers of a stored value, separated by any mix of commas and blanks; a word that is not a
// decimal number is empty.
QList<std::optional<int>> placementNumbers(const QString& text);

// The stored positions read over `current`: each value from the key for this screen size, else
// from the plain key. Empty when neither "MinMaxPos" nor "NormPos" was found.
std::optional<PlacementRecord> readPlacementPositions(const IniStore& store, const QString& section,
                                                      QSize screen, const PlacementRecord& current);

// The window state a stored "ShowCmd" asks for; any other value gives normal.
PlacementRecord::ShowCmd storedShowCmd(const IniStore& store, const QString& section);
