// The board's lines, number text and the computer's choices, with expected values from
// the game's rules; every draw is scripted or comes from a clock that counts.
#include <QSet>
#include <QTest>

#include "engine/numbers.h"
#include "engine/opponent.h"
#include "platform/random.h"
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
        const auto L = Outcome::Line, R = Outcome::Running, T = Outcome::Tie;
        for (const auto& [picture, move, expected] :
             {std::tuple{"...|...|...", 1, R}, {"XXX|OO.|...", 6, L}, {"X.X|OOO|X..", 7, L}, {"XX.|X..|OOO", 7, L},
              {"XO.|XO.|X..", 6, L}, {"XOX|.O.|XO.", 7, L}, {"O.X|O.X|..X", 6, L}, {"XO.|OX.|..X", 6, L},
              {"XXO|XO.|O..", 7, L}, {"XXO|OO.|X..", 6, R}, {"XOX|OXO|OXX", 10, L}, {"XOX|XOO|OXX", 10, T},
              {"XOX|XOO|OXX", 9, R}, {"...|...|...", 10, T}}) { // a tie counts moves, not cells
            QCOMPARE(Board::fromPicture(picture).picture(), QString(picture));
            QVERIFY2(dz::FindOutcome(Board::fromPicture(picture), move) == expected, picture);
        }
    }

    // Label and file text: a German desktop still writes "0.5"; no exponent, which the
    // reader would stop at.
    void numberText()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const auto& [value, text] : {std::pair{-0.0, "0"}, {-0.5, "-0.5"}, {102.5, "102.5"},
                                          {1e21, "1000000000000000000000"}, {1e-7, "0.0000001"}}) {
            QCOMPARE(dz::NumberText(value), QString(text));
            QCOMPARE(dz::TextNumber(text), value);
        }
        QLocale::setDefault(QLocale::c());
        for (const auto& [text, value, whole] : {std::tuple{"  007.5 ", 7.5, true}, {"", 0.0, false},
                                                 {"-.5", -0.5, true}, {"12abc", 12.0, false}, {"0,5", 0.0, false},
                                                 {"+3.", 3.0, true}, {"-", 0.0, false}}) {
            QCOMPARE(dz::TextNumber(text), value);
            QCOMPARE(dz::IsNumberText(text), whole);
        }
        QCOMPARE(dz::TextNumber(QString(400, u'9')), 0.0); // overflow
        for (const auto& [value, rounded] : {std::pair{1.5, 2}, {2.5, 2}, {8.5, 8}, {-0.5, 0}})
            QCOMPARE(dz::RoundHalfEven(value), rounded);
    }

    // O is to move: the move number is the pieces plus one. The script must be used up:
    // the draws a rule throws away are part of the row.
    void computerMove_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("reseeds");
        const char *u = "Unbeatable", *x = "X..|...|...", *xo = "XX.|OO.|X..";
        for (const auto& [name, level, picture, fractions, expected, reseeds] : {
                 std::tuple<const char*, const char*, const char*, QList<double>, int, int>{
                     "centre before its own win", u, "OO.|X..|X.X", {}, 5, 0},
                 {"win before block", u, xo, {}, 6, 0},
                 {"first threat in line order", u, "X.X|.OX|O..", {}, 2, 0},
                 {"a win in the last line", u, "XXO|.OX|...", {}, 7, 0},
                 {"corners 1 and 9 answered with a free side, other draws thrown away", u, "X..|.O.|..X",
                  {cell(1), cell(3), cell(5), cell(7), cell(9), cell(6)}, 6, 1},
                 {"corners 3 and 7 answered with a side", u, "..X|.O.|X..", {cell(8)}, 8, 1},
                 {"centre answered with corner 3", u, "...|.X.|...", {corner(3)}, 3, 1},
                 {"corner 7", u, "...|.X.|...", {corner(7)}, 7, 1},
                 {"corner 1", u, "...|.X.|...", {corner(1)}, 1, 1},
                 {"corner redrawn at move 4", u, "X..|.OX|...", {corner(1), corner(9)}, 9, 1},
                 {"random after move 4", u, "XO.|.OX|.X.", {cell(5), cell(1), cell(4)}, 4, 1},
                 {"easy ignores win and threat", "Easy", xo, {cell(5), cell(9)}, 9, 1},
                 {"moderate may skip centre", "Moderate", x, {0.16, cell(1), cell(3)}, 3, 1},
                 {"moderate otherwise by the rules", "Moderate", x, {0.17}, 5, 1},
                 {"hard random at move 6", "Hard", xo, {0.05, cell(8)}, 8, 1},
                 {"hard never random at move 4", "Hard", "X..|.OX|...", {0.0, corner(3)}, 3, 2},
                 {"hard otherwise by the rules", "Hard", xo, {0.06}, 6, 1},
                 {"no level", "", x, {}, 0, 0},
                 {"easy", "easy", x, {}, 0, 0},
                 {"Hard with a blank", "Hard ", x, {}, 0, 0}})
            QTest::newRow(name) << QString(level) << QString(picture) << fractions << expected << reseeds;
    }
    void computerMove()
    {
        QFETCH(QString, level);
        QFETCH(QString, picture);
        QFETCH(QList<double>, fractions);
        QFETCH(int, expected);
        QFETCH(int, reseeds);
        dz::test::ScriptedRandom random;
        random.fractions = fractions;
        const Board b = Board::fromPicture(picture.toStdString());
        QCOMPARE(dz::ComputerMove(level, b, b.pieces() + 1, random), expected);
        QCOMPARE(random.reseeds, reseeds);
        QVERIFY(random.fractions.isEmpty());
    }

    // The redraw loops have no bound: every position play can reach with O to move must
    // give every level an empty cell.
    void everyReachablePositionGetsAnEmptyCell()
    {
        dz::ClockRandom random([n = std::uint64_t{1}]() mutable { return n++; });
        QSet<QString> seen;
        QList<Board> open{Board()};
        while (!open.isEmpty()) {
            const Board b = open.takeLast();
            const int move = b.pieces() + 1;
            if (seen.contains(b.picture()) || dz::FindOutcome(b, move) != Outcome::Running)
                continue;
            seen.insert(b.picture());
            for (int c = 1; c <= 9; ++c) {
                Board next = b;
                next.place(c, dz::SideToMove(move));
                if (b.CellOf(c) == dz::Piece::Blank)
                    open << next;
            }
            for (const char* level : {"Easy", "Moderate", "Hard", "Unbeatable"}) {
                const int c = move % 2 ? 1 : dz::ComputerMove(level, b, move, random);
                QVERIFY2(move % 2 || (Board::isCell(c) && b.CellOf(c) == dz::Piece::Blank),
                         qPrintable(level + (' ' + b.picture())));
            }
        }
        QCOMPARE(seen.size(), 4520); // running positions, X or O to move
    }

    // A clock that stands still must not replay the fractions after a reseed: first draws
    // after back-to-back reseeds fill a 4 x 4 grid evenly (chi-square, df 15; 0.1% at 37.7).
    void reseedsOnAStoppedClockDiffer()
    {
        dz::ClockRandom stopped([] { return std::uint64_t{42}; });
        std::array<int, 16> pairs{};
        for (int i = 0; i < 16000; ++i) {
            stopped.Randomize();
            const auto first = static_cast<size_t>(stopped.Rnd() * 4);
            stopped.Randomize();
            ++pairs.at(first * 4 + static_cast<size_t>(stopped.Rnd() * 4));
        }
        double chi = 0;
        for (int c : pairs)
            chi += (c - 1000.0) * (c - 1000.0) / 1000.0;
        QCOMPARE_LT(chi, 65);
    }
};

DZ_TEST(TestEngine)
#include "test_engine.moc"
