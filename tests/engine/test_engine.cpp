// The board's lines, number text and the computer's choices, with expected values from
// the game's rules; every draw is scripted.
#include "engine/numbers.h"
#include "engine/opponent.h"
#include "support/fakes.h"
#include "support/test_main.h"

using dz::Board;
using dz::Outcome;

// Fractions that make RandomCell and RandomCorner come out as the given cell.
static double cell(int c)
{
    return c == 9 ? 0.99 : (c - 1) / 8.0;
}
static double corner(int c)
{
    return c == 1 ? 0.0 : c == 3 ? 0.4 : c == 7 ? 0.7 : 0.99;
}

class TestEngine : public QObject
{
    Q_OBJECT
private slots:
    void outcome()
    {
        // Board, move number, what the line check finds: a Line, a Tie or nothing yet.
        for (const char* row : {"...|...|... 1 -", "XXX|OO.|... 6 L", "X.X|OOO|X.. 7 L", "XX.|X..|OOO 7 L",
                                "XO.|XO.|X.. 6 L", "XOX|.O.|XO. 7 L", "O.X|O.X|..X 6 L", "XO.|OX.|..X 6 L",
                                "XXO|XO.|O.. 7 L", "XXO|OO.|X.. 6 -", "XOX|OXO|OXX 10 L", "XOX|XOO|OXX 10 T",
                                "XOX|XOO|OXX 9 -", "...|...|... 10 T"}) { // a tie counts moves, not cells
            const QStringList f = QString(row).split(' ');
            const Board board = Board::fromPicture(f[0].toStdString());
            const Outcome found = dz::FindOutcome(board, f[1].toInt());
            QCOMPARE(board.picture() + ' ' + "-LT"[int(found)], f[0] + ' ' + f[2]);
        }
    }

    // Label and file text: a German desktop still writes "0.5"; no exponent, which the
    // reader would stop at; parsing stops where the number does.
    void numberText()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const auto& [value, text] : {std::pair{-0.0, "0"}, {-0.5, "-0.5"}, {102.5, "102.5"}, {1e-7, "0.0000001"}})
            QVERIFY2(dz::NumberText(value) == text && dz::TextNumber(text) == value, text);
        QLocale::setDefault(QLocale::c());
        // Text, the number read, 1 when it is a whole number; past the largest double reads 0.
        for (const QString& row : QStringList{" 007.59 |7.59|1", "-.5|-0.5|1", "12abc|12|0", "0,5|0|0", "-|0|0",
                                              " |0|0", ".|0|0", " 1.5x|1.5|0", QString(400, '9') + "|0|1"}) {
            const QStringList f = row.split('|');
            QVERIFY2(dz::TextNumber(f[0]) == f[1].toDouble() && dz::IsNumberText(f[0]) == (f[2] == "1"),
                     qPrintable(row));
        }
        QCOMPARE(dz::RoundHalfEven(2.5) + dz::RoundHalfEven(1.5) + dz::RoundHalfEven(-0.5), 4);
    }

    // O is to move: the move number is the pieces plus one. Draws are scripted as cells
    // (c5: RandomCell gives 5; k3: RandomCorner gives 3) or fractions, and must be used up:
    // the draws a rule throws away are part of the row. Then the cell and the reseeds.
    void computerMove()
    {
        // clang-format off
        for (const char* row : {
                 "Unbeatable;OO.|X..|X.X;;5;0;centre before its own win",
                 "Unbeatable;XX.|OO.|X..;;6;0;win before block",
                 "Unbeatable;X.X|.OX|O..;;2;0;first threat in line order",
                 "Unbeatable;XXO|.OX|...;;7;0;a win in the last line",
                 "Unbeatable;X..|.O.|..X;c1 c3 c5 c7 c9 c6;6;1;opposite corners: a side",
                 "Unbeatable;..X|.O.|X..;c4;4;1;opposite corners 3 and 7",
                 "Unbeatable;...|.X.|...;k3;3;1;centre answered with a corner",
                 "Unbeatable;...|.X.|...;k7;7;1;corner 7",
                 "Unbeatable;...|.X.|...;k1;1;1;corner 1",
                 "Unbeatable;X..|.OX|...;k1 k9;9;1;a taken corner drawn again at move 4",
                 "Unbeatable;XO.|.OX|.X.;c5 c1 c4;4;1;at random after move 4",
                 "Easy;XX.|OO.|X..;c5 c9;9;1;easy ignores win and threat",
                 "Moderate;X..|...|...;0.16 c1 c3;3;1;moderate may skip the centre",
                 "Moderate;X..|...|...;0.17;5;1;moderate otherwise by the rules",
                 "Hard;XX.|OO.|X..;0.05 c8;8;1;hard at random at move 6",
                 "Hard;X..|.OX|...;0.0 k3;3;2;hard never at random at move 4",
                 "Hard;XX.|OO.|X..;0.06;6;1;hard otherwise by the rules",
                 "Easy;XOX|XOO|OXX;;0;1;a full board has no cell",
                 ";X..|...|...;;0;0;no level", "easy;X..|...|...;;0;0;a level in other letters",
                 "Hard ;X..|...|...;;0;0;a level with a blank"}) {
            // clang-format on
            const QStringList f = QString(row).split(';');
            dz::test::ScriptedRandom random;
            for (const QString& d : f[2].split(' ', Qt::SkipEmptyParts)) {
                const int n = d.mid(1).toInt();
                random.fractions << (d[0] == 'c' ? cell(n) : d[0] == 'k' ? corner(n) : d.toDouble());
            }
            const Board b = Board::fromPicture(f[1].toStdString());
            const int move = dz::ComputerMove(f[0], b, b.pieces() + 1, random);
            QVERIFY2(move == f[3].toInt() && random.reseeds == f[4].toInt() && random.fractions.isEmpty(),
                     qPrintable(f[5]));
        }
    }
};

DZ_TEST(TestEngine)
#include "test_engine.moc"
