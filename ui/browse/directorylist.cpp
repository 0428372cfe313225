#include "ui/browse/directorylist.h"

#include "browse/wavlisting.h"
#include "base/filepath.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kIconSize = 16;

// The open folder with a mark of its own, painted here because icon themes often have no
// current-folder picture.
QIcon currentFolderIcon(const QStyle* style) {
    QPixmap pixmap = style->standardIcon(QStyle::SP_DirOpenIcon).pixmap(kIconSize);
    if (pixmap.isNull()) {
        pixmap = QPixmap(kIconSize, kIconSize);
        pixmap.fill(Qt::transparent);
    }
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5)); // stands out also on the selection's colour
    painter.setBrush(QColor(40, 150, 60));
    const qreal w = pixmap.width() / pixmap.devicePixelRatio();
    const qreal h = pixmap.height() / pixmap.devicePixelRatio();
    painter.drawEllipse(QRectF(w * 0.5, h * 0.5, w * 0.45, h * 0.45));
    return QIcon(pixmap);
}

// Indents each entry by its depth in the tree.
class DepthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.adjust(kIndent * index.data(DirectoryList::kDepthRole).toInt(), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }

private:
    static constexpr int kIndent = 8;
};

} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new DepthDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Q_EMIT openRequested(item->data(kPathRole).toString());
    });
}

void DirectoryList::showDirectory(const QString& root, const QString& directory) {
    showDirectory(root, directory, listSubdirectories(directory));
}

void DirectoryList::showDirectory(const QString& root, const QString& directory,
                                  const QStringList& subdirectories) {
    m_directory = directory;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon currentIcon = currentFolderIcon(style());

    const QString rootDir = root;
    QListWidgetItem* current = addEntry(rootDir, rootDir, 0, openIcon);
    const QString below = directory.mid(GetFixedDirectory(rootDir).size());
    const QStringList parts = below.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = rootDir;
    int depth = 0;
    for (const QString& part : parts) {
        path = GetFixedDirectory(path) + part;
        current = addEntry(part, path, ++depth, openIcon);
    }
    current->setIcon(currentIcon);
    m_pathEntries = count();
    m_subdirectoryDepth = depth + 1;
    m_subdirectories = subdirectories;
    addSubdirectories();
    setCurrentItem(current);
}

void DirectoryList::showSubdirectories(const QStringList& subdirectories) {
    if (subdirectories == m_subdirectories)
        return;
    const QString currentPath =
        currentItem() ? currentItem()->data(kPathRole).toString() : QString();
    const int scrolled = verticalScrollBar()->value();
    while (count() > m_pathEntries)
        delete takeItem(count() - 1);
    m_subdirectories = subdirectories;
    addSubdirectories();
    // An entry that has gone leaves the browser directory current, as a rebuild does.
    QListWidgetItem* kept = item(m_pathEntries - 1);
    for (int row = 0; row < count(); ++row)
        if (item(row)->data(kPathRole).toString() == currentPath)
            kept = item(row);
    setCurrentItem(kept);
    verticalScrollBar()->setValue(scrolled);
}

void DirectoryList::addSubdirectories() {
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const QString& sub : std::as_const(m_subdirectories))
        addEntry(sub, GetFixedDirectory(m_directory) + sub, m_subdirectoryDepth, closedIcon);
}

QListWidgetItem* DirectoryList::addEntry(const QString& text, const QString& path, int depth,
                                         const QIcon& icon) {
    auto* item = new QListWidgetItem(icon, text, this);
    item->setData(kPathRole, path);
    item->setData(kDepthRole, depth);
    return item;
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        Q_EMIT openRequested(currentItem()->data(kPathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}
