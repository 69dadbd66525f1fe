// Playing without a mouse, and what a screen reader is told.
#include <QAccessible>
#include <QTest>

#include "support/game_run.h"

using dz::frmMain;
using dz::test::GameRun;

namespace
{

QString accessible(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : QStringLiteral("<none>");
}

} // namespace

class TestKeyboardAccess : public QObject
{
    Q_OBJECT
private slots:
    void keysMapToCells_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("cell");
        for (int digit = 1; digit <= 9; ++digit)
            QTest::addRow("digit %d", digit) << int(Qt::Key_0) + digit << false << digit;
        const int keypadCell[] = {0, 7, 8, 9, 4, 5, 6, 1, 2, 3};
        for (int digit = 1; digit <= 9; ++digit)
            QTest::addRow("keypad %d", digit)
                << int(Qt::Key_0) + digit << true << keypadCell[digit];
    }
    void keysMapToCells()
    {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(int, cell);
        QCOMPARE(frmMain::CellForKey(key, keypad ? Qt::KeypadModifier : Qt::NoModifier), cell);
    }

    void otherKeysPlaceNothing()
    {
        QCOMPARE(frmMain::CellForKey(Qt::Key_0, Qt::NoModifier), 0);
        QCOMPARE(frmMain::CellForKey(Qt::Key_A, Qt::NoModifier), 0);
        QCOMPARE(frmMain::CellForKey(Qt::Key_5, Qt::AltModifier), 0);
        QCOMPARE(frmMain::CellForKey(Qt::Key_5, Qt::ControlModifier), 0);
    }

    // Keys reach the board while a button has the focus, as it always does.
    void wholeGameByKeyboard()
    {
        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), run.ui().cmdNew);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_7, Qt::KeypadModifier); // cell 1
        QTest::keyClick(focus, Qt::Key_4);
        QTest::keyClick(focus, Qt::Key_4); // occupied
        QCOMPARE(run.sound.played.last(), QStringLiteral("Error.Wav"));
        QTest::keyClick(focus, Qt::Key_2);
        QTest::keyClick(focus, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(focus, Qt::Key_3);
        QCOMPARE(run.dialogs.shown.first().prompt, QStringLiteral("Player X Wins!"));
        QCOMPARE(run.ui().lblXWins->text(), QStringLiteral("1"));

        QTest::keyClick(focus, Qt::Key_5);
        QTest::keyClick(focus, Qt::Key_Space); // the focused New Game button
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("3"));
        QCOMPARE(run.window->board().pieces(), 0);
    }

    void screenReadersHearTheBoardAndCounters()
    {
        GameRun run;
        run.start();
        QCOMPARE(accessible(run.ui().imgBoard_5, QAccessible::Name),
                 QStringLiteral("Cell 5, empty"));
        QCOMPARE(QAccessible::queryAccessibleInterface(run.ui().imgBoard_5)->role(),
                 QAccessible::Button);
        QCOMPARE(accessible(run.ui().imgWhoTurn, QAccessible::Name), QStringLiteral("X to move"));
        run.click({5, 2});
        QCOMPARE(accessible(run.ui().imgBoard_5, QAccessible::Name), QStringLiteral("Cell 5, X"));
        QCOMPARE(accessible(run.ui().imgBoard_2, QAccessible::Name), QStringLiteral("Cell 2, O"));
        QCOMPARE(accessible(run.ui().imgWhoTurn, QAccessible::Name), QStringLiteral("X to move"));
        run.click({1});
        QCOMPARE(accessible(run.ui().imgWhoTurn, QAccessible::Name), QStringLiteral("O to move"));

        QCOMPARE(accessible(run.ui().lblMove, QAccessible::Name), QStringLiteral("4"));
        QCOMPARE(accessible(run.ui().lblMove, QAccessible::Description),
                 QStringLiteral("Move number"));
        QCOMPARE(accessible(run.ui().lblCurrentScore, QAccessible::Description),
                 QStringLiteral("Current score"));
        QCOMPARE(accessible(run.ui().lblTie, QAccessible::Description), QStringLiteral("Ties"));
        QVERIFY(run.ui().imgBoard_7->toolTip().contains("key 7"));
        QVERIFY(run.ui().imgBoard_7->toolTip().contains("1 on the keypad"));
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
