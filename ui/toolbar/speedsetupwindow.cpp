#include "ui/toolbar/speedsetupwindow.h"

#include "ui/toolbar/speedbar.h"
#include "ui/toolbar/speedfloatingimage.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

constexpr int kCaptionGap = 3; // between a row's picture and its caption

// A row of the buttons list: the item's picture at the bar's button size, then its caption.
class ButtonRowDelegate : public QStyledItemDelegate {
public:
    ButtonRowDelegate(SpeedBar* bar, QObject* parent) : QStyledItemDelegate(parent), m_bar(bar) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), m_bar->layout().buttonHeight + 2};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                            option.widget);
        const SpeedBarLayout& layout = m_bar->layout();
        const QRect picture(option.rect.left() + 1, option.rect.top() + 1, layout.buttonWidth,
                            layout.buttonHeight);
        m_bar->button(index.data(Qt::UserRole).toString())->icon().paint(painter, picture);
        const QRect caption = option.rect.adjusted(picture.right() + 1 + kCaptionGap, 0, 0, 0);
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(caption, Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
    }

private:
    SpeedBar* m_bar;
};

QLabel* label(const QString& text, QWidget* buddy, const QRect& place, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    l->setGeometry(place);
    return l;
}

} // namespace

SpeedbarSetupWindow::SpeedbarSetupWindow(SpeedBar* bar, int helpTopic)
    : QDialog(bar->window(), Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_bar(bar), m_sectionList(new QListWidget(this)), m_buttonsList(new QListWidget(this)),
      m_hintLabel(new QLabel(this)), m_image(new SpeedFloatingImage(this)) {
    setObjectName(QStringLiteral("SpeedbarSetupWindow"));
    connect(this, &SpeedbarSetupWindow::helpRequested, bar, &SpeedBar::helpRequested);
    setWindowTitle(QStringLiteral("Customize Speedbar"));
    setModal(false);
    setFixedSize(421, 262);

    m_sectionList->setObjectName(QStringLiteral("SectionList"));
    m_sectionList->setGeometry(8, 26, 130, 170);
    for (const QString& section : bar->layout().sections) {
        auto* row = new QListWidgetItem(section, m_sectionList);
        row->setSizeHint(QSize(0, kSectionRowHeight));
    }
    label(QStringLiteral("&Categories:"), m_sectionList, QRect(8, 8, 130, 16), this)
        ->setObjectName(QStringLiteral("CategoriesLabel"));

    m_buttonsList->setObjectName(QStringLiteral("ButtonsList"));
    m_buttonsList->setGeometry(146, 26, 267, 170);
    m_buttonsList->setItemDelegate(new ButtonRowDelegate(bar, m_buttonsList));
    m_buttonsList->viewport()->installEventFilter(this);
    label(QStringLiteral("&Available buttons:"), m_buttonsList, QRect(146, 8, 267, 16), this)
        ->setObjectName(QStringLiteral("ButtonsLabel"));

    m_hintLabel->setObjectName(QStringLiteral("HintLabel"));
    m_hintLabel->setWordWrap(true);
    m_hintLabel->setGeometry(8, 204, 320, 40);
    m_hintLabel->setText(
        QStringLiteral("To add command buttons, drag and drop buttons onto the SpeedBar. To "
                       "remove command buttons, drag them off of the SpeedBar."));

    auto* closeButton = new QPushButton(QStringLiteral("OK"), this);
    closeButton->setObjectName(QStringLiteral("CloseBtn"));
    closeButton->setGeometry(338, 204, 75, 25);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject); // Esc does the same

    auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setObjectName(QStringLiteral("HelpBtn"));
    helpButton->setGeometry(338, 233, 75, 25);
    helpButton->setVisible(helpTopic > 0);
    connect(helpButton, &QPushButton::clicked, this,
            [this, helpTopic] { Q_EMIT helpRequested(helpTopic); });

    connect(m_sectionList, &QListWidget::currentRowChanged, this,
            &SpeedbarSetupWindow::fillButtons);
    connect(m_buttonsList, &QListWidget::currentRowChanged, this, &SpeedbarSetupWindow::showHint);
    connect(bar, &SpeedBar::buttonsChanged, this, &SpeedbarSetupWindow::fillButtons);
    connect(bar, &SpeedBar::buttonSizeChanged, this, &SpeedbarSetupWindow::fillButtons);
    connect(bar, &SpeedBar::buttonMoved, m_buttonsList->viewport(), qOverload<>(&QWidget::update));
    m_sectionList->setCurrentRow(0);

    if (const QScreen* screen = bar->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void SpeedbarSetupWindow::fillButtons() {
    const QString current = m_buttonsList->currentItem()
                                ? m_buttonsList->currentItem()->data(Qt::UserRole).toString()
                                : QString();
    m_buttonsList->clear();
    const QListWidgetItem* section = m_sectionList->currentItem();
    if (!section)
        return;
    for (const SpeedItem& item : m_bar->layout().items) {
        if (item.section != section->text())
            continue;
        auto* row = new QListWidgetItem(item.caption, m_buttonsList);
        row->setData(Qt::UserRole, item.name);
        if (item.name == current)
            m_buttonsList->setCurrentItem(row);
    }
}

void SpeedbarSetupWindow::showHint() {
    const QListWidgetItem* row = m_buttonsList->currentItem();
    if (!row)
        return;
    if (const SpeedItem* item = m_bar->layout().find(row->data(Qt::UserRole).toString()))
        m_hintLabel->setText(item->longHint());
}

bool SpeedbarSetupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_buttonsList->viewport())
        return false;
    const bool busy = !m_draggedItem.isEmpty() || m_refused;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return busy || pressOnPicture(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        if (!m_draggedItem.isEmpty())
            m_image->follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return busy; // no other row is selected while the button is held
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return busy;
        if (m_refused)
            QApplication::restoreOverrideCursor();
        m_refused = false;
        if (!m_draggedItem.isEmpty())
            dropOnBar(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return busy;
    default:
        return false;
    }
}

bool SpeedbarSetupWindow::pressOnPicture(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    QListWidgetItem* row = m_buttonsList->itemAt(pos);
    if (event->button() != Qt::LeftButton || !row ||
        pos.x() - m_buttonsList->visualItemRect(row).left() >= m_bar->layout().buttonWidth + 2)
        return false;
    m_buttonsList->setCurrentItem(row);
    const QString name = row->data(Qt::UserRole).toString();
    if (m_bar->layout().find(name)->visible) {
        m_refused = true;
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        return true;
    }
    m_draggedItem = name;
    m_image->start(m_bar->button(name)->grab());
    m_image->follow(event->globalPosition().toPoint());
    m_image->show();
    return true;
}

void SpeedbarSetupWindow::dropOnBar(QPoint global) {
    const QString name = std::exchange(m_draggedItem, QString());
    m_image->hide();
    const QPoint corner = m_image->cornerFor(global);
    const QWidget* target = QApplication::widgetAt(corner);
    if (target && (target == m_bar || m_bar->isAncestorOf(target)))
        m_bar->PlaceDroppedButton(name, m_bar->mapFromGlobal(corner));
}
