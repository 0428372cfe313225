// The window's tooltips, waveform and file drags, through the events a person's mouse sends.
#include "fileops/filedrag.h"
#include "base/pathcodec.h"
#include "playback/soundfileinfo.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "tests/ui/main/windowfixture.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/listbox.h"
#include "ui/main/progressbar.h"

#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QToolTip>

#include <cstdio>

namespace {

QPoint rowCentre(const ListBox* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

// Offers `urls` to `target` as a drag entering it, then drops them when taken; true when taken.
bool dragAndDrop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(4, 4);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// Reads what a drag out of `list` offers: the drag object is the list's child, and it is read
// just before it is deleted, whether the platform's drag ran or (offscreen) refused at once.
struct DragWatch : QObject {
    explicit DragWatch(QObject& list) { list.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A child is still a bare object while it is added: which kind it is shows later.
        if (event->type() == QEvent::ChildAdded) {
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        } else if (event->type() == QEvent::DeferredDelete) {
            if (auto* drag = qobject_cast<QDrag*>(watched)) {
                started = true;
                urls = drag->mimeData()->urls();
                text = drag->mimeData()->data(QStringLiteral("text/plain"));
            }
        }
        return false;
    }
    bool started = false;
    QList<QUrl> urls;
    QByteArray text;
};

} // namespace

class TestWindowGlance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QToolTip::hideText(); }
    void cleanup() { resetConfiguration(); }

    void hoverShowsTheRowsFileInfo_data() {
        QTest::addColumn<bool>("playlist");
        QTest::newRow("file list") << false;
        QTest::newRow("playlist") << true;
    }
    void hoverShowsTheRowsFileInfo() {
        QFETCH(bool, playlist);
        WindowFixture f;
        f.showFiles({"a.wav", "b c.wav"});
        // A playlist entry in another folder than the browser's.
        QTemporaryDir elsewhere;
        const QString entry = elsewhere.filePath(QStringLiteral("far.wav"));
        QVERIFY(writeTone(entry, {96000, 2, 0, 0.1, 440.0}));
        f.addPlaylistEntries({f.filePath(QStringLiteral("a.wav")), entry});
        ListBox* list = playlist ? f.window->lbPlaylist() : f.window->lbWavs();
        QCOMPARE(list->count(), 2);
        const QString expected =
            soundFileInfoText(playlist ? entry : f.filePath(QStringLiteral("b c.wav")));
        QVERIFY(expected.contains(playlist ? QStringLiteral("96") : QStringLiteral("8")));

        QTest::mouseMove(list->viewport(), rowCentre(list, 1));
        QTRY_COMPARE(QToolTip::text(), expected);
        QVERIFY(QToolTip::isVisible());
    }

    void theWaveformFollowsTheLoadedFile() {
        WindowFixture f;
        f.showFiles({"a.wav"});
        writeTextFile(f.filePath(QStringLiteral("bad.wav")), "not a sound");
        f.window->browser()->rereadFiles();
        ProgressBar* bar = f.window->progressBar();
        QVERIFY(bar->peaks().isEmpty());
        const int badRow = f.window->browser()->wavNames().indexOf(QStringLiteral("bad.wav"));
        QVERIFY(badRow >= 0);

        WindowFixture::click(f.window->lbWavs(), 1 - badRow);
        QVERIFY(f.window->playback()->player().isOpen());
        QTRY_VERIFY(bar->peaks().isComplete());
        const auto& columns = bar->peaks().columns;
        QVERIFY(std::any_of(columns.begin(), columns.end(),
                            [](const WaveformPeaks::Column& c) { return c.max > 0.3f; }));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);

        // The play ends; the waveform stays as the length text does.
        QTRY_VERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->peaks().isComplete());

        // A file that cannot be loaded leaves no waveform behind.
        WindowFixture::click(f.window->lbWavs(), badRow);
        QVERIFY(!f.prompt.texts(QStringLiteral("failure")).isEmpty());
        QVERIFY(bar->peaks().isEmpty());
    }

    void dragOutOffersTheFileOnlyPastTheDragDistance_data() {
        QTest::addColumn<bool>("playlist");
        QTest::addColumn<int>("distance"); // in units of the platform's drag distance
        QTest::newRow("file list, drag") << false << 2;
        QTest::newRow("file list, short of it") << false << 0;
        QTest::newRow("playlist, drag") << true << 2;
        QTest::newRow("playlist, short of it") << true << 0;
    }
    void dragOutOffersTheFileOnlyPastTheDragDistance() {
        QFETCH(bool, playlist);
        QFETCH(int, distance);
        WindowFixture f;
        f.showFiles({"a.wav", "b.wav"});
        // The dragged file's name is not valid UTF-8: its bytes go out as they are.
        const QByteArray bytes = QFile::encodeName(f.folder.path()) + "/b\xe4.wav";
        QCOMPARE(::rename(QFile::encodeName(f.filePath(QStringLiteral("b.wav"))).constData(),
                          bytes.constData()),
                 0);
        f.window->browser()->rereadFiles();
        const QString path = decodePath(bytes);
        f.addPlaylistEntries({f.filePath(QStringLiteral("a.wav")), path});
        ListBox* list = playlist ? f.window->lbPlaylist() : f.window->lbWavs();
        QCOMPARE(list->count(), 2);
        // The row is selected and its play has ended: only a release plays it again.
        WindowFixture::click(list, 1);
        QTRY_VERIFY(!f.window->playback()->player().isOpen());
        QCOMPARE(list->selectedRow(), 1);

        DragWatch watch(*list);
        const QPoint from = rowCentre(list, 1);
        const QPoint to = from + QPoint(distance > 0 ? distance * QApplication::startDragDistance()
                                                     : QApplication::startDragDistance() - 1,
                                        0);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(list->viewport(), to);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, to);
        QTest::qWait(50); // the drag object's deletion

        if (distance > 0) {
            QVERIFY(watch.started);
            QCOMPARE(watch.urls.size(), 1);
            QCOMPARE(watch.urls.first().scheme(), QStringLiteral("file"));
            QCOMPARE(encodePath(localPath(watch.urls.first())), bytes);
            QCOMPARE(watch.text, bytes);
            QVERIFY(!f.window->playback()->player().isOpen());
        } else {
            QVERIFY(!watch.started);
            QVERIFY(f.window->playback()->player().isOpen()); // still a click: it plays
        }
        QCOMPARE(list->selectedRow(), 1);
    }

    void dropOfWavFilesAppendsThemInOrder() {
        WindowFixture f;
        QTemporaryDir source;
        QList<QUrl> urls;
        QStringList paths;
        for (const char* name : {"c.wav", "a.wav", "b.WAV"}) {
            paths.append(source.filePath(QString::fromLatin1(name)));
            QVERIFY(writeTone(paths.last()));
            urls.append(QUrl::fromLocalFile(paths.last()));
        }
        PlaylistModel* model = f.window->playlistModel();
        QCOMPARE(model->count(), 0);
        QVERIFY(!model->modified());
        QVERIFY(dragAndDrop(f.window->lbPlaylist()->viewport(), urls));
        QCOMPARE(model->count(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(model->path(row), paths[row]);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("c.wav"));
        QVERIFY(model->modified());
    }

    void dropOfOtherFilesIsRefused_data() {
        QTest::addColumn<bool>("withWav");
        QTest::newRow("text file") << false;
        QTest::newRow("text file among WAV files") << true;
    }
    void dropOfOtherFilesIsRefused() {
        QFETCH(bool, withWav);
        WindowFixture f;
        const QString notes = f.filePath(QStringLiteral("notes.txt"));
        writeTextFile(notes, "words");
        QList<QUrl> urls{QUrl::fromLocalFile(notes)};
        if (withWav) {
            f.showFiles({"a.wav"});
            urls.prepend(QUrl::fromLocalFile(f.filePath(QStringLiteral("a.wav"))));
        }
        QVERIFY(!dragAndDrop(f.window->lbPlaylist()->viewport(), urls));
        QCOMPARE(f.window->playlistModel()->count(), 0);
        QVERIFY(!f.window->playlistModel()->modified());
    }

    void folderDropOnTheDirectoryListEntersIt() {
        WindowFixture f;
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("sounds")));
        const QString folder = f.filePath(QStringLiteral("sounds"));
        f.showFiles({"a.wav"});
        QVERIFY(writeTone(folder + QStringLiteral("/inside.wav")));
        QWidget* directories = f.window->browser()->directories()->viewport();
        QVERIFY(!dragAndDrop(directories, {QUrl::fromLocalFile(f.filePath("a.wav"))}));
        QVERIFY(dragAndDrop(directories, {QUrl::fromLocalFile(folder)}));
        QCOMPARE(QDir(f.window->browser()->browserDirectory()).canonicalPath(),
                 QDir(folder).canonicalPath());
        QCOMPARE(f.window->browser()->wavNames(), QStringList{QStringLiteral("inside.wav")});
    }
};

SONDRIX_TEST_MAIN(TestWindowGlance)
#include "tst_windowglance.moc"
