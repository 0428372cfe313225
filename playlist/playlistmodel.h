#pragma once

#include <QAbstractListModel>
#include <QStringList>

class QItemSelectionModel;

// The text an entry shows: its full path when ShowPath is on, else its file name (the whole
// line when it has no directory part).
QString playlistDisplayText(const QString& path, bool showPath);

// The playlist: for each entry its full path and the text the list shows, kept together so the
// two can never fall out of step. Duplicates are entries of their own. With it, the selected
// entry (a selection model a view can share), the playlist-modified flag and the current
// playlist file, each announced when it changes.
class PlaylistModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PlaylistModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int count() const { return static_cast<int>(m_entries.size()); }
    const QString& path(int row) const { return m_entries.at(row).path; }
    const QString& displayText(int row) const { return m_entries.at(row).display; }
    QStringList paths() const;

    struct Entry {
        QString path;
        QString display;
    };
    void append(const QString& path, const QString& display);
    // Appends the entries as one insertion, so a view lays itself out once.
    void append(const QList<Entry>& entries);
    void removeAt(int row);
    void move(int from, int to);
    void clear();
    // Refills the display texts from the paths as ShowPath says.
    void rebuildDisplay(bool showPath);

    // At most one entry is selected; -1 for none. Selecting a row outside the list clears it.
    QItemSelectionModel* selectionModel() const { return m_selection; }
    int selectedRow() const;
    void selectRow(int row);

    bool modified() const { return m_modified; }
    void setModified(bool modified);
    const QString& currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString& file);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void currentFileChanged(const QString& file);

private:
    QList<Entry> m_entries;
    QItemSelectionModel* m_selection;
    bool m_modified = false;
    QString m_currentFile;
};
