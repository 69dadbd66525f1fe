// The main window as laid out: positions, texts, menus, tab order, and where the
// secondary windows come from.
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "support/game_run.h"

using dz::test::GameRun;

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void layout_data()
    {
        // Twips as the window's design gives them; 15 twips to a pixel.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, int l, int t, int w, int h, const char* text = "") {
            QTest::newRow(name) << name << QRect(l, t, w, h) << QString::fromUtf8(text);
        };
        row("Frame3", 0, 0, 5295, 75);
        const int lefts[] = {240, 1320, 2400}, tops[] = {360, 1440, 2520};
        for (int n = 1; n <= 9; ++n) {
            const QByteArray name = "imgBoard_" + QByteArray::number(n);
            QTest::newRow(name.constData())
                << QString::fromLatin1(name)
                << QRect(lefts[(n - 1) % 3], tops[(n - 1) / 3], 855, 855) << QString();
        }
        row("Line1", 120, 1320, 3360, 15);
        row("Line2", 120, 2400, 3240, 15);
        row("Line3", 1200, 120, 15, 3360);
        row("Line4", 2280, 120, 15, 3360);
        row("imgPiece_1", 960, 2040, 855, 855);
        row("imgPiece_2", 1920, 2160, 855, 735);
        row("imgPiece_3", 4320, 3480, 855, 855);
        row("Frame2", 120, 3600, 3615, 1095, "Game Status");
        row("lblXWins", 2640, 240, 735, 255, "0");
        row("Frame1", 3840, 3480, 1335, 1215, "Who's Turn:");
        row("imgWhoTurn", 240, 240, 855, 855);
        row("cmdNew", 3960, 240, 1095, 375, "&New Game");
        row("cmdOptions", 3960, 720, 1095, 375, "&Options");
        row("cmdAbout", 3960, 1200, 1095, 375, "&About...");
        row("cmdQuit", 3960, 1680, 1095, 375, "&Quit");
        row("Label7", 3840, 2160, 1335, 375, "High Score");
        row("lblHighScore", 3840, 2400, 1215, 255, "0");
        row("Label9", 3720, 2760, 1455, 255, "Current Score");
        row("lblCurrentScore", 3720, 3000, 1455, 255, "0");
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        GameRun run;
        run.start();
        auto* w = run.window->findChild<QWidget*>(name);
        QVERIFY(w);
        const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(w->geometry(), px);
        if (auto* label = qobject_cast<QLabel*>(w); label && !name.startsWith("img"))
            QCOMPARE(label->text(), text);
        if (auto* button = qobject_cast<QPushButton*>(w))
            QCOMPARE(button->text(), text);
        if (auto* frame = qobject_cast<QGroupBox*>(w))
            QCOMPARE(frame->title(), text);
    }

    void valueLabelsSitWhereTheTableSaysAndFitTheirText()
    {
        GameRun run;
        run.start();
        const struct {
            const char* caption;
            const char* value;
            QPoint captionAt, valueAt; // twips
        } rows[] = {{"Label1", "lblMove", {120, 240}, {840, 240}},
                    {"Label2", "lblGame", {120, 480}, {840, 480}},
                    {"Label6", "lblLevel", {120, 720}, {840, 720}},
                    {"Label3", "lblXWins", {1920, 240}, {2640, 240}},
                    {"Label4", "lblOWins", {1920, 480}, {2640, 480}},
                    {"Label5", "lblTie", {2160, 720}, {2640, 720}}};
        for (const auto& r : rows) {
            auto* caption = run.window->findChild<QLabel*>(r.caption);
            auto* value = run.window->findChild<QLabel*>(r.value);
            QCOMPARE(caption->pos(), r.captionAt / 15);
            QCOMPARE(value->pos(), r.valueAt / 15);
            QCOMPARE(caption->parentWidget()->objectName(), QStringLiteral("Frame2"));
            QVERIFY2(value->width() >= value->sizeHint().width(), r.value);
        }
        run.ui().lblLevel->setText("Unbeatable");
        run.window->NewGame(); // any rewrite of a counter resizes it to its text
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("2"));
    }

    void windowIsFixedWithItsCaptionAndIcon()
    {
        GameRun run;
        run.start();
        QCOMPARE(run.window->windowTitle(), QStringLiteral("Tarn's DirIziVur"));
        QCOMPARE(run.window->centralWidget()->size(), QSize(354, 318));
        QCOMPARE(run.window->minimumSize(), run.window->maximumSize());
        QVERIFY(!run.window->windowIcon().isNull());
        QVERIFY(!run.ui().imgPiece_1->isVisible());
        QVERIFY(!run.ui().imgPiece_2->isVisible());
        QCOMPARE(run.ui().Label7->font().pointSizeF(), 9.75);
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
        QWidget* w = run.ui().cmdNew;
        for (int i = 0; i < 4; ++i) {
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
