#include "base/pathcodec.h"
#include "playback/soundfileinfo.h"
#include "playback/soundinfoprovider.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "ui/glance/filedropfilter.h"
#include "ui/glance/soundinfotooltips.h"

#include <QListWidget>
#include <QMimeData>
#include <QToolTip>

#include <sys/stat.h>

// A list whose items carry file paths, as the file list and the playlist do.
class PathList : public QListWidget {
public:
    explicit PathList(const QStringList& paths) {
        for (const QString& path : paths) {
            auto* item = new QListWidgetItem(path.section(QLatin1Char('/'), -1), this);
            item->setData(Qt::UserRole, path);
        }
        resize(300, 200);
    }
    QString pathAt(const QPoint& point) const {
        const QListWidgetItem* item = itemAt(point);
        return item ? item->data(Qt::UserRole).toString() : QString();
    }
    QPoint centreOf(int row) const { return visualItemRect(item(row)).center(); }
};

// The hover tooltips and file drops as a list binds them.
class TestGlance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        QToolTip::hideText();
    }

    void hoverShowsTheFormatOnceRead() {
        const QStringList paths = {m_dir.filePath(QStringLiteral("a.wav")),
                                   m_dir.filePath(QStringLiteral("b.wav"))};
        QVERIFY(writeTone(paths[0], {96000, 2, 0, 0.5, 440.0}));
        QVERIFY(writeTone(paths[1], {22050, 1, 0, 0.5, 440.0}));
        PathList list(paths);
        SoundInfoProvider provider;
        new SoundInfoToolTips(list, provider, [&](const QPoint& p) { return list.pathAt(p); });
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        // The first hover reads the file on the worker, then shows its text.
        QTest::mouseMove(list.viewport(), list.centreOf(1));
        QTRY_COMPARE(QToolTip::text(), soundFileInfoText(paths[1]));
        QVERIFY(QToolTip::isVisible());
        // Back over it later, the text is known at once.
        QTest::mouseMove(list.viewport(), list.centreOf(0));
        QTRY_COMPARE(QToolTip::text(), soundFileInfoText(paths[0]));
        QTest::mouseMove(list.viewport(), list.centreOf(1));
        QTRY_COMPARE(QToolTip::text(), soundFileInfoText(paths[1]));
    }

    void hoverBelowTheItemsShowsNothing() {
        const QString path = m_dir.filePath(QStringLiteral("c.wav"));
        QVERIFY(writeTone(path));
        PathList list({path});
        SoundInfoProvider provider;
        new SoundInfoToolTips(list, provider, [&](const QPoint& p) { return list.pathAt(p); });
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(list.pathAt(QPoint(10, 150)).isEmpty());
        QTest::mouseMove(list.viewport(), QPoint(10, 150));
        QTest::qWait(1500); // longer than the tooltip's wake-up delay
        QVERIFY(!QToolTip::isVisible());
    }

    void dropOfThreeWavFilesArrivesInOrder() {
        QStringList paths;
        QList<QUrl> urls;
        for (const char* name : {"c.wav", "a.wav", "b.WAV"}) {
            paths.append(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(writeTone(paths.last()));
            urls.append(QUrl::fromLocalFile(paths.last()));
        }
        QListWidget playlist;
        QStringList appended;
        new FileDropFilter(*playlist.viewport(), &DroppedFiles::isPlaylistDrop,
                           [&](const DroppedFiles& files) { appended += files.wavFiles; });
        QMimeData data;
        data.setUrls(urls);
        QVERIFY(drop(*playlist.viewport(), data));
        QCOMPARE(appended, paths);
    }

    void dropOfATextFileIsRefused() {
        const QString path = m_dir.filePath(QStringLiteral("notes.txt"));
        writeTextFile(path, "words");
        QListWidget playlist;
        int drops = 0;
        new FileDropFilter(*playlist.viewport(), &DroppedFiles::isPlaylistDrop,
                           [&](const DroppedFiles&) { ++drops; });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QVERIFY(!drop(*playlist.viewport(), data));
        QCOMPARE(drops, 0);
    }

    void folderDropNamesTheFolder() {
        const QByteArray folder = QFile::encodeName(m_dir.path()) + "/s\xe4nds";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        QListWidget directories;
        QStringList chosen;
        new FileDropFilter(*directories.viewport(), &DroppedFiles::isDirectoryDrop,
                           [&](const DroppedFiles& files) { chosen = files.directories; });
        QMimeData data;
        data.setUrls({fileUrl(decodePath(folder))});
        QVERIFY(drop(*directories.viewport(), data));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(encodePath(chosen.constFirst()), folder);
    }

private:
    // A drag entering the widget and, when it is taken, dropped; true when taken.
    static bool drop(QWidget& target, const QMimeData& data) {
        const QPoint point(5, 5);
        QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(point), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                           Qt::NoModifier);
        dropped.ignore();
        QCoreApplication::sendEvent(&target, &dropped);
        return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
    }

    QTemporaryDir m_dir;
};

SONDRIX_TEST_MAIN(TestGlance)
#include "tst_glance.moc"
