#include "browse/filelistcontroller.h"
#include "tests/browse/recordingplayback.h"
#include "tests/support/fakeprompt.h"
#include "tests/support/testenv.h"
#include "ui/browse/listbox.h"
#include "ui/browse/listevents.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringListModel>

// The file list's real events reach its decisions: a person's clicks and keys on a list, with
// playback, the playlist, the editor and the rules recorded in the order they are asked for.
class TestListEvents : public QObject {
    Q_OBJECT

    QStringList m_log;
    FakePrompt m_prompt;

    struct FileList {
        QWidget window;
        QStringListModel names{
            {QStringLiteral("a.wav"), QStringLiteral("b.wav"), QStringLiteral("c.wav")}};
        QLineEdit* other = new QLineEdit(&window); // holds the focus until a press takes it
        ListBox* list = new ListBox(&window);
        std::unique_ptr<FileListController> controller;

        QPoint centreOf(int row) const { return list->visualRect(names.index(row, 0)).center(); }
    };

    std::unique_ptr<FileList> fileList(int clickAction) {
        auto f = std::make_unique<FileList>();
        f->list->setModel(&f->names);
        f->list->setGeometry(0, 30, 200, 200);
        auto log = [this](const char* text) {
            return [this, text] { m_log.append(QLatin1String(text)); };
        };
        ListBox* list = f->list;
        const QStringListModel* names = &f->names;
        f->controller = std::make_unique<FileListController>(
            std::make_unique<RecordingPlayback>(m_log),
            FileListController::Hooks{
                {[clickAction] { return clickAction; }, log("add"), log("edit")},
                [list, names] {
                    const int row = list->selectedRow();
                    return row < 0 ? QString() : names->stringList().at(row);
                },
                log("wav rule"),
                log("play rule")});
        bindFileList(*list, *f->controller, &f->window, m_prompt);
        f->window.show();
        f->window.activateWindow();
        f->other->setFocus();
        return f;
    }

private Q_SLOTS:
    void init() { m_log.clear(); }

    void clicks_data() {
        QTest::addColumn<int>("clickAction");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("calls");
        const QStringList changed{QStringLiteral("wav rule"), QStringLiteral("play b.wav")};
        const QStringList released =
            changed + QStringList{QStringLiteral("close"), QStringLiteral("wav rule"),
                                  QStringLiteral("play rule"), QStringLiteral("load b.wav")};
        QTest::newRow("left plays") << 0 << int(Qt::LeftButton) << int(Qt::NoModifier)
                                    << released + QStringList{QStringLiteral("start once")};
        QTest::newRow("alt loops") << 1 << int(Qt::LeftButton) << int(Qt::AltModifier)
                                   << released + QStringList{QStringLiteral("start looped")};
        QTest::newRow("shift adds") << 0 << int(Qt::LeftButton) << int(Qt::ShiftModifier)
                                    << released + QStringList{QStringLiteral("add")};
        QTest::newRow("ctrl edits") << 0 << int(Qt::LeftButton) << int(Qt::ControlModifier)
                                    << released + QStringList{QStringLiteral("edit")};
        // The right press selects the row under the pointer, so the popup acts on it.
        QTest::newRow("right selects and loads")
            << 0 << int(Qt::RightButton) << int(Qt::NoModifier) << released;
    }
    void clicks() {
        QFETCH(int, clickAction);
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(QStringList, calls);
        const auto f = fileList(clickAction);
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        QVERIFY(f->other->hasFocus());
        QCOMPARE(f->list->selectedRow(), -1);
        QTest::mouseClick(f->list->viewport(), static_cast<Qt::MouseButton>(button),
                          Qt::KeyboardModifiers(modifiers), f->centreOf(1));
        QVERIFY(f->list->hasFocus()); // the press gives the list the focus
        QCOMPARE(f->list->selectedRow(), 1);
        QCOMPARE(m_log, calls);
    }

    void rightPressBelowTheRowsKeepsTheSelection() {
        const auto f = fileList(0);
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        QTest::mouseClick(f->list->viewport(), Qt::LeftButton, {}, f->centreOf(2));
        QCOMPARE(f->list->selectedRow(), 2);
        m_log.clear();
        QCOMPARE(f->list->rowAt(QPoint(5, 190)), -1);
        QTest::mouseClick(f->list->viewport(), Qt::RightButton, {}, QPoint(5, 190));
        QCOMPARE(f->list->selectedRow(), 2);
        QCOMPARE(m_log, (QStringList{QStringLiteral("close"), QStringLiteral("wav rule"),
                                     QStringLiteral("play rule"), QStringLiteral("load c.wav")}));
    }

    void returnPlaysTheSelectedFile() {
        const auto f = fileList(2);
        QVERIFY(QTest::qWaitForWindowActive(&f->window));
        f->list->setFocus();
        QVERIFY(f->list->hasFocus());
        QTest::keyClick(f->list, Qt::Key_Down);
        QCOMPARE(m_log, (QStringList{QStringLiteral("wav rule"), QStringLiteral("play a.wav")}));
        m_log.clear();
        QTest::keyClick(f->list, Qt::Key_Return);
        QCOMPARE(m_log, QStringList{QStringLiteral("play a.wav")});
        m_log.clear();
        QTest::keyClick(f->list, Qt::Key_Space);
        QVERIFY(m_log.isEmpty());
    }
};

SONDRIX_TEST_MAIN(TestListEvents)
#include "tst_listevents.moc"
