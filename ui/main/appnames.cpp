#include "ui/main/appnames.h"

#include <QGuiApplication>

void nameApplication() {
    QGuiApplication::setApplicationName(QStringLiteral("Sondrix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("sondrix"));
}
