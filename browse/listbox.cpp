#include "browse/listbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

ListBox::ListBox(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setContextMenuPolicy(Qt::CustomContextMenu); // the window shows the list's popup menu
}

int ListBox::selectedRow() const {
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
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
    Q_EMIT mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    // The right button selects through the press handler; the list's own handling would also
    // clear the selection on empty space.
    if (event->button() != Qt::RightButton)
        QListView::mousePressEvent(event);
    raiseChangedIfMoved();
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    QListView::mouseMoveEvent(event);
    raiseChangedIfMoved();
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton)
        QListView::mouseReleaseEvent(event);
    raiseChangedIfMoved();
    Q_EMIT mouseUp(event->button(), event->modifiers());
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
    QListView::keyPressEvent(event);
    raiseChangedIfMoved();
}

void ListBox::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        Q_EMIT keyUp(event->key());
    QListView::keyReleaseEvent(event);
}

void ListBox::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    const QWidget* next = QApplication::focusWidget();
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (next && next->window() == window())
        Q_EMIT focusLeft();
}
