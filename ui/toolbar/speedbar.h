#pragma once

#include "ui/toolbar/speeditem.h"

#include <QFrame>
#include <QHash>
#include <QPointer>

#include <functional>

class IniStore;
class QAction;
class QDialog;
class QToolButton;
class SpeedBarDrag;
class SpeedFloatingImage;

// The customisable toolbar: each visible item's button stands at the item's own left and top.
// While the customize dialog is open every button shows enabled and raised, runs nothing, and a
// left press moves it on its grid or off the bar. The bar itself can be dragged to another edge
// of its parent, the window's client area.
class SpeedBar : public QFrame {
    Q_OBJECT
public:
    explicit SpeedBar(SpeedBarLayout layout, QWidget* parent = nullptr);
    ~SpeedBar() override;

    const SpeedBarLayout& layout() const { return m_layout; }
    QToolButton* button(const QString& name) const { return m_buttons.value(name); }

    // The command's state, which the button shows except while customizing.
    void setItemEnabled(const QString& name, bool enabled);
    bool isItemEnabled(const QString& name) const;
    void setItemDown(const QString& name, bool down);
    // Binds an item to its command: the button runs the action (outside customize mode) and
    // follows its enabled state.
    void setItemAction(const QString& name, QAction* action);

    // The layout in the configuration file, in the section named after the window's class and
    // the bar's name. A bar without a name neither reads nor writes.
    QString layoutSection() const;
    void ReadLayout(const IniStore& store);
    void WriteLayout(IniStore& store) const;

    // Makes the customize dialog for a help topic; whoever builds the bar gives it.
    using DialogMaker = std::function<QDialog*(int helpTopic)>;
    void setCustomizeDialogMaker(DialogMaker make) { m_makeDialog = std::move(make); }
    // Opens the customize dialog, or brings the open one forward. A topic above 0 shows its
    // Help button, which asks for that topic through helpRequested.
    void OpenCustomizeDialog(int helpTopic);
    QDialog* customizeDialog() const;
    bool isCustomizing() const;

    // Places an item's button at the grid position nearest to `corner` (bar coordinates) and
    // tells whether it is now on the bar.
    bool PlaceDroppedButton(const QString& name, QPoint corner);
    void setAlign(SpeedBarAlign align);

Q_SIGNALS:
    void buttonsChanged(); // a button came onto the bar or left it
    void buttonMoved();
    void buttonSizeChanged(); // also when the bar turns
    void alignChanged(SpeedBarAlign align);
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyLayout();
    void showEnabledState(const SpeedItem& item);
    void endCustomize();
    void startButtonMove(const QString& name);
    void followPointer(QPoint global);
    void dropButton(QPoint global);
    QToolButton* makeButton(const SpeedItem& item);

    SpeedBarLayout m_layout;
    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, QPointer<QAction>> m_actions;
    DialogMaker m_makeDialog;
    QPointer<QDialog> m_setup;
    SpeedBarDrag* m_barDrag = nullptr;
    SpeedFloatingImage* m_image = nullptr;
    QString m_movingItem; // the button being moved in customize mode
};
