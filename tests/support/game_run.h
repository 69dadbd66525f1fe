// A whole run of the game in-process: the real main window over fake dialogs, sound, random
// draws and desktop, with a temporary files folder.
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
            file("DirIziVur.ini", "[Contest]\r\nShow=True\r\n");
    }
    ~GameRun() { std::ranges::for_each(QApplication::topLevelWidgets(), &QObject::deleteLater), settle(); }
    // The file `name` of the files folder: written when `bytes` are given, then read.
    QByteArray file(const QString& name, const QByteArray& bytes = {}) const
    {
        QFile f(ctx.filesFolder.filePath(name));
        if (!bytes.isEmpty() && QDir().mkpath(ctx.filesFolder.path()) && f.open(QIODevice::WriteOnly))
            f.write(bytes), f.close();
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "<none>";
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
