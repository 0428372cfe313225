#include "ui/dialogs/tfrmpreferences.h"

#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "base/inistore.h"
#include "base/prompt.h"
#include "ui/dialogs/helplookup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

const QString kPreferences = QLatin1String(cfg::kPreferences);
constexpr int kBrowseButtonWidth = 21;

QString programFiles() {
    return QStringLiteral("Program Files (*)");
}

} // namespace

TfrmPreferences::TfrmPreferences(IniStore& store, Prompt& prompt, HelpService& help,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_store(store), m_prompt(prompt) {
    setWindowTitle(QStringLiteral("Preferences"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(402, 220);
    buildLayout();
    setTabOrderAndHelp();
    helplookup::installF1Help(this, help, prompt);
    connect(m_btnOK, &QPushButton::clicked, this, [this] { acceptChanges(); });
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPreferences::buildLayout() {
    m_rgClickAction = new QGroupBox(QStringLiteral("Click action"), this);
    m_rgClickAction->setGeometry(16, 8, 273, 57);
    m_clickAction = new QButtonGroup(this);
    const QString captions[] = {QStringLiteral("Normal left-click plays WAV."),
                                QStringLiteral("[Alt] + left-click plays WAV.")};
    // The two buttons share the group's inside below its caption, which the style places.
    const QRect inside = m_rgClickAction->contentsRect();
    const int rowHeight = inside.height() / 2;
    for (int index = 0; index < 2; ++index) {
        auto* button = new QRadioButton(captions[index], m_rgClickAction);
        button->setGeometry(inside.left() + 8, inside.top() + index * rowHeight,
                            inside.width() - 16, rowHeight);
        m_clickAction->addButton(button, index);
    }

    const auto checkBox = [this](const QString& caption, int y) {
        auto* box = new QCheckBox(caption, this);
        box->setGeometry(16, y, 273, 17);
        return box;
    };
    m_cbConfirmDelete = checkBox(QStringLiteral("Confirm deletions."), 80);
    m_cbShowPath = checkBox(QStringLiteral("Show full file path in playlists."), 104);
    m_cbAutoPlaylist =
        checkBox(QStringLiteral("Automatically show playlist when a file is added."), 128);

    auto* label1 = new QLabel(QStringLiteral("External Editor"), this);
    label1->setGeometry(16, 160, 273, 13);
    buildEditorField();
    auto* label2 = new QLabel(QStringLiteral("[Ctrl]-click activates editor."), this);
    label2->setGeometry(24, 200, 265, 13);
    label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    divider->setGeometry(303, 8, 2, 201);

    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setGeometry(320, 152, 75, 25);
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnCancel->setGeometry(320, 184, 75, 25);
}

void TfrmPreferences::buildEditorField() {
    m_editEditor = new QLineEdit(this);
    m_editEditor->setGeometry(16, 176, 281, 21);
    // The browse button sits inside the field at its right end; the text stops short of it.
    m_browse = new QToolButton(m_editEditor);
    m_browse->setText(QStringLiteral("..."));
    m_browse->setCursor(Qt::ArrowCursor);
    m_browse->setFocusPolicy(Qt::NoFocus);
    m_browse->setGeometry(281 - kBrowseButtonWidth - 2, 2, kBrowseButtonWidth, 21 - 4);
    m_editEditor->setTextMargins(0, 0, kBrowseButtonWidth, 0);
    m_editEditor->installEventFilter(this);
    connect(m_browse, &QToolButton::clicked, this, [this] { browseForEditor(); });
}

void TfrmPreferences::setTabOrderAndHelp() {
    QWidget* const order[] = {
        m_btnOK,      m_btnCancel,      m_cbConfirmDelete,    m_cbShowPath,
        m_editEditor, m_cbAutoPlaylist, clickActionButton(0), clickActionButton(1)};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The click-action buttons and their group carry no context of their own.
    helplookup::setHelpContext(this, kHelpContext);
    for (QWidget* control :
         {static_cast<QWidget*>(m_btnOK), static_cast<QWidget*>(m_btnCancel),
          static_cast<QWidget*>(m_cbConfirmDelete), static_cast<QWidget*>(m_cbShowPath),
          static_cast<QWidget*>(m_editEditor), static_cast<QWidget*>(m_cbAutoPlaylist)})
        helplookup::setHelpContext(control, kHelpContext);
}

QRadioButton* TfrmPreferences::clickActionButton(int index) const {
    return static_cast<QRadioButton*>(m_clickAction->button(index));
}

bool TfrmPreferences::ShowPreferences(IniStore& store, Prompt& prompt, HelpService& help,
                                      QWidget* parent) {
    TfrmPreferences dialog(store, prompt, help, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TfrmPreferences::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // the window system showing it again, not the opening
    showStoredPreferences();
    m_btnOK->setFocus();
}

void TfrmPreferences::showStoredPreferences() {
    // A stored index outside the buttons is shown clamped: below 0 none, above 1 the second.
    const int stored = m_store.readInteger(kPreferences, QLatin1String(cfg::kSingleClick),
                                           cfg::kSingleClickDefault);
    const int index = stored < 0 ? -1 : std::min(stored, 1);
    m_clickAction->setExclusive(false);
    for (int i = 0; i < 2; ++i)
        clickActionButton(i)->setChecked(i == index);
    m_clickAction->setExclusive(true);
    m_cbConfirmDelete->setChecked(m_store.readBool(kPreferences, QLatin1String(cfg::kConfirmDelete),
                                                   cfg::kConfirmDeleteDefault));
    m_cbShowPath->setChecked(
        m_store.readBool(kPreferences, QLatin1String(cfg::kShowPath), cfg::kShowPathDefault));
    m_cbAutoPlaylist->setChecked(m_store.readBool(kPreferences, QLatin1String(cfg::kAutoPlaylist),
                                                  cfg::kAutoPlaylistDefault));
    m_editEditor->setText(m_store.readString(kPreferences, QLatin1String(cfg::kEditor), {}));
}

void TfrmPreferences::acceptChanges() {
    // A failing write is reported and ends the writing; the dialog closes all the same.
    errorboundary::run(m_prompt, [this] {
        m_store.writeInteger(kPreferences, QLatin1String(cfg::kSingleClick),
                             m_clickAction->checkedId());
        m_store.writeBool(kPreferences, QLatin1String(cfg::kConfirmDelete),
                          m_cbConfirmDelete->isChecked());
        m_store.writeBool(kPreferences, QLatin1String(cfg::kShowPath), m_cbShowPath->isChecked());
        m_store.writeBool(kPreferences, QLatin1String(cfg::kAutoPlaylist),
                          m_cbAutoPlaylist->isChecked());
        m_store.writeString(kPreferences, QLatin1String(cfg::kEditor), m_editEditor->text());
    });
    accept();
}

void TfrmPreferences::browseForEditor() {
    Prompt::FileDialog dialog;
    dialog.title = QStringLiteral("Specify WAV Editor");
    dialog.nameFilters = {programFiles(), QStringLiteral("All Files (*)")};
    dialog.executableFilters = {programFiles()};
    if (!m_editEditor->text().isEmpty())
        dialog.initialDirectory = QFileInfo(m_editEditor->text()).absolutePath();
    const QString chosen = m_prompt.openFileName(dialog);
    if (!chosen.isEmpty())
        m_editEditor->setText(chosen);
}

bool TfrmPreferences::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editEditor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            browseForEditor();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
