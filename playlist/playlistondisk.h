#pragma once

#include <QByteArray>
#include <QString>

// What this window last read from or wrote to its playlist file, so that a save can tell whether
// another program has rewritten the file since. It compares a digest of the whole content: a
// modification time can repeat within the clock's step, and a file whose content is as this
// window left it loses nothing when it is written again.
class PlaylistOnDisk {
public:
    void remember(const QByteArray& text);
    // Whether the file now holds other bytes than were remembered. A file that is gone has
    // nothing to lose; one that cannot be read counts as changed.
    bool changedSince(const QString& fileName) const;

private:
    QByteArray m_digest;
};
