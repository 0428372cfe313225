#pragma once

#include <QDialog>

class HelpService;
class IniStore;
class Prompt;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// Tools › Preferences: the five settings of section Preferences. Each opening starts from the
// stored values; OK writes all five, Cancel, Esc and the close box write nothing.
class TfrmPreferences : public QDialog {
    Q_OBJECT
public:
    TfrmPreferences(IniStore& store, Prompt& prompt, HelpService& help, QWidget* parent = nullptr);

    // Creates the dialog, shows it modally and destroys it; true when the user accepted it. The
    // caller rebuilds the playlist display and re-reads the click action either way.
    static bool ShowPreferences(IniStore& store, Prompt& prompt, HelpService& help,
                                QWidget* parent);

    static constexpr int kHelpContext = 6;

    QGroupBox* rgClickAction() const { return m_rgClickAction; }
    QRadioButton* clickActionButton(int index) const;
    QCheckBox* cbConfirmDelete() const { return m_cbConfirmDelete; }
    QCheckBox* cbShowPath() const { return m_cbShowPath; }
    QCheckBox* cbAutoPlaylist() const { return m_cbAutoPlaylist; }
    QLineEdit* editEditor() const { return m_editEditor; }
    QToolButton* editorBrowseButton() const { return m_browse; }
    QPushButton* btnOK() const { return m_btnOK; }
    QPushButton* btnCancel() const { return m_btnCancel; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildEditorField();
    void setTabOrderAndHelp();
    void showStoredPreferences();
    void acceptChanges();
    void browseForEditor();

    IniStore& m_store;
    Prompt& m_prompt;
    QGroupBox* m_rgClickAction;
    QButtonGroup* m_clickAction;
    QCheckBox* m_cbConfirmDelete;
    QCheckBox* m_cbShowPath;
    QCheckBox* m_cbAutoPlaylist;
    QLineEdit* m_editEditor;
    QToolButton* m_browse;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};
