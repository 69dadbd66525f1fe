// A whole run of the game in-process: the real main window over fake dialogs, sound
// and random draws, with a temporary files folder. Header-only: GUI tests only.
#pragma once

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "play/frmMain.h"
#include "support/fakes.h"

namespace dz::test
{

struct GameRun {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingSound sound;
    ScriptedRandom random;
    Context ctx;
    QPointer<frmMain> window;

    // contestShown: whether the settings file lets the contest notice open at start-up.
    explicit GameRun(bool contestShown = false)
    {
        ctx.dialogs = &dialogs;
        ctx.sound = &sound;
        ctx.random = &random;
        ctx.filesFolder = dir.path() + QStringLiteral("/files");
        ctx.programFolder = dir.path();
        if (!contestShown)
            writeFile(QStringLiteral("DirIziVur.ini"), "[Contest]\r\nShow=True\r\n");
    }
    ~GameRun()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows.append(w);
        for (const QPointer<QWidget>& w : windows)
            delete w.data(); // a child window may already be gone with its parent
    }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(ctx.filesFolder);
        QFile f(ctx.filesFolder + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString& name) const
    {
        QFile f(ctx.filesFolder + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    frmMain* start()
    {
        window = new frmMain(ctx);
        window->show();
        return window;
    }
    Ui::frmMain& ui() { return window->controls(); }

    // Clicks the cells in order, as a user would.
    void click(const QList<int>& cells)
    {
        for (int cell : cells) {
            if (!window)
                return;
            auto* w = window->findChild<QAbstractButton*>(QStringLiteral("imgBoard_%1").arg(cell));
            QTest::mouseClick(w, Qt::LeftButton);
        }
    }
    // Lets deferred deletions of closed windows happen.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

} // namespace dz::test
