#include "tests/ui/main/windowfixture.h"

#include "base/configkeys.h"
#include "base/filepath.h"
#include "base/inistore.h"
#include "playlist/playlistmodel.h"
#include "tests/support/testenv.h"
#include "tests/support/wavfiles.h"
#include "ui/browse/browser.h"
#include "ui/browse/listbox.h"
#include "ui/toolbar/speedbar.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

void resetConfiguration() {
    QFile::remove(IniStore::sharedFilePath());
}

QAction* findAction(const QList<QAction*>& actions, const QString& text) {
    for (QAction* a : actions)
        if (a->text() == text)
            return a;
    return nullptr;
}

void clickMenuItem(QMenuBar* bar, const QString& menuText, const QString& itemText) {
    QAction* menuAction = findAction(bar->actions(), menuText);
    QVERIFY(menuAction && menuAction->menu());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuAction).center());
    QMenu* menu = menuAction->menu();
    QTRY_VERIFY(menu->isVisible());
    QAction* item = findAction(menu->actions(), itemText);
    QVERIFY(item);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QTRY_VERIFY(!menu->isVisible());
}

void chooseReopenEntry(const TfrmMain& window, int index) {
    QMenuBar* bar = window.menuBar();
    QAction* file = findAction(bar->actions(), QStringLiteral("&File"));
    QVERIFY(file && file->menu());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    QTRY_VERIFY(file->menu()->isVisible());
    QAction* reopen = window.reopenAction();
    QTest::mouseClick(file->menu(), Qt::LeftButton, {},
                      file->menu()->actionGeometry(reopen).center());
    QMenu* entries = reopen->menu();
    QTRY_VERIFY(entries->isVisible());
    QVERIFY(index < entries->actions().size());
    QAction* entry = entries->actions().at(index);
    QTest::mouseClick(entries, Qt::LeftButton, {}, entries->actionGeometry(entry).center());
    QTRY_VERIFY(!file->menu()->isVisible());
}

QAction* namedAction(const QWidget& window, const QString& name) {
    return window.findChild<QAction*>(name);
}

bool isControlEnabled(const TfrmMain& window, const QString& name) {
    if (name.startsWith(QLatin1String("sb")))
        return window.speedBar()->button(name)->isEnabled(); // the button follows its command
    const QAction* item = namedAction(window, name);
    return item && item->isEnabled();
}

WindowFixture::WindowFixture(AudioOutput* output, Prompts prompts) {
    configStore().writeString(QLatin1String(cfg::kDirectories), QLatin1String(cfg::kStartup),
                              folder.path());
    start(output, prompts);
}

void WindowFixture::start(AudioOutput* output, Prompts prompts) {
    reset();
    root = std::make_unique<AppRoot>(MainServices{prompts == Prompts::Scripted ? &prompt : nullptr,
                                                  &help, output,
                                                  [this](const QUrl& url) {
                                                      openedUrls.append(url);
                                                      return acceptUrls;
                                                  }},
                                     openPath);
    window = &root->window();
    window->show();
    activate();
}

void WindowFixture::activate() {
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active");
}

void WindowFixture::reset() {
    window = nullptr;
    root.reset();
}

WindowFixture::~WindowFixture() {
    reset();
    resetConfiguration();
}

void WindowFixture::showFiles(const QStringList& names) {
    for (const QString& name : names)
        if (!QFile::exists(folder.filePath(name)))
            writeTone(folder.filePath(name), ToneSpec{8000, 1, 0, 0.05, 440.0});
    window->browser()->rereadFiles();
}

void WindowFixture::addPlaylistEntries(const QStringList& paths) {
    for (const QString& path : paths)
        window->playlistModel()->append(path, fileNamePart(path));
}

void WindowFixture::click(ListBox* list, int row, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers) {
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), button, modifiers, at);
}
