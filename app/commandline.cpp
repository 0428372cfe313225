#include "app/commandline.h"

#include "base/pathcodec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace commandline {
namespace {

QStringList decodedArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(decodePath(QByteArray(argv[i])));
    return arguments;
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Audition and organise WAV files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("path"),
        QCoreApplication::translate("main",
                                    "A folder to show, or a WAV file to select in its folder."),
        QStringLiteral("[path]"));
}

} // namespace

void answerHelpOrVersion(int argc, char* argv[]) {
    QCommandLineParser parser;
    describe(parser);
    // Options the toolkit reads are not known here; they are checked once the application has
    // taken them out.
    parser.parse(decodedArguments(argc, argv));
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

QString pathToOpen(int argc, char* argv[]) {
    QCommandLineParser parser;
    describe(parser);
    parser.process(decodedArguments(argc, argv));
    return parser.positionalArguments().value(0);
}

void preferX11Display() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland"); // Wayland still, where X11 cannot start
}

} // namespace commandline
