#include "ui/toolbar/glyphs.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

constexpr int kSize = 16;
const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kAccent(30, 110, 200);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 50, 40);

using Painter = std::function<void(QPainter&)>;

void page(QPainter& p) {
    QPainterPath path;
    path.moveTo(3, 1);
    path.lineTo(10, 1);
    path.lineTo(13, 4);
    path.lineTo(13, 15);
    path.lineTo(3, 15);
    path.closeSubpath();
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPath(path);
}

void folder(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(235, 190, 80));
    p.drawRect(1, 5, 14, 9);
    p.drawRect(1, 3, 6, 2);
}

void triangle(QPainter& p, const QColor& colour, bool up) {
    QPainterPath path;
    if (up) {
        path.moveTo(8, 3);
        path.lineTo(14, 12);
        path.lineTo(2, 12);
    } else {
        path.moveTo(2, 4);
        path.lineTo(14, 4);
        path.lineTo(8, 13);
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void play(QPainter& p, int x = 4) {
    QPainterPath path;
    path.moveTo(x, 2);
    path.lineTo(x + 9, 8);
    path.lineTo(x, 14);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPath(path);
}

void lines(QPainter& p, int count) {
    p.setPen(QPen(kInk, 1.5));
    for (int i = 0; i < count; ++i)
        p.drawLine(2, 3 + 4 * i, 14, 3 + 4 * i);
}

void plus(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 2.5));
    p.drawLine(11, 8, 11, 15);
    p.drawLine(8, 11, 15, 11);
}

void cross(QPainter& p) {
    p.setPen(QPen(kRed, 2.5));
    p.drawLine(3, 3, 13, 13);
    p.drawLine(13, 3, 3, 13);
}

const QHash<QString, Painter>& painters() {
    static const QHash<QString, Painter> table = {
        {QStringLiteral("new"), [](QPainter& p) { page(p); }},
        {QStringLiteral("open"), [](QPainter& p) { folder(p); }},
        {QStringLiteral("save"),
         [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(kAccent);
             p.drawRect(1, 1, 14, 14);
             p.setBrush(kPaper);
             p.drawRect(4, 1, 8, 5);
             p.drawRect(3, 9, 10, 6);
         }},
        {QStringLiteral("copy"),
         [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(kPaper);
             p.drawRect(1, 1, 9, 10);
             p.drawRect(6, 5, 9, 10);
         }},
        {QStringLiteral("move"),
         [](QPainter& p) {
             page(p);
             p.setPen(QPen(kAccent, 2));
             p.drawLine(1, 10, 11, 10);
             p.drawLine(8, 7, 11, 10);
             p.drawLine(8, 13, 11, 10);
         }},
        {QStringLiteral("rename"),
         [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(kPaper);
             p.drawRect(1, 4, 14, 8);
             p.setPen(QPen(kAccent, 1.5));
             p.drawLine(4, 6, 4, 10);
             p.drawLine(3, 6, 5, 6);
             p.drawLine(3, 10, 5, 10);
         }},
        {QStringLiteral("delete"), [](QPainter& p) { cross(p); }},
        {QStringLiteral("edit"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(240, 200, 60));
             QPainterPath pencil;
             pencil.moveTo(2, 14);
             pencil.lineTo(3, 10);
             pencil.lineTo(11, 2);
             pencil.lineTo(14, 5);
             pencil.lineTo(6, 13);
             pencil.closeSubpath();
             p.drawPath(pencil);
         }},
        {QStringLiteral("play"), [](QPainter& p) { play(p); }},
        {QStringLiteral("loop"),
         [](QPainter& p) {
             p.setPen(QPen(kGreen, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(2, 2, 12, 12, 90 * 16, 270 * 16);
             triangle(p, kGreen, true);
         }},
        {QStringLiteral("stop"),
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             p.drawRect(3, 3, 10, 10);
         }},
        {QStringLiteral("playlist-play"),
         [](QPainter& p) {
             lines(p, 3);
             play(p, 6);
         }},
        {QStringLiteral("up"), [](QPainter& p) { triangle(p, kAccent, true); }},
        {QStringLiteral("down"), [](QPainter& p) { triangle(p, kAccent, false); }},
        {QStringLiteral("add"),
         [](QPainter& p) {
             page(p);
             plus(p, kGreen);
         }},
        {QStringLiteral("add-all"),
         [](QPainter& p) {
             lines(p, 2);
             plus(p, kGreen);
         }},
        {QStringLiteral("remove"),
         [](QPainter& p) {
             lines(p, 2);
             p.setPen(QPen(kRed, 2.5));
             p.drawLine(7, 12, 15, 12);
         }},
        {QStringLiteral("clear"),
         [](QPainter& p) {
             lines(p, 3);
             cross(p);
         }},
        {QStringLiteral("show-playlist"),
         [](QPainter& p) {
             p.setPen(kInk);
             p.setBrush(kPaper);
             p.drawRect(1, 1, 14, 14);
             p.drawLine(8, 1, 8, 15);
             p.setPen(QPen(kAccent, 1.5));
             for (int y = 4; y < 14; y += 3)
                 p.drawLine(10, y, 13, y);
         }},
    };
    return table;
}

} // namespace

QIcon glyphs::icon(const QString& name) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (const auto it = painters().constFind(name); it != painters().constEnd())
        (*it)(painter);
    painter.end();
    return QIcon(pixmap);
}
