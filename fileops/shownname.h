#pragma once

#include <QByteArray>
#include <QString>

// The name of the entry in `directory` that shows on screen as `shown` (QFile::decodeName). A
// name that is not valid UTF-8 loses bytes in that decoding; this finds them again. When no entry,
// or more than one, shows as `shown`, the text's own encoding.
QByteArray nameShownAs(const QByteArray& directory, const QString& shown);
