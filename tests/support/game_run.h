// A whole run of the game in-process: the real main window over fake dialogs, sound and random
// draws, the real desktop services, and a temporary files folder.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>

#include "kit/fonts.h"
#include "kit/show_window.h"
#include "platform/qt_desktop.h"
#include "play/frmMain.h"
#include "support/fakes.h"
#include "support/testing.h"

namespace dz::test
{

struct GameRun {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    RecordingSound sound;
    ScriptedRandom random;
    QtDesktop desktop;
    Context ctx;
    QPointer<frmMain> window;

    // The settings file keeps the contest notice shut.
    GameRun() : ctx{dialogs, sound, random, desktop, dir.filePath("files"), dir.path()}
    {
        QApplication::setFont(FormFont()); // as the program does
        QDir().mkpath(ctx.filesFolder);
        QFile settings(ctx.filesFolder + "/DirIziVur.ini");
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[Contest]\r\nShow=True\r\n");
    }
    ~GameRun()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->deleteLater();
        settle();
    }
    Ui::frmMain& ui() { return window->controls(); }
    void start() { (window = new frmMain(ctx))->show(); }
    void click(const QList<int>& cells)
    {
        for (int cell : cells)
            QTest::mouseClick(Find(window, "imgBoard_" + QByteArray::number(cell)), Qt::LeftButton);
    }
    // Lets deferred deletions of closed windows happen.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    template <class W = QWidget> static W* Find(QWidget* window, const QByteArray& name)
    {
        auto* found = window->findChild<W*>(name);
        if (!found)
            qFatal("no control %s", name.constData());
        return found;
    }
    static bool IsOpen(const char* className)
    {
        return std::ranges::any_of(QApplication::topLevelWidgets(), [&](QWidget* w) {
            return w->isVisible() && w->inherits(className);
        });
    }
    // What a screen reader says of a control.
    static QString Spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(what);
    }
};

} // namespace dz::test
