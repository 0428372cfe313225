#pragma once

#include <QListView>
#include <QSet>

#include <functional>

// The program's list control, used by the file list and the playlist. It reports presses,
// releases and key releases with the modifiers held, reports leaving the focus only when the
// focus moves to another control of the same window (not on window switches, nor to the menu bar
// or a menu), and raises `changed` when a user action leaves a different selected row than at
// the previous change, or when the list has been refilled. At most one row is selected, and no
// click or key clears it. The popup menu is asked for after a right release has been reported,
// so the release's handling runs before the popup shows. A left press moved past the platform's
// drag distance drags the pressed row's file out instead (no release is reported then).
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    ~ListBox() override;

    int selectedRow() const;
    // Selection by program: raises no change.
    void selectRow(int row);
    void clearSelectedRow() { selectRow(-1); }
    int count() const;
    void setModel(QAbstractItemModel* model) override;
    // The row under a point in the viewport, counting only existing rows; -1 below the last.
    int rowAt(const QPoint& viewportPos) const;

    // A re-read finished: the list holds no selection and raises its change event.
    void raiseRefilled();

    // The file a row offers to a drag out of the list; an empty path offers none.
    using DragPath = std::function<QString(int row)>;
    void setDragPath(DragPath dragPath) { m_dragPath = std::move(dragPath); }

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void keyUp(int key);
    void focusLeft();
    void changed();
    void popupRequested(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void raiseChangedIfMoved();
    void followFocus(QWidget* previous, QWidget* now);
    bool startFileDrag(const QMouseEvent* event);

    int m_rowAtLastChange = -1;
    // The entry at the previous change while the model moves its rows: the row follows it.
    QPersistentModelIndex m_entryAtLastChange;
    // The menu bar or a menu holds the keyboard focus the list had; the list has not been left.
    bool m_focusLent = false;
    // Keys pressed while the list had the focus; only their releases count as the list's.
    QSet<int> m_keysPressedHere;
    DragPath m_dragPath;
    // Where the left button went down, and the row it pressed (-1: no drag can start).
    QPoint m_dragStart;
    int m_dragRow = -1;
    bool m_dragged = false; // a drag started since the last press
};
