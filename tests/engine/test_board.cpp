#include <QTest>

#include "engine/board.h"

using dz::Board;
using dz::Outcome;

Q_DECLARE_METATYPE(Outcome)

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void outcome_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("moveNumber");
        QTest::addColumn<Outcome>("expected");

        QTest::newRow("empty board") << "...|...|..." << 1 << Outcome::Running;
        QTest::newRow("top row") << "XXX|OO.|..." << 6 << Outcome::Line;
        QTest::newRow("bottom row of O") << "XX.|X..|OOO" << 7 << Outcome::Line;
        QTest::newRow("left column") << "XO.|XO.|X.." << 6 << Outcome::Line;
        QTest::newRow("middle column of O") << "XOX|.O.|XO." << 7 << Outcome::Line;
        QTest::newRow("right column") << "O.X|O.X|..X" << 6 << Outcome::Line;
        QTest::newRow("diagonal 1-5-9") << "XO.|OX.|..X" << 6 << Outcome::Line;
        QTest::newRow("diagonal 3-5-7 of O") << "XXO|XO.|O.." << 7 << Outcome::Line;
        QTest::newRow("two in a row is not a line") << "XX.|OO.|..." << 5 << Outcome::Running;
        QTest::newRow("ninth move completes a line") << "XOX|OXO|OXX" << 10 << Outcome::Line;
        QTest::newRow("double line from one move") << "X.O|XXX|OOX" << 8 << Outcome::Line;
        QTest::newRow("full board without line") << "XOX|XOO|OXX" << 10 << Outcome::Tie;
        QTest::newRow("tie counted by moves, not cells") << "...|...|..." << 10 << Outcome::Tie;
    }
    void outcome()
    {
        QFETCH(QString, picture);
        QFETCH(int, moveNumber);
        QFETCH(Outcome, expected);
        const Board board = Board::fromPicture(picture.toStdString());
        QCOMPARE(board.picture(), picture);
        QCOMPARE(dz::FindOutcome(board, moveNumber), expected);
    }

    void malformedPictureGivesEmptyBoard_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("too short") << "XO|...";
        QTest::newRow("too long") << "XXX|OOO|XXX|O";
    }
    void malformedPictureGivesEmptyBoard()
    {
        QFETCH(QString, picture);
        QCOMPARE(Board::fromPicture(picture.toStdString()).pieces(), 0);
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "test_board.moc"
