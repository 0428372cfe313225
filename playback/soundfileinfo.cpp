#include "playback/soundfileinfo.h"

#include "playback/playbackcontrol.h"
#include "playback/regularsoundfile.h"

#include <QLocale>

#include <cmath>

namespace {

struct FormatName {
    int subtype;
    const char* name;
};

// The names sound people use; anything else takes libsndfile's own name for the encoding.
constexpr FormatName kFormatNames[] = {
    {SF_FORMAT_PCM_S8, "8-bit"},
    {SF_FORMAT_PCM_U8, "8-bit"},
    {SF_FORMAT_PCM_16, "16-bit"},
    {SF_FORMAT_PCM_24, "24-bit"},
    {SF_FORMAT_PCM_32, "32-bit"},
    {SF_FORMAT_FLOAT, "32-bit float"},
    {SF_FORMAT_DOUBLE, "64-bit float"},
    {SF_FORMAT_ULAW, "\u00b5-law"},
    {SF_FORMAT_ALAW, "A-law"},
    {SF_FORMAT_IMA_ADPCM, "IMA ADPCM"},
    {SF_FORMAT_MS_ADPCM, "Microsoft ADPCM"},
    {SF_FORMAT_GSM610, "GSM 6.10"},
};

QString sampleFormatName(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    for (const FormatName& known : kFormatNames)
        if (known.subtype == subtype)
            return QString::fromUtf8(known.name);
    SF_FORMAT_INFO info{};
    info.format = subtype;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name)
        return QString::fromUtf8(info.name);
    return QStringLiteral("unknown encoding");
}

QString channelsName(int channels) {
    if (channels == 1)
        return QStringLiteral("mono");
    if (channels == 2)
        return QStringLiteral("stereo");
    return QStringLiteral("%1 channels").arg(channels);
}

QString headerText(const SF_INFO& info, qint64 bytes) {
    const auto ms = info.samplerate > 0
                        ? static_cast<qint64>(std::nearbyint(static_cast<double>(info.frames) *
                                                             1000.0 / info.samplerate))
                        : 0;
    return QStringLiteral("%1 Hz, %2, %3\nLength: %4\nSize: %5")
        .arg(info.samplerate)
        .arg(sampleFormatName(info.format), channelsName(info.channels),
             PlaybackControl::lengthText(ms), QLocale::c().formattedDataSize(bytes));
}

} // namespace

QString soundFileInfoText(const QString& path) {
    const RegularSoundFile file(path);
    return file.isOpen() ? headerText(file.info(), file.sizeOnDisk()) : file.error();
}
