#pragma once

#include <QListView>

// The program's list control, used by the file list and the playlist. It reports presses,
// releases and key releases with the modifiers held, reports leaving the focus only when the
// focus moves to another control of the same window (not on window switches or popup menus), and
// raises `changed` when a user action leaves a different selected row than at the previous
// change, or when the list has been refilled.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int selectedRow() const;
    // Selection by program: raises no change.
    void selectRow(int row);
    void clearSelectedRow() { selectRow(-1); }
    int count() const;
    // The row under a point in the viewport, counting only existing rows; -1 below the last.
    int rowAt(const QPoint& viewportPos) const;

    // A re-read finished: the list holds no selection and raises its change event.
    void raiseRefilled();

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void keyUp(int key);
    void focusLeft();
    void changed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void raiseChangedIfMoved();

    int m_rowAtLastChange = -1;
};
