// A whole run of the game in-process: the real main window, boxes and desktop services over fake
// sound and random draws, and a temporary files folder.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "kit/fonts.h"
#include "kit/show_window.h"
#include "platform/qt_desktop.h"
#include "platform/qt_dialogs.h"
#include "play/frmMain.h"
#include "support/fakes.h"
#include "support/testing.h"

namespace dz::test
{

// A box as it showed: its text, title, style (its icon and buttons as the game names them; 0 for
// the input box), owner, and whether Esc and the close button left it open.
struct ShownMessage {
    QString prompt, title;
    int style = 0;
    QWidget* owner = nullptr;
    bool open = false;
    bool operator==(const ShownMessage&) const = default;
};

// The real boxes, recorded as they show; Esc and close are tried, then Return on what stays open.
struct RecordingDialogs : QObject, QtDialogs {
    RecordingDialogs() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Show &&
            (object->inherits("QMessageBox") || object->inherits("QInputDialog")))
            QTimer::singleShot(0, object, [=, this] { answer(static_cast<QDialog*>(object)); });
        return false;
    }
    void answer(QDialog* box)
    {
        auto* message = qobject_cast<QMessageBox*>(box);
        const int styles[] = {0, vbInformation, vbExclamation, -1, -1}; // by QMessageBox::Icon
        const int style =
            message ? styles[message->icon()] + vbYesNo * !!message->button(QMessageBox::No) : 0;
        ShownMessage seen{message ? message->text() : static_cast<QInputDialog*>(box)->labelText(),
                          box->windowTitle(), style, box->parentWidget()};
        onShow(seen);
        QTest::keyClick(box, Qt::Key_Escape);
        seen.open = !box->close() && box->isVisible();
        shown << seen;
        if (seen.open)
            QTest::keyClick(box, Qt::Key_Return);
    }
    QList<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow = [](auto&) {}; // while the box is up
};

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
        Write(ctx.filesFolder + "/DirIziVur.ini", "[Contest]\r\nShow=True\r\n");
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
    // The control of that name in the window, or the window itself.
    template <class W = QWidget> static W* Find(QWidget* window, const QByteArray& name)
    {
        auto* found =
            window->objectName() == name ? qobject_cast<W*>(window) : window->findChild<W*>(name);
        if (!found)
            qFatal("no control %s", name.constData());
        return found;
    }
    static QWidget* Opened(const char* className)
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->inherits(className))
                return window;
        return nullptr;
    }
    // What a screen reader says of a control.
    static QString Spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(what);
    }
};

} // namespace dz::test
