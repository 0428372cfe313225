#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class SpeedBar;
class SpeedFloatingImage;

// The customize dialog: the bar's sections and, for the selected one, every item drawn as its
// button and caption. Items not on the bar are dragged from their picture onto it. It blocks
// nothing, stays on top, and keeps the bar in customize mode while it is open.
class SpeedbarSetupWindow : public QDialog {
    Q_OBJECT
public:
    SpeedbarSetupWindow(SpeedBar* bar, int helpTopic);

    QListWidget* sectionList() const { return m_sectionList; }
    QListWidget* buttonsList() const { return m_buttonsList; }
    QLabel* hintLabel() const { return m_hintLabel; }

    static constexpr int kSectionRowHeight = 15;

Q_SIGNALS:
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillButtons();
    void showHint();
    bool pressOnPicture(QMouseEvent* event);
    void dropOnBar(QPoint global);

    SpeedBar* m_bar;
    QListWidget* m_sectionList;
    QListWidget* m_buttonsList;
    QLabel* m_hintLabel;
    SpeedFloatingImage* m_image;
    QString m_draggedItem;  // dragging from the grid
    bool m_refused = false; // the pressed item is on the bar already: no drag
};
