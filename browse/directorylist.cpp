#include "browse/directorylist.h"

#include "browse/wavlisting.h"
#include "fileops/filepath.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

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
    m_directory = directory;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon currentIcon = style()->standardIcon(QStyle::SP_DirLinkOpenIcon);

    auto addEntry = [this](const QString& text, const QString& path, int depth, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, path);
        item->setData(kDepthRole, depth);
        return item;
    };

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
    for (const QString& sub : listSubdirectories(directory))
        addEntry(sub, GetFixedDirectory(directory) + sub, depth + 1, closedIcon);
    setCurrentItem(current);
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        Q_EMIT openRequested(currentItem()->data(kPathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}
