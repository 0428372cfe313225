#pragma once

#include <QByteArray>
#include <QString>

// A file name in a text field, so that bytes the user did not touch keep their values.
//
// A name that is valid UTF-8 is shown as its text and read back exactly as typed: no escape is
// looked for. In a name that holds bytes that are not valid UTF-8, each such byte is shown as
// "\xHH" (two upper-case hex digits) and each backslash of the name as "\\"; reading it back
// turns "\xHH" (either case) into that byte and "\\" into one backslash, and keeps any other
// backslash as it stands.
QString nameForEditing(const QByteArray& name);
// The bytes of `text` as edited from the name `original`, by the rule above.
QByteArray nameFromEditing(const QString& text, const QByteArray& original);
