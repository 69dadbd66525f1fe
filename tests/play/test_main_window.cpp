// The main window as laid out: positions, texts, menus and tab order, checked once
// against the window's design (in twips, 15 to a pixel).
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "support/game_run.h"

using dz::test::GameRun;

namespace
{

struct Control {
    const char* name;
    int left, top, width, height; // twips; width 0: sized to its text
    const char* text;
};

// clang-format off
const Control Layout[] = {
    {"Frame3", 0, 0, 5295, 75, ""}, {"imgBoard_1", 240, 360, 855, 855, ""},
    {"imgBoard_5", 1320, 1440, 855, 855, ""}, {"imgBoard_9", 2400, 2520, 855, 855, ""},
    {"Line1", 120, 1320, 3360, 15, ""}, {"Line2", 120, 2400, 3240, 15, ""},
    {"Line3", 1200, 120, 15, 3360, ""}, {"Line4", 2280, 120, 15, 3360, ""},
    {"imgPiece_1", 960, 2040, 855, 855, ""}, {"imgPiece_2", 1920, 2160, 855, 735, ""},
    {"imgPiece_3", 4320, 3480, 855, 855, ""}, {"Frame2", 120, 3600, 3615, 1095, "Game Status"},
    {"Label1", 120, 240, 0, 0, "Move #:"}, {"lblMove", 840, 240, 0, 0, "1"},
    {"Label2", 120, 480, 0, 0, "Game #:"}, {"lblGame", 840, 480, 0, 0, "1"},
    {"Label6", 120, 720, 0, 0, "Level:"}, {"lblLevel", 840, 720, 0, 0, ""},
    {"Label3", 1920, 240, 0, 0, "X Wins:"}, {"lblXWins", 2640, 240, 735, 255, "0"},
    {"Label4", 1920, 480, 0, 0, "O Wins:"}, {"lblOWins", 2640, 480, 0, 0, "0"},
    {"Label5", 2160, 720, 0, 0, "Ties:"}, {"lblTie", 2640, 720, 0, 0, "0"},
    {"Frame1", 3840, 3480, 1335, 1215, "Who's Turn:"}, {"imgWhoTurn", 240, 240, 855, 855, ""},
    {"cmdNew", 3960, 240, 1095, 375, "&New Game"}, {"cmdOptions", 3960, 720, 1095, 375, "&Options"},
    {"cmdAbout", 3960, 1200, 1095, 375, "&About..."}, {"cmdQuit", 3960, 1680, 1095, 375, "&Quit"},
    {"Label7", 3840, 2160, 1335, 375, "High Score"}, {"lblHighScore", 3840, 2400, 1215, 255, "0"},
    {"Label9", 3720, 2760, 1455, 255, "Current Score"}, {"lblCurrentScore", 3720, 3000, 1455, 255, "0"},
};
// clang-format on

QString textOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w); label && !w->objectName().startsWith("img"))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w))
        return frame->title();
    return QString();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void layout()
    {
        GameRun run;
        run.start();
        for (const Control& c : Layout) {
            auto* w = run.window->findChild<QWidget*>(c.name);
            QVERIFY2(w, c.name);
            QCOMPARE(w->pos(), QPoint(c.left, c.top) / 15);
            if (c.width)
                QCOMPARE(w->size(), QSize(c.width, c.height) / 15);
            else // labels sized to their text
                QVERIFY2(w->width() >= w->sizeHint().width(), c.name);
            QCOMPARE(textOf(w), QString::fromUtf8(c.text));
        }
        QCOMPARE(run.window->windowTitle(), QStringLiteral("Tarn's DirIziVur"));
        QCOMPARE(run.window->centralWidget()->size(), QSize(5310, 4770) / 15);
        QCOMPARE(run.window->minimumSize(), run.window->maximumSize());
        QVERIFY(!run.ui().imgPiece_1->isVisible() && !run.ui().imgPiece_2->isVisible());
        QCOMPARE(run.ui().Label7->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    }

    void menus()
    {
        GameRun run;
        run.start();
        QStringList seen;
        for (QAction* top : run.window->menuBar()->actions()) {
            QStringList items;
            for (QAction* item : top->menu()->actions())
                items << (item->isSeparator() ? "-" : item->text()) + ":" + item->objectName();
            seen << top->menu()->objectName() + "=" + top->text() + "[" + items.join(", ") + "]";
        }
        QCOMPARE(seen, (QStringList{
                           "mnuFile=&File[&New Game:mnuNew, -:lineA, E&xit:mnuFileExit]",
                           "mnuOptions=&Options[Change &Options:mnuOptionsOptions, -:LineC, "
                           "&HighScore:mnuOptionsHighScore]",
                           "mnuHelp=&Help[&Scoring Table:mnuHelpScoring, -:LineB, "
                           "&About...:mnuHelpAbout, -:lineIT, &Enter the Draw:mnuEnterTheDraw]"}));
    }

    void tabOrderAndFirstFocus()
    {
        GameRun run;
        run.start();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), run.ui().cmdNew);
        QStringList order;
        for (QWidget* w = run.ui().cmdNew; order.size() < 4;) {
            order << w->objectName();
            do
                w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || !w->isVisible());
        }
        QCOMPARE(order, (QStringList{"cmdNew", "cmdOptions", "cmdQuit", "cmdAbout"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
