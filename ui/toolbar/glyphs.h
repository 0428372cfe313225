#pragma once

#include <QIcon>
#include <QString>

// The toolbar's pictures, drawn by the program itself. Qt derives the disabled image from the
// normal one.
namespace glyphs {
QIcon icon(const QString& name);
}
