// The command table: every command's menu item, popup item, toolbar item and handler.
#include "ui/main/commandtable.h"

#include "base/helpservice.h"
#include "base/pathcodec.h"
#include "fileops/editcommand.h"
#include "playback/playbackcontrol.h"
#include "playlist/playlistdocument.h"
#include "playlist/playlisteditor.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistrun.h"
#include "ui/dialogs/tfrmhelpabout.h"
#include "ui/dialogs/tfrmpreferences.h"
#include "ui/fileops/filecommands.h"
#include "ui/main/commandtargets.h"
#include "ui/main/currentlist.h"
#include "ui/main/tfrmmain.h"
#include "ui/playlist/playlistadder.h"
#include "ui/toolbar/speedbar.h"

namespace {

using enum CommandId;
using enum RuleGroup;
using P = PopupMenu;
using T = CommandTargets;

// Whether accepted or not, the playlist display and the click action follow the stored settings.
void showPreferences(CommandTargets& to) {
    TfrmPreferences::ShowPreferences(to.store, to.prompt, to.help, &to.window);
    to.window.preferencesChanged();
}

int selectedEntry(const CommandTargets& to) {
    return to.playlist.selectedRow();
}

// Play and Loop play the selected file of the list worked in.
void playSelected(CommandTargets& to, bool loop) {
    const QByteArray file = to.current.selectedPath();
    if (!file.isEmpty())
        to.playback.playFile(decodePath(file), loop);
}

void showAbout(CommandTargets& to) {
    ShowAboutBox(&to.window, to.prompt, [&to](const QString& address) {
        Launcher launcher(to.openUrl);
        launcher.setProgramName(address.toUtf8());
        launcher.StartProgram();
    });
}

// clang-format off
constexpr std::array<CommandRow, kCommandCount> kRows = {{
    {FileNew, "miFileNew", "&New", "Ctrl+Ins", P::None, nullptr, nullptr,
     "sbNew", "New", "File", "Create a new playlist.", "new", 3, Always,
     [](T& to) { to.document.newPlaylist(); }},
    {FileOpen, "miFileOpen", "&Open...", "Ctrl+O", P::None, nullptr, nullptr,
     "sbOpen", "Open", "File", "Open a playlist.", "open", 27, Always,
     [](T& to) { to.document.open(); }},
    {FileSave, "miFileSave", "&Save", "Ctrl+S", P::None, nullptr, nullptr,
     "sbSave", "Save", "File", "Save the current playlist.", "save", 51, Always,
     [](T& to) { to.document.save(); }},
    {FileSaveAs, "miFileSaveAs", "Save &As...", "Ctrl+A", P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { to.document.saveAs(); }},
    {FileExit, "miFileExit", "E&xit", nullptr, P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { to.window.exitProgram(); }},
    {Copy, "miEditCopy", "&Copy...", "Ctrl+C", P::WavList, "pmiCopy0", "&Copy",
     "sbCopy", "Copy", "Edit", "Copy the selected WAV(s).", "copy", 83, WavRule,
     [](T& to) { to.files.copySelected(); }},
    {Move, "miEditMove", "&Move...", "Ctrl+M", P::WavList, "pmiMove0", "&Move",
     "sbMove", "Move", "Edit", "Move the selected WAV(s).", "move", 107, WavRule,
     [](T& to) { to.files.moveSelected(); }},
    {Rename, "miEditRename", "&Rename...", "F2", P::WavList, "pmiRename0", "&Rename",
     "sbRename", "Rename", "Edit", "Rename the selected WAV.", "rename", 131, WavRule,
     [](T& to) { to.files.renameSelected(); }},
    {Delete, "miEditDelete", "&Delete...", "Ctrl+Del", P::WavList, "pmiDelete0", "&Delete",
     "sbDelete", "Delete", "Edit", "Delete the selected WAV(s).", "delete", 155, WavRule,
     [](T& to) { to.files.deleteSelected(); }},
    {EditButton, nullptr, "Edit", nullptr, P::None, nullptr, nullptr,
     "sbEdit", "Edit", "Edit", "Edit with external editor.", "edit", 179, WavAndPlaylistRules,
     [](T& to) { to.edit.editSelected(); }},
    {Edit, "miEditEdit", "&Edit", "Ctrl+E", P::WavList, "pmiEdit0", "&Edit",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, WavRule,
     [](T& to) { to.edit.editSelected(); }},
    {EditEntry, nullptr, "&Edit", nullptr, P::Playlist, "pmiEdit1", "&Edit",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlaylistRule,
     [](T& to) { to.edit.editSelected(); }},
    {Play, "miControlsPlay", "&Play", nullptr, P::None, nullptr, nullptr,
     "sbPlay", "Play", "Controls", "Play the selected WAV or playlist.", "play", -1, PlayRule,
     [](T& to) { playSelected(to, false); }},
    {Loop, "miControlsLoop", "&Loop", "Ctrl+L", P::None, nullptr, nullptr,
     "sbLoop", "Loop", "Controls", "Loop the selected WAV or playlist.", "loop", -1, PlayRule,
     [](T& to) { playSelected(to, true); }},
    {Stop, "miControlsStop", "&Stop", nullptr, P::None, nullptr, nullptr,
     "sbStop", "Stop", "Controls", "Stop the currently playing WAV or playlist.", "stop", -1,
     PlayRule, [](T& to) { to.playback.stopPlaying(); }},
    {PlayWav, nullptr, "&Play", nullptr, P::WavList, "pmiPlay0", "&Play",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayWavRule,
     [](T& to) { playSelected(to, false); }},
    {LoopWav, nullptr, "&Loop", nullptr, P::WavList, "pmiLoop0", "&Loop",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayWavRule,
     [](T& to) { playSelected(to, true); }},
    {StopWav, nullptr, "&Stop", nullptr, P::WavList, "pmiStop0", "&Stop",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayWavRule,
     [](T& to) { to.playback.stopPlaying(); }},
    {PlayEntry, nullptr, "&Play", nullptr, P::Playlist, "pmiPlay1", "&Play",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayEntryRule,
     [](T& to) { playSelected(to, false); }},
    {LoopEntry, nullptr, "&Loop", nullptr, P::Playlist, "pmiLoop1", "&Loop",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayEntryRule,
     [](T& to) { playSelected(to, true); }},
    {StopEntry, nullptr, "&Stop", nullptr, P::Playlist, "pmiStop1", "&Stop",
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, PlayEntryRule,
     [](T& to) { to.playback.stopPlaying(); }},
    {PlayPlaylist, "miPlaylistPlay", "&Play", "Ctrl+P", P::Playlist, "pmiPlayPlaylist",
     "Play Playlis&t", "sbPlayPlaylist", "Play Playlist", "Playlist",
     "Play the currently loaded playlist.", "playlist-play", -1, PlaylistRule,
     [](T& to) { to.run.DoPlayPlaylist(); }},
    {MoveUp, "miPlaylistMoveUp", "Move &Up", "Ctrl+U", P::Playlist, "pmiMoveUp", "Move &Up",
     "sbUp", "Move Up", "Playlist", "Move the selected item up.", "up", -1, PlaylistRule,
     [](T& to) { to.editor.moveUp(selectedEntry(to)); }},
    {MoveDown, "miPlaylistMoveDown", "Move &Down", "Ctrl+D", P::Playlist, "pmiMoveDown",
     "Move &Down", "sbDown", "Move Down", "Playlist", "Move the selected item down.", "down", -1,
     PlaylistRule, [](T& to) { to.editor.moveDown(selectedEntry(to)); }},
    {AddToPlaylist, "miEditAddToPlaylist", "&Add to Playlist", "Shift+Ins", P::WavList,
     "pmiAddToPlaylist", "&Add to Playlist", "sbAdd", "Add", "Playlist",
     "Add the selected WAV to the playlist.", "add", -1, WavRule,
     [](T& to) { to.adder.addSelected(); }},
    {AddAll, "miEditAddAll", "A&dd All", nullptr, P::WavList, "pmiAddAll", "Add All",
     "sbAddAll", "Add All", "Playlist", "Add all files to the playlist.", "add-all", -1, WavRule,
     [](T& to) { to.adder.addAllWavs(); }},
    {Remove, "miPlaylistRemove", "&Remove", "Ctrl+R", P::Playlist, "pmiRemove", "&Remove",
     "sbRemove", "Remove", "Playlist", "Remove the selected item from the playlist.", "remove", -1,
     PlaylistRule, [](T& to) { to.editor.remove(selectedEntry(to)); }},
    {Clear, "miPlaylistClear", "&Clear", "Ctrl+Z", P::Playlist, "Clear1", "&Clear",
     "sbClear", "Clear", "Playlist", "Clear the current playlist.", "clear", -1, Always,
     [](T& to) { to.editor.clear(); }},
    {ShowPlaylist, "miViewPlayList", "&PlayList", nullptr, P::None, nullptr, nullptr,
     "sbShowPlaylist", "Show/Hide PlayList", "View", "Show or hide the play list.",
     "show-playlist", 211, Always, [](T& to) { to.window.togglePlaylist(); }},
    {ViewToolbar, "miViewToolbar", "&Toolbar", nullptr, P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { to.window.toggleToolbar(); }},
    {Customize, "miToolsCustomize", "&Customize Toolbar...", nullptr, P::Toolbar, "Customize1",
     "Customize", nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { to.toolbar.OpenCustomizeDialog(0); }},
    {Preferences, "miToolsPreferences", "&Preferences...", nullptr, P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { showPreferences(to); }},
    {HelpContents, "miHelpContents", "&Contents", nullptr, P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always,
     [](T& to) { to.help.showContext(0); }},
    {About, "miHelpAbout", "&About...", nullptr, P::None, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, -1, Always, [](T& to) { showAbout(to); }},
}};
// clang-format on

// commandRow() indexes the table by id.
constexpr bool rowsInIdOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i)
            return false;
    return true;
}
static_assert(rowsInIdOrder());

constexpr MenuEntry cmd(CommandId id) {
    return {MenuEntry::Kind::Command, id};
}
constexpr MenuEntry kSeparator{MenuEntry::Kind::Separator, FileNew};
constexpr MenuEntry kReopen{MenuEntry::Kind::Reopen, FileNew};

} // namespace

const CommandRow& commandRow(CommandId id) {
    return kRows[static_cast<std::size_t>(id)];
}

const std::array<CommandRow, kCommandCount>& commandRows() {
    return kRows;
}

QStringList controlNames(const CommandRow& row) {
    QStringList names;
    for (const char* name : {row.menuItem, row.popupItem, row.toolbarItem})
        if (name)
            names.append(QLatin1String(name));
    return names;
}

const QList<MenuLayout>& mainMenuLayout() {
    static const QList<MenuLayout> menus = {
        {"miFile",
         "&File",
         {cmd(FileNew), cmd(FileOpen), kReopen, cmd(FileSave), cmd(FileSaveAs), kSeparator,
          cmd(FileExit)}},
        {"miEdit",
         "&Edit",
         {cmd(Copy), cmd(Move), cmd(Rename), cmd(Edit), kSeparator, cmd(AddToPlaylist), cmd(AddAll),
          kSeparator, cmd(Delete)}},
        {"miControls", "&Controls", {cmd(Play), cmd(Loop), cmd(Stop)}},
        {"miPlaylist",
         "&Playlist",
         {cmd(PlayPlaylist), kSeparator, cmd(MoveUp), cmd(MoveDown), cmd(Remove), kSeparator,
          cmd(Clear)}},
        {"miView", "&View", {cmd(ViewToolbar), cmd(ShowPlaylist)}},
        {"miTools", "&Tools", {cmd(Customize), cmd(Preferences)}},
        {"miHelp", "&Help", {cmd(HelpContents), kSeparator, cmd(About)}},
    };
    return menus;
}

const QList<MenuLayout>& popupMenuLayout() {
    static const QList<MenuLayout> menus = {
        {"popWavList",
         nullptr,
         {cmd(PlayWav), cmd(LoopWav), cmd(StopWav), kSeparator, cmd(AddToPlaylist), cmd(AddAll),
          kSeparator, cmd(Copy), cmd(Move), cmd(Rename), cmd(Edit), kSeparator, cmd(Delete)}},
        {"popPlaylist",
         nullptr,
         {cmd(PlayPlaylist), kSeparator, cmd(PlayEntry), cmd(LoopEntry), cmd(StopEntry), kSeparator,
          cmd(EditEntry), kSeparator, cmd(MoveUp), cmd(MoveDown), cmd(Remove), kSeparator,
          cmd(Clear)}},
        {"pmnuToolbar", nullptr, {cmd(Customize)}},
    };
    return menus;
}

SpeedBarLayout firstRunToolbar() {
    SpeedBarLayout layout;
    layout.sections = {QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("Controls"),
                       QStringLiteral("Playlist"), QStringLiteral("View")};
    for (const CommandRow& row : kRows) {
        if (!row.toolbarItem)
            continue;
        SpeedItem item;
        item.name = QLatin1String(row.toolbarItem);
        item.caption = QLatin1String(row.toolbarCaption);
        item.section = QLatin1String(row.section);
        item.hint = item.caption + QLatin1Char('|') + QLatin1String(row.hint);
        item.picture = QLatin1String(row.picture);
        item.visible = row.firstRunLeft >= 0;
        item.left = item.visible ? row.firstRunLeft : 0;
        item.top = layout.offsetVertical;
        item.twoState = row.id == ShowPlaylist;
        layout.items.append(item);
    }
    return layout;
}
