#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The text an entry shows: its full path when ShowPath is on, else its file name (the whole
// line when it has no directory part).
QString playlistDisplayText(const QString& path, bool showPath);

// The playlist: for each entry its full path and the text the list shows, kept together so the
// two can never fall out of step. Duplicates are entries of their own. With it, the
// playlist-modified flag and the current playlist file.
class PlaylistModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

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

    bool modified = false;
    QString currentFile;

private:
    QList<Entry> m_entries;
};
