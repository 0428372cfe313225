#include "tests/ui/fileops/commandsfixture.h"

#include "base/configkeys.h"
#include "base/errorboundary.h"
#include "tests/support/filetree.h"
#include "tests/support/wavfiles.h"
#include "ui/browse/browser.h"
#include "ui/browse/directorylist.h"
#include "ui/browse/drivecombo.h"
#include "ui/browse/listbox.h"

#include <QToolButton>
#include <QtTest>

namespace {

QToolButton* toolButton(QWidget* parent, QAction* action, int left) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setGeometry(left, 0, 24, 23);
    return button;
}

} // namespace

CommandsFixture::CommandsFixture(const QStringList& names)
    : browser(new Browser(store, prompt, &window)), files(*browser),
      commands(store, prompt, help, files,
               {[this] { ++stops; }, [this](bool withPlayRule) { checks.append(withPlayRule); }},
               &window),
      sbCopy(toolButton(&window, &copy, 0)), sbDelete(toolButton(&window, &remove, 24)) {
    for (const QString& name : names)
        if (!writeTone(path(name), ToneSpec{8000, 1, 0, 0.05, 440.0}))
            qFatal("cannot write %s", qPrintable(name));
    window.resize(400, 400);
    browser->drives()->setGeometry(0, 30, 200, 24);
    browser->directories()->setGeometry(0, 60, 200, 330);
    browser->wavs()->setGeometry(200, 30, 200, 360);
    const std::pair<QAction*, void (FileCommands::*)()> bindings[] = {
        {&copy, &FileCommands::copySelected},
        {&move, &FileCommands::moveSelected},
        {&rename, &FileCommands::renameSelected},
        {&remove, &FileCommands::deleteSelected}};
    for (const auto& [action, handler] : bindings) {
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, &window,
                         errorboundary::guarded(prompt, [this, h = handler] { (commands.*h)(); }));
    }
    copy.setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    move.setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    rename.setShortcut(QKeySequence(Qt::Key_F2));
    remove.setShortcut(QKeySequence(QStringLiteral("Ctrl+Del")));
    browser->enterDirectory(folder.path());
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
}

CommandsFixture::~CommandsFixture() {
    QFile::remove(IniStore::sharedFilePath());
    // QTemporaryDir cannot remove names that are not UTF-8.
    filetree::clearDirectory(QFile::encodeName(folder.path()));
    filetree::clearDirectory(QFile::encodeName(elsewhere.path()));
}

QStringList CommandsFixture::numberedNames(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("f%1.wav").arg(i));
    return names;
}

QStringList CommandsFixture::listed() const {
    return browser->wavNames();
}

ListBox* CommandsFixture::list() const {
    return browser->wavs();
}

void CommandsFixture::click(int row) {
    const QPoint at = list()->visualRect(list()->model()->index(row, 0)).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
}

void CommandsFixture::remember(const char* key, const QString& directory) {
    store.writeString(QLatin1String(cfg::kDirectories), QLatin1String(key), directory);
}

QString CommandsFixture::remembered(const char* key) const {
    return store.readString(QLatin1String(cfg::kDirectories), QLatin1String(key), QString());
}
