// A whole run of the game in-process: the real main window over fake dialogs, sound, random
// draws and desktop, with a temporary files folder; and what the window tests look at.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>

#include "kit/fonts.h"
#include "kit/show_window.h"
#include "play/frmMain.h"
#include "support/fakes.h"
#include "support/testing.h"

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
        : ctx{dialogs,   sound, computer ? *computer : random, desktop, dir.filePath("files"),
              dir.path()}
    {
        QApplication::setFont(FormFont()); // as the program does
        if (!contestShown)
            write("DirIziVur.ini", "[Contest]\r\nShow=True\r\n");
    }
    ~GameRun()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->deleteLater();
        settle();
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(ctx.filesFolder);
        QFile file(ctx.filesFolder + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile file(ctx.filesFolder + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
    }
    Ui::frmMain& ui() { return window->controls(); }
    void start() { (window = new frmMain(ctx))->show(); }
    QWidget* imgBoard(int cell)
    {
        return Find(window, qPrintable(QString("imgBoard_%1").arg(cell)));
    }
    void click(const QList<int>& cells)
    {
        for (int cell : cells) {
            if (window)
                QTest::mouseClick(imgBoard(cell), Qt::LeftButton);
        }
    }
    // Lets deferred deletions of closed windows happen.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    template <class W = QWidget> static W* Find(QWidget* window, const char* name)
    {
        auto* found = window->findChild<W*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // What a screen reader says of a control.
    static QString Spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(what);
    }
};

} // namespace dz::test
