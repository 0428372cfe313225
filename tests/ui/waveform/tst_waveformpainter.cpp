#include "tests/support/testenv.h"
#include "ui/waveform/waveformpainter.h"

#include <QImage>
#include <QPainter>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 41;

// 100 silent columns, with a full-scale peak in column 25 and the first `known` computed.
WaveformPeaks quarterClick(int known) {
    WaveformPeaks peaks;
    peaks.columns.resize(100);
    peaks.columns[25] = {-1.0f, 1.0f};
    peaks.known = known;
    return peaks;
}

QPalette paletteOf(const QColor& background, const QColor& text, const QColor& highlightedText) {
    QPalette palette;
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::HighlightedText, highlightedText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::gray);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, Qt::gray);
    return palette;
}

QImage paint(const WaveformPeaks& peaks, const QPalette& palette, bool enabled, double played) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(palette.color(QPalette::Window));
    QPainter painter(&image);
    paintWaveformOverview(painter, image.rect(), peaks, palette, enabled, played);
    return image;
}

} // namespace

// The overview as the progress bar paints it.
class TestWaveformPainter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void peakStandsAtAQuarter_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("dark") << QColor(30, 30, 30) << QColor(Qt::white);
    }
    void peakStandsAtAQuarter() {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        const QPalette palette = paletteOf(background, text, Qt::red);
        const QImage image = paint(quarterClick(100), palette, true, 0.0);
        const int middle = kHeight / 2;
        // The click spans the bar's height at 25 %, drawn in the text colour over the background.
        QCOMPARE(image.pixelColor(kWidth / 4, 0) == background, false);
        QCOMPARE(image.pixelColor(kWidth / 4, kHeight - 1) == background, false);
        const QColor drawn = image.pixelColor(kWidth / 4, 0);
        QVERIFY(qAbs(qGray(drawn.rgb()) - qGray(text.rgb())) <
                qAbs(qGray(drawn.rgb()) - qGray(background.rgb())));
        // Silence is the middle line only.
        QCOMPARE(image.pixelColor(kWidth * 3 / 4, 0), background);
        QVERIFY(image.pixelColor(kWidth * 3 / 4, middle) != background);
    }

    void playedPartTakesTheFillTextColour() {
        const QPalette palette = paletteOf(Qt::white, Qt::black, Qt::red);
        const QImage image = paint(quarterClick(100), palette, true, 0.5);
        QCOMPARE(image.pixelColor(kWidth / 4, 0), QColor(Qt::red));
        QVERIFY(image.pixelColor(kWidth * 3 / 4, kHeight / 2) != QColor(Qt::red));
    }

    void disabledBarTakesDisabledColours() {
        const QPalette palette = paletteOf(Qt::white, Qt::black, Qt::red);
        const QImage image = paint(quarterClick(100), palette, false, 0.5);
        QCOMPARE(image.pixelColor(kWidth / 4, 0), QColor(Qt::gray));
    }

    void unknownColumnsStayBlank() {
        const QPalette palette = paletteOf(Qt::white, Qt::black, Qt::red);
        const QImage image = paint(quarterClick(30), palette, true, 0.0);
        QVERIFY(image.pixelColor(kWidth / 4, 0) != QColor(Qt::white));
        QCOMPARE(image.pixelColor(kWidth / 2, kHeight / 2), QColor(Qt::white));
    }

    void nothingLoadedPaintsNothing() {
        const QPalette palette = paletteOf(Qt::white, Qt::black, Qt::red);
        QImage blank(kWidth, kHeight, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QCOMPARE(paint(WaveformPeaks{}, palette, false, 0.0), blank);
    }
};

SONDRIX_TEST_MAIN(TestWaveformPainter)
#include "tst_waveformpainter.moc"
