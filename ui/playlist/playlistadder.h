#pragma once

#include <functional>

class Browser;
class PlaylistEditor;

// Add to Playlist and Add All: the file list's selected file, or all its files, appended to the
// playlist.
class PlaylistAdder {
public:
    // Gives the file list its focus back with `row` selected, and its rules.
    using ListFocus = std::function<void(int row)>;

    PlaylistAdder(Browser& browser, PlaylistEditor& editor, ListFocus setListFocus)
        : m_browser(browser), m_editor(editor), m_setListFocus(std::move(setListFocus)) {}

    void addSelected();
    void addAllWavs();

private:
    Browser& m_browser;
    PlaylistEditor& m_editor;
    ListFocus m_setListFocus;
};
