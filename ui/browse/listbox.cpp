#include "ui/browse/listbox.h"

#include "fileops/filedrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <utility>

namespace {

// The menu bar and its menus borrow the keyboard while a menu is used by key (Alt, Alt+letter);
// the focus goes back to the list when the menu closes.
bool borrowsKeyboard(const QWidget* widget) {
    return qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QMenu*>(widget);
}

} // namespace

ListBox::ListBox(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(qApp, &QApplication::focusChanged, this, &ListBox::followFocus);
}

ListBox::~ListBox() {
    // The focus moves on while the widget part is torn down; this part is gone by then.
    disconnect(qApp, &QApplication::focusChanged, this, &ListBox::followFocus);
}

int ListBox::selectedRow() const {
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::setModel(QAbstractItemModel* model) {
    QListView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
        m_entryAtLastChange =
            m_rowAtLastChange >= 0 ? this->model()->index(m_rowAtLastChange, 0) : QModelIndex();
    });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
        if (m_rowAtLastChange >= 0)
            m_rowAtLastChange = m_entryAtLastChange.isValid() ? m_entryAtLastChange.row() : -1;
        m_entryAtLastChange = QPersistentModelIndex();
    });
}

int ListBox::count() const {
    return model() ? model()->rowCount() : 0;
}

void ListBox::selectRow(int row) {
    if (!selectionModel())
        return;
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int ListBox::rowAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() : -1;
}

void ListBox::raiseRefilled() {
    m_rowAtLastChange = selectedRow();
    Q_EMIT changed();
}

void ListBox::raiseChangedIfMoved() {
    const int row = selectedRow();
    if (row == m_rowAtLastChange)
        return;
    m_rowAtLastChange = row;
    Q_EMIT changed();
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    m_dragged = false;
    m_dragStart = event->position().toPoint();
    m_dragRow = event->button() == Qt::LeftButton ? rowAt(m_dragStart) : -1;
    Q_EMIT mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    // The right button selects through the press handler; the list's own handling would also
    // clear the selection on empty space.
    if (event->button() != Qt::RightButton)
        QListView::mousePressEvent(event);
    raiseChangedIfMoved();
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    if (startFileDrag(event))
        return;
    QListView::mouseMoveEvent(event);
    raiseChangedIfMoved();
}

bool ListBox::startFileDrag(const QMouseEvent* event) {
    if (m_dragRow < 0 || !m_dragPath || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_dragStart).manhattanLength() <
            QApplication::startDragDistance())
        return false;
    const QString path = m_dragPath(m_dragRow);
    m_dragRow = -1;
    if (path.isEmpty())
        return false;
    auto* drag = new QDrag(this);
    drag->setMimeData(fileMimeData(path));
    drag->exec(Qt::CopyAction);
    setState(NoState);
    m_dragged = true;
    return true;
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    m_dragRow = -1;
    // Where the platform's drag leaves the release to the list, it ends the drag, no click.
    if (std::exchange(m_dragged, false) && event->button() == Qt::LeftButton)
        return;
    if (event->button() != Qt::RightButton)
        QListView::mouseReleaseEvent(event);
    raiseChangedIfMoved();
    Q_EMIT mouseUp(event->button(), event->modifiers());
    if (event->button() == Qt::RightButton)
        Q_EMIT popupRequested(viewport()->mapToGlobal(event->position().toPoint()));
}

void ListBox::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    // A mouse asks for the popup at its press on some platforms; the release shows it instead.
    if (event->reason() != QContextMenuEvent::Mouse)
        Q_EMIT popupRequested(event->globalPos());
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    // Ctrl would toggle the selected row off, a press on empty space would clear it: the
    // selection stays instead.
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (!index.isValid() || (command & QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click acts as a second press: no action of its own.
    mousePressEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        event->ignore(); // the window handles them
        return;
    }
    if (!event->isAutoRepeat())
        m_keysPressedHere.insert(event->key());
    // With nothing selected nothing is current either, so the first Up or Down selects the
    // first row rather than the one after a row left current by a re-read or a focus-leave.
    if (selectedRow() < 0 && selectionModel())
        selectionModel()->clearCurrentIndex();
    QListView::keyPressEvent(event);
    raiseChangedIfMoved();
}

void ListBox::keyReleaseEvent(QKeyEvent* event) {
    // The release of a key pressed elsewhere (the Enter that closed a message box) is not the
    // list's.
    if (!event->isAutoRepeat() && m_keysPressedHere.remove(event->key()))
        Q_EMIT keyUp(event->key());
    QListView::keyReleaseEvent(event);
}

void ListBox::focusOutEvent(QFocusEvent* event) {
    m_keysPressedHere.clear();
    QListView::focusOutEvent(event);
}

void ListBox::followFocus(QWidget* previous, QWidget* now) {
    if (previous != this && !m_focusLent)
        return;
    if (now == this) {
        m_focusLent = false;
        return;
    }
    // Another window (a dialog, a popup, another program) taking the focus is no leave either.
    if (!now || now->window() != window())
        return;
    m_focusLent = borrowsKeyboard(now);
    if (!m_focusLent)
        Q_EMIT focusLeft();
}
