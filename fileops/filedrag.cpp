#include "fileops/filedrag.h"

#include "base/pathcodec.h"

#include <QMimeData>

QUrl fileUrl(const QString& path) {
    return QUrl::fromEncoded("file://" + encodePath(path).toPercentEncoding("/"), QUrl::StrictMode);
}

QString localPath(const QUrl& url) {
    if (!url.isValid() || url.scheme() != QLatin1String("file") ||
        !(url.host().isEmpty() || url.host() == QLatin1String("localhost")))
        return {};
    // The encoded form keeps each byte; QUrl::toLocalFile would decode it as UTF-8.
    return decodePath(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QMimeData* fileMimeData(const QString& path) {
    auto* data = new QMimeData;
    data->setUrls({fileUrl(path)});
    data->setData(QStringLiteral("text/plain"), encodePath(path));
    return data;
}

DroppedFiles sortDroppedUrls(const QList<QUrl>& urls) {
    DroppedFiles dropped;
    for (const QUrl& url : urls) {
        const QString path = localPath(url);
        if (path.isEmpty())
            ++dropped.others;
        else if (isExistingDirectory(path))
            dropped.directories.append(path);
        else if (path.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive) && isExistingFile(path))
            dropped.wavFiles.append(path);
        else
            ++dropped.others;
    }
    return dropped;
}
