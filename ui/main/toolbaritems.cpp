#include "ui/main/toolbaritems.h"

namespace {

struct ItemRow {
    const char* name;
    const char* caption;
    const char* section;
    const char* longHint;
    const char* picture;
    int firstRunLeft; // -1: not on the bar at the first run
};

constexpr ItemRow kItems[] = {
    {"sbNew", "New", "File", "Create a new playlist.", "new", 3},
    {"sbOpen", "Open", "File", "Open a playlist.", "open", 27},
    {"sbSave", "Save", "File", "Save the current playlist.", "save", 51},
    {"sbCopy", "Copy", "Edit", "Copy the selected WAV(s).", "copy", 83},
    {"sbMove", "Move", "Edit", "Move the selected WAV(s).", "move", 107},
    {"sbRename", "Rename", "Edit", "Rename the selected WAV.", "rename", 131},
    {"sbDelete", "Delete", "Edit", "Delete the selected WAV(s).", "delete", 155},
    {"sbEdit", "Edit", "Edit", "Edit with external editor.", "edit", 179},
    {"sbPlay", "Play", "Controls", "Play the selected WAV or playlist.", "play", -1},
    {"sbLoop", "Loop", "Controls", "Loop the selected WAV or playlist.", "loop", -1},
    {"sbStop", "Stop", "Controls", "Stop the currently playing WAV or playlist.", "stop", -1},
    {"sbPlayPlaylist", "Play Playlist", "Playlist", "Play the currently loaded playlist.",
     "playlist-play", -1},
    {"sbUp", "Move Up", "Playlist", "Move the selected item up.", "up", -1},
    {"sbDown", "Move Down", "Playlist", "Move the selected item down.", "down", -1},
    {"sbAdd", "Add", "Playlist", "Add the selected WAV to the playlist.", "add", -1},
    {"sbAddAll", "Add All", "Playlist", "Add all files to the playlist.", "add-all", -1},
    {"sbRemove", "Remove", "Playlist", "Remove the selected item from the playlist.", "remove", -1},
    {"sbClear", "Clear", "Playlist", "Clear the current playlist.", "clear", -1},
    {"sbShowPlaylist", "Show/Hide PlayList", "View", "Show or hide the play list.", "show-playlist",
     211},
};

} // namespace

SpeedBarLayout firstRunToolbar() {
    SpeedBarLayout layout;
    layout.sections = {QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("Controls"),
                       QStringLiteral("Playlist"), QStringLiteral("View")};
    for (const ItemRow& row : kItems) {
        SpeedItem item;
        item.name = QLatin1String(row.name);
        item.caption = QLatin1String(row.caption);
        item.section = QLatin1String(row.section);
        item.hint = item.caption + QLatin1Char('|') + QLatin1String(row.longHint);
        item.picture = QLatin1String(row.picture);
        item.visible = row.firstRunLeft >= 0;
        item.left = item.visible ? row.firstRunLeft : 0;
        item.top = layout.offsetVertical;
        item.twoState = item.name == QLatin1String("sbShowPlaylist");
        layout.items.append(item);
    }
    return layout;
}
