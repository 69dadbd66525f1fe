// A whole run of the game in-process: the real main window over fake dialogs, sound,
// random draws and desktop, with a temporary files folder.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "play/frmMain.h"
#include "support/fakes.h"

namespace dz::test
{

struct GameRun {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingSound sound;
    ScriptedRandom random;
    FakeDesktop desktop;
    Context ctx;
    QPointer<frmMain> window;

    // contestShown: whether the settings file lets the notice open at start-up;
    // computer: where the computer draws from, if not from `random`.
    explicit GameRun(bool contestShown = false, RandomSource* computer = nullptr)
        : ctx{dialogs,
              sound,
              computer ? *computer : random,
              desktop,
              Folder::fromPath(dir.filePath("files")),
              Folder::fromPath(dir.path())}
    {
        if (!contestShown)
            writeFile("DirIziVur.ini", "[Contest]\r\nShow=True\r\n");
    }
    ~GameRun()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        settle();
    }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(ctx.filesFolder.path());
        QFile f(ctx.filesFolder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QByteArray readFile(const QString& name) const
    {
        QFile f(ctx.filesFolder.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    Ui::frmMain& ui() { return window->controls(); }
    void start() { (window = new frmMain(ctx))->show(); }
    QWidget* imgBoard(int cell) { return window->findChild<QWidget*>(QStringLiteral("imgBoard_%1").arg(cell)); }
    void click(const QList<int>& cells)
    {
        for (int cell : cells)
            if (window)
                QTest::mouseClick(imgBoard(cell), Qt::LeftButton);
    }
    // Lets deferred deletions of closed windows happen.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

} // namespace dz::test
