// Playing without a mouse, and what a screen reader is told.
#include <QAccessible>
#include <QTest>

#include "support/game_run.h"

using dz::frmMain;
using dz::test::GameRun;

namespace
{

QString accessible(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(w)->text(what);
}

} // namespace

class TestKeyboardAccess : public QObject
{
    Q_OBJECT
private slots:
    void keysMapToCells()
    {
        const int keypadCell[] = {0, 7, 8, 9, 4, 5, 6, 1, 2, 3}; // 7 8 9 is the top row
        for (int digit = 1; digit <= 9; ++digit) {
            const int key = Qt::Key_0 + digit;
            QCOMPARE(frmMain::CellForKey(key, Qt::NoModifier), digit);
            QCOMPARE(frmMain::CellForKey(key, Qt::KeypadModifier), keypadCell[digit]);
            QCOMPARE(frmMain::CellForKey(key, Qt::AltModifier), 0);
        }
        QCOMPARE(frmMain::CellForKey(Qt::Key_0, Qt::NoModifier), 0);
    }

    // Keys reach the board while a button has the focus, as one always does.
    void wholeGameByKeyboard()
    {
        GameRun run;
        run.ctx.settings.SoundOn = true;
        run.start();
        QApplication::setActiveWindow(run.window);
        QTRY_COMPARE(QApplication::focusWidget(), run.ui().cmdNew);
        QWidget* focus = QApplication::focusWidget();
        const Qt::KeyboardModifier pad = Qt::KeypadModifier, none = Qt::NoModifier;
        const std::pair<Qt::Key, Qt::KeyboardModifier> keys[] = {
            {Qt::Key_7, pad},  {Qt::Key_4, none}, {Qt::Key_4, none},
            {Qt::Key_2, none}, {Qt::Key_5, pad},  {Qt::Key_3, none}};
        for (auto [key, modifier] : keys)
            QTest::keyClick(focus, key, modifier);
        // The second 4 found its cell taken: only the error sound, no move counted.
        QCOMPARE(run.sound.played.count("Error.Wav"), 1);
        QCOMPARE(run.dialogs.shown.first().prompt, QStringLiteral("Player X Wins!"));
        QTest::keyClick(focus, Qt::Key_5);
        QTest::keyClick(focus, Qt::Key_Space); // the focused New Game button
        QCOMPARE(run.ui().lblGame->text(), QStringLiteral("3"));
        QCOMPARE(run.window->board().pieces(), 0);
    }

    void screenReadersHearTheBoardAndCounters()
    {
        GameRun run;
        run.start();
        auto& ui = run.ui();
        QCOMPARE(accessible(ui.imgBoard_5), QStringLiteral("Cell 5, empty"));
        QCOMPARE(QAccessible::queryAccessibleInterface(ui.imgBoard_5)->role(), QAccessible::Button);
        run.click({5, 2, 1});
        QCOMPARE(accessible(ui.imgBoard_5) + "; " + accessible(ui.imgBoard_2),
                 QStringLiteral("Cell 5, X; Cell 2, O"));
        QCOMPARE(accessible(ui.imgWhoTurn), QStringLiteral("O to move"));
        QCOMPARE(accessible(ui.lblMove) + ": " + accessible(ui.lblMove, QAccessible::Description),
                 QStringLiteral("4: Move number"));
        QCOMPARE(accessible(ui.lblCurrentScore, QAccessible::Description),
                 QStringLiteral("Current score"));
        QVERIFY(ui.imgBoard_7->toolTip().contains("1 on the keypad"));
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
