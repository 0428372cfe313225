#include "base/configkeys.h"
#include "base/inistore.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/recordinghelp.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "ui/dialogs/tfrmpreferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QByteArray configBytes() {
    QFile file(IniStore::sharedFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeConfig(const QByteArray& content) {
    QDir().mkpath(QFileInfo(IniStore::sharedFilePath()).absolutePath());
    writeTextFile(IniStore::sharedFilePath(), content);
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

    IniStore m_store{IniStore::sharedFilePath()};
    FakePrompt m_prompt;
    RecordingHelpService m_help;
    std::unique_ptr<TfrmPreferences> m_dialog;

    // Opens the dialog as the command does, shown and active, without blocking the test.
    TfrmPreferences& open() {
        m_dialog = std::make_unique<TfrmPreferences>(m_store, m_prompt, m_help);
        m_dialog->open();
        if (!QTest::qWaitForWindowActive(m_dialog.get()))
            qFatal("the dialog did not become active");
        return *m_dialog;
    }

    QWidget* control(const QString& name) {
        TfrmPreferences& d = *m_dialog;
        const QHash<QString, QWidget*> controls{
            {QStringLiteral("rgClickAction"), d.rgClickAction()},
            {QStringLiteral("click 0"), d.clickActionButton(0)},
            {QStringLiteral("click 1"), d.clickActionButton(1)},
            {QStringLiteral("cbConfirmDelete"), d.cbConfirmDelete()},
            {QStringLiteral("cbShowPath"), d.cbShowPath()},
            {QStringLiteral("cbAutoPlaylist"), d.cbAutoPlaylist()},
            {QStringLiteral("editEditor"), d.editEditor()},
            {QStringLiteral("btnOK"), d.btnOK()},
            {QStringLiteral("btnCancel"), d.btnCancel()}};
        return controls.value(name);
    }

    // Clicks where a person aims: on the box or circle of a check box or radio button, which
    // take clicks on their indicator and caption only, and in the middle of anything else.
    static void click(QAbstractButton* button) {
        const bool indicator =
            qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
        const QPoint at = indicator ? QPoint(6, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }

private Q_SLOTS:
    void init() {
        QFile::remove(IniStore::sharedFilePath());
        m_prompt = FakePrompt();
        m_help = RecordingHelpService();
    }

    void cleanup() {
        m_dialog.reset();
        QFile::setPermissions(IniStore::sharedFilePath(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void firstRunShowsTheDefaults() {
        TfrmPreferences& d = open();
        QVERIFY(d.clickActionButton(0)->isChecked());
        QVERIFY(!d.clickActionButton(1)->isChecked());
        QVERIFY(d.cbConfirmDelete()->isChecked());
        QVERIFY(!d.cbShowPath()->isChecked());
        QVERIFY(d.cbAutoPlaylist()->isChecked());
        QCOMPARE(d.editEditor()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), d.btnOK());
        QVERIFY(d.btnOK()->isDefault());
        QVERIFY(!QFile::exists(IniStore::sharedFilePath()));
    }

    void storedValuesAreShown() {
        writeConfig("[Preferences]\nSingleClick=1\nConfirmDelete=0\nShowPath=1\n"
                    "AutoPlaylist=0\nEditor=/opt/wave editor/bin/edit\n");
        TfrmPreferences& d = open();
        QVERIFY(d.clickActionButton(1)->isChecked());
        QVERIFY(!d.cbConfirmDelete()->isChecked());
        QVERIFY(d.cbShowPath()->isChecked());
        QVERIFY(!d.cbAutoPlaylist()->isChecked());
        QCOMPARE(d.editEditor()->text(), QStringLiteral("/opt/wave editor/bin/edit"));
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("group") << QStringLiteral("rgClickAction") << QRect(16, 8, 273, 57);
        QTest::newRow("confirm") << QStringLiteral("cbConfirmDelete") << QRect(16, 80, 273, 17);
        QTest::newRow("path") << QStringLiteral("cbShowPath") << QRect(16, 104, 273, 17);
        QTest::newRow("auto") << QStringLiteral("cbAutoPlaylist") << QRect(16, 128, 273, 17);
        QTest::newRow("editor") << QStringLiteral("editEditor") << QRect(16, 176, 281, 21);
        QTest::newRow("OK") << QStringLiteral("btnOK") << QRect(320, 152, 75, 25);
        QTest::newRow("Cancel") << QStringLiteral("btnCancel") << QRect(320, 184, 75, 25);
    }

    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        TfrmPreferences& d = open();
        QCOMPARE(d.size(), QSize(402, 220));
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(control(name)->geometry(), geometry);
    }

    void browseButtonSitsAtTheRightEndOfTheField() {
        TfrmPreferences& d = open();
        const QRect field = d.editEditor()->rect();
        const QRect button = d.editorBrowseButton()->geometry();
        QCOMPARE(d.editorBrowseButton()->text(), QStringLiteral("..."));
        QVERIFY(field.contains(button));
        QVERIFY(field.right() - button.right() <= 3);
    }

    void tabOrderStartsAtOK() {
        TfrmPreferences& d = open();
        const QList<QWidget*> expected{d.btnCancel(),  d.cbConfirmDelete(), d.cbShowPath(),
                                       d.editEditor(), d.cbAutoPlaylist(),  d.clickActionButton(0),
                                       d.btnOK()};
        QCOMPARE(QApplication::focusWidget(), d.btnOK());
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void okWritesTheFiveKeysInOrder() {
        TfrmPreferences& d = open();
        click(d.clickActionButton(1));
        click(d.cbConfirmDelete());
        click(d.cbShowPath());
        d.editEditor()->setFocus();
        QTest::keyClicks(d.editEditor(), QStringLiteral("/usr/bin/wave edit"));
        click(d.btnOK());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(configBytes(), QByteArray("[Preferences]\nSingleClick=1\nConfirmDelete=0\n"
                                           "ShowPath=1\nAutoPlaylist=1\n"
                                           "Editor=/usr/bin/wave edit\n"));
    }

    void closingWithoutOKWritesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << QStringLiteral("cancel");
        QTest::newRow("Esc") << QStringLiteral("esc");
        QTest::newRow("close box") << QStringLiteral("close");
    }

    void closingWithoutOKWritesNothing() {
        QFETCH(QString, how);
        const QByteArray before("[Preferences]\nShowPath=0\n");
        writeConfig(before);
        TfrmPreferences& d = open();
        click(d.cbShowPath());
        click(d.clickActionButton(1));
        if (how == QLatin1String("cancel"))
            click(d.btnCancel());
        else if (how == QLatin1String("esc"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QVERIFY(d.close());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
        QCOMPARE(configBytes(), before);
    }

    void storedClickActionIsClamped_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("5") << QByteArray("5") << 1 << QByteArray("1");
        QTest::newRow("2") << QByteArray("2") << 1 << QByteArray("1");
        QTest::newRow("-1") << QByteArray("-1") << -1 << QByteArray("-1");
        QTest::newRow("-7") << QByteArray("-7") << -1 << QByteArray("-1");
        QTest::newRow("not a number") << QByteArray("two") << 0 << QByteArray("0");
    }

    void storedClickActionIsClamped() {
        QFETCH(QByteArray, stored);
        QFETCH(int, shown);
        QFETCH(QByteArray, written);
        writeConfig("[Preferences]\nSingleClick=" + stored + "\n");
        TfrmPreferences& d = open();
        QCOMPARE(d.clickActionButton(0)->isChecked(), shown == 0);
        QCOMPARE(d.clickActionButton(1)->isChecked(), shown == 1);
        click(d.btnOK());
        QVERIFY(configBytes().startsWith("[Preferences]\nSingleClick=" + written + "\n"));
    }

    void failingWriteIsReportedAndTheDialogCloses() {
        const QByteArray before("[Preferences]\nShowPath=0\n");
        writeConfig(before);
        QVERIFY(QFile::setPermissions(IniStore::sharedFilePath(), QFileDevice::ReadOwner));
        TfrmPreferences& d = open();
        click(d.cbShowPath());
        click(d.btnOK());
        QCOMPARE(m_prompt.texts(QStringLiteral("failure")),
                 QStringList{QStringLiteral("Unable to write to Sondrix.ini.")});
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(configBytes(), before);
    }

    void f1AsksForTheControlsContext_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("context");
        QTest::newRow("first click action") << QStringLiteral("click 0") << 0;
        QTest::newRow("second click action") << QStringLiteral("click 1") << 0;
        QTest::newRow("confirm") << QStringLiteral("cbConfirmDelete") << 6;
        QTest::newRow("show path") << QStringLiteral("cbShowPath") << 6;
        QTest::newRow("auto playlist") << QStringLiteral("cbAutoPlaylist") << 6;
        QTest::newRow("editor") << QStringLiteral("editEditor") << 6;
        QTest::newRow("OK") << QStringLiteral("btnOK") << 6;
        QTest::newRow("Cancel") << QStringLiteral("btnCancel") << 6;
    }

    void f1AsksForTheControlsContext() {
        QFETCH(QString, name);
        QFETCH(int, context);
        open();
        QWidget* target = control(name);
        target->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_F1);
        QCOMPARE(m_help.requests(), 1);
        QCOMPARE(m_help.lastContext(), context);
        QVERIFY(m_dialog->isVisible());
    }

    void browseButtonAsksForTheEditor_data() {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("text");
        const QString chosen = QStringLiteral("/usr/local/bin/my editor");
        QTest::newRow("button, chosen") << false << chosen << chosen;
        QTest::newRow("button, cancelled") << false << QString() << QStringLiteral("/old/editor");
        QTest::newRow("Alt+Down, chosen") << true << chosen << chosen;
    }

    void browseButtonAsksForTheEditor() {
        QFETCH(bool, byKey);
        QFETCH(QString, answer);
        QFETCH(QString, text);
        writeConfig("[Preferences]\nEditor=/old/editor\n");
        if (!answer.isEmpty())
            m_prompt.fileNames.append(answer);
        TfrmPreferences& d = open();
        if (byKey) {
            d.editEditor()->setFocus();
            QTest::keyClick(d.editEditor(), Qt::Key_Down, Qt::AltModifier);
        } else {
            click(d.editorBrowseButton());
        }
        QCOMPARE(m_prompt.dialogs.size(), 1);
        const Prompt::FileDialog& asked = m_prompt.dialogs.first();
        QCOMPARE(m_prompt.asked.first().kind, QStringLiteral("open"));
        QCOMPARE(asked.title, QStringLiteral("Specify WAV Editor"));
        QCOMPARE(asked.nameFilters, (QStringList{QStringLiteral("Program Files (*)"),
                                                 QStringLiteral("All Files (*)")}));
        QCOMPARE(asked.executableFilters, QStringList{QStringLiteral("Program Files (*)")});
        QCOMPARE(d.editEditor()->text(), text);
        QVERIFY(d.isVisible());
        QCOMPARE(configBytes(), QByteArray("[Preferences]\nEditor=/old/editor\n"));
    }

    void showPreferencesTellsWhetherAccepted_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    }

    void showPreferencesTellsWhetherAccepted() {
        QFETCH(int, key);
        QFETCH(bool, accepted);
        bool pressed = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<TfrmPreferences*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowActive(dialog))
                return;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            pressed = true;
        });
        QCOMPARE(TfrmPreferences::ShowPreferences(m_store, m_prompt, m_help, nullptr), accepted);
        QVERIFY(pressed);
        QCOMPARE(QFile::exists(IniStore::sharedFilePath()), accepted);
    }
};

SONDRIX_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
