#pragma once

#include <QListWidget>

// The directory list: the volume's root, the directories on the way down to the browser
// directory, the browser directory itself, then its sub-directories one level deeper. Opening an
// entry (double click, or Enter) asks for that directory.
class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // Rebuilds the list for `directory` (an absolute path) on the volume mounted at `root`.
    void showDirectory(const QString& root, const QString& directory);
    // The same with the browser directory's sub-directories as already read.
    void showDirectory(const QString& root, const QString& directory,
                       const QStringList& subdirectories);
    // The browser directory's sub-directories changed; the current entry and the scrolling stay.
    void showSubdirectories(const QStringList& subdirectories);
    const QString& directory() const { return m_directory; }

    static constexpr int kPathRole = Qt::UserRole;
    static constexpr int kDepthRole = Qt::UserRole + 1;

Q_SIGNALS:
    void openRequested(const QString& directory);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addSubdirectories();
    QListWidgetItem* addEntry(const QString& text, const QString& path, int depth,
                              const QIcon& icon);

    QString m_directory;
    QStringList m_subdirectories;
    int m_pathEntries = 0; // the root, the path down and the browser directory
    int m_subdirectoryDepth = 0;
};
