#include "tests/support/fakeprompt.h"
#include "tests/support/recordinghelp.h"
#include "tests/support/testenv.h"
#include "ui/dialogs/helplookup.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

// The shared F1 rule, driven by real key events on a dialog built like the program's dialogs.
class TestHelpLookup : public QObject {
    Q_OBJECT

    // A dialog with context 6 holding controls with and without contexts of their own, some
    // nested two levels deep.
    struct Window {
        QDialog dialog;
        RecordingHelpService help;
        FakePrompt prompt;
        Window() {
            helplookup::setHelpContext(&dialog, 6);
            auto* edit = new QLineEdit(&dialog);
            edit->setObjectName(QStringLiteral("editWithoutContext"));
            auto* own = new QLineEdit(&dialog);
            own->setObjectName(QStringLiteral("editWithContext2"));
            helplookup::setHelpContext(own, 2);
            auto* group = new QGroupBox(&dialog); // carries no context, like a click-action group
            group->setObjectName(QStringLiteral("groupWithoutContext"));
            auto* radio = new QRadioButton(group);
            radio->setObjectName(QStringLiteral("radioInGroupWithoutContext"));
            auto* panel = new QGroupBox(&dialog);
            helplookup::setHelpContext(panel, 3);
            auto* inPanel = new QLineEdit(panel);
            inPanel->setObjectName(QStringLiteral("editInPanelWithContext3"));
            auto* inner = new QGroupBox(panel);
            auto* deep = new QLineEdit(inner);
            deep->setObjectName(QStringLiteral("editTwoLevelsBelowContext3"));
            helplookup::installF1Help(&dialog, help, prompt);
            dialog.show();
            dialog.activateWindow();
        }
        QWidget* control(const QString& name) { return dialog.findChild<QWidget*>(name); }
        void focus(QWidget* control) {
            control->setFocus();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.focusWidget(), control);
        }
    };

private Q_SLOTS:
    void f1AsksForTheFocusedControlsContextElseItsParents_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("context");
        QTest::newRow("own context 0, parent the dialog") << "editWithoutContext" << 6;
        QTest::newRow("own context") << "editWithContext2" << 2;
        QTest::newRow("own 0, parent carries none") << "radioInGroupWithoutContext" << 0;
        QTest::newRow("own 0, parent panel 3") << "editInPanelWithContext3" << 3;
        QTest::newRow("one level only") << "editTwoLevelsBelowContext3" << 0;
    }
    void f1AsksForTheFocusedControlsContextElseItsParents() {
        QFETCH(QString, control);
        QFETCH(int, context);
        Window w;
        QWidget* focused = w.control(control);
        QVERIFY(focused);
        w.focus(focused);
        QTest::keyClick(focused, Qt::Key_F1);
        QCOMPARE(w.help.requests(), 1);
        QCOMPARE(w.help.lastContext(), context);
    }

    void eachReleaseAsksExactlyOnce() {
        Window w;
        QWidget* focused = w.control(QStringLiteral("editWithoutContext"));
        w.focus(focused);
        QTest::keyPress(focused, Qt::Key_F1);
        QCOMPARE(w.help.requests(), 0); // the press alone asks nothing
        // Holding the key: the system repeats press and release with the auto-repeat mark.
        for (int i = 0; i < 3; ++i) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(focused, &release);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(focused, &press);
        }
        QCOMPARE(w.help.requests(), 0);
        QTest::keyRelease(focused, Qt::Key_F1);
        QCOMPARE(w.help.requests(), 1);
        QTest::keyClick(focused, Qt::Key_F1);
        QCOMPARE(w.help.requests(), 2);
        QTest::keyClick(focused, Qt::Key_F2);
        QCOMPARE(w.help.requests(), 2);
    }

    void anotherWindowsF1IsNotAnswered() {
        Window w;
        QDialog other;
        auto* edit = new QLineEdit(&other);
        other.show();
        other.activateWindow();
        edit->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(w.help.requests(), 0);
    }

    void withNoFocusedControlTheWindowsContext() {
        QWidget window;
        helplookup::setHelpContext(&window, 4);
        QVERIFY(!window.focusWidget());
        QCOMPARE(helplookup::contextForF1(&window), 4);
    }
};

SONDRIX_TEST_MAIN(TestHelpLookup)
#include "tst_helplookup.moc"
