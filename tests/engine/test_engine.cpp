// The board's lines, number text and the computer's choices, with expected values from the
// game's rules; every draw is scripted.
#include "engine/numbers.h"
#include "engine/opponent.h"
#include "support/fakes.h"
#include "support/rows.h"

using dz::Board;
using dz::Outcome;
using dz::test::Draws;
using dz::test::Row;

using OutcomeRow = std::tuple<const char*, const char*, int, Outcome>;
using NumberRow = std::tuple<const char*, QString, double, bool>;
using MoveRow = std::tuple<const char*, const char*, const char*, QList<double>, int, int>;

class TestEngine : public QObject
{
    Q_OBJECT
private slots:
    void outcome_data()
    {
        const OutcomeRow rows[] = {
            {"an empty board runs", "...|...|...", 1, Outcome::Running},
            {"X's top row", "XXX|OO.|...", 6, Outcome::Line},
            {"O's bottom row", "XX.|X..|OOO", 7, Outcome::Line},
            {"O's diagonal from the top right", "XXO|XO.|O..", 7, Outcome::Line},
            {"two of a line are no line", "XXO|OO.|X..", 6, Outcome::Running},
            {"a ninth move's line is a win", "XOX|OXO|OXX", 10, Outcome::Line},
            {"a tie counts moves, not cells", "XOX|XOO|OX.", 10, Outcome::Tie},
        };
        dz::test::AddRows(rows);
    }
    void outcome()
    {
        const auto& [name, board, moveNumber, found] = Row<OutcomeRow>();
        QCOMPARE(dz::FindOutcome(Board::fromPicture(board), moveNumber), found);
    }

    // Label and file text reads "0.5" on a German desktop too, and never has an exponent, which
    // the reader would stop at.
    void numberText()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const std::pair<double, const char*> rows[] = {{0, "0"},       {-0.0, "0"},
                                                       {-0.5, "-0.5"}, {102.5, "102.5"},
                                                       {qInf(), "0"},  {1e-7, "0.0000001"}};
        for (const auto& [value, text] : rows)
            QCOMPARE(dz::NumberText(value), text);
        QLocale::setDefault(QLocale::c());
    }

    // Decimal parsing: what follows the number is ignored, no number reads 0; whether the text
    // is the number, blanks aside.
    void textNumber_data()
    {
        const NumberRow rows[] = {
            {"blanks and zeros before", " \t007.59 ", 7.59, true},
            {"no digit before the point", "-.5", -0.5, true},
            {"letters after", "12abc", 12, false},
            {"no exponent", "1e5", 1, false},
            {"a lone point", ".", 0, false},
            {"past the largest double", QString(400, u'9'), 0, true},
        };
        dz::test::AddRows(rows);
    }
    void textNumber()
    {
        const auto& [name, text, value, wholeText] = Row<NumberRow>();
        QCOMPARE(dz::TextNumber(text), value);
        QCOMPARE(dz::IsNumberText(text), wholeText);
    }

    // O is to move: the move number is the pieces plus one. The draws are the fractions the
    // rules draw, used up in order, the thrown-away ones included: a cell is r * 8 + 1 and a
    // corner 1, 3, 7, 9 for r * 3 + 1 = 1..4, each rounded half to even (2.5 gives 2).
    void computerMove_data()
    {
        const char* U = "Unbeatable";
        const MoveRow rows[] = {
            {"the centre before its own win", U, "OO.|X..|X.X", Draws(), 5, 0},
            {"a win before a block", U, "XX.|OO.|X..", Draws(), 6, 0},
            {"the first threat in line order", U, "X.X|.OX|O..", Draws(), 2, 0},
            {"a win in the last line", U, "XXO|.OX|...", Draws(), 7, 0},
            {"opposite corners 1 and 9: a side; corners and centre drawn again", U, "X..|.O.|..X",
             Draws(0, 0.25, 0.5, 0.75, 0.99, 0.625), 6, 1},
            {"opposite corners 3 and 7: side 4", U, "..X|.O.|X..", Draws(0.375), 4, 1},
            {"opposite corners: side 8", U, "..X|.O.|X..", Draws(0.875), 8, 1},
            {"the centre answered with corner 1", U, "...|.X.|...", Draws(0.1), 1, 1},
            {"corner 3 for a half, rounded to even", U, "...|.X.|...", Draws(0.5), 3, 1},
            {"corner 7", U, "...|.X.|...", Draws(0.7), 7, 1},
            {"a taken corner drawn again at move 4", U, "X..|.OX|...", Draws(0, 0.99), 9, 1},
            {"at random after move 4", U, "XO.|.OX|.X.", Draws(0.5, 0, 0.375), 4, 1},
            {"easy ignores a win and a threat", "Easy", "XX.|OO.|X..", Draws(0.5, 0.99), 9, 1},
            {"moderate may leave the centre", "Moderate", "X..|...|...", Draws(0.16, 0, 0.25), 3,
             1},
            {"moderate otherwise by the rules", "Moderate", "X..|...|...", Draws(0.17), 5, 1},
            {"hard at random at move 6", "Hard", "XX.|OO.|X..", Draws(0.05, 0.875), 8, 1},
            {"hard never at random at move 4", "Hard", "X..|.OX|...", Draws(0, 0.4), 3, 2},
            {"hard otherwise by the rules", "Hard", "XX.|OO.|X..", Draws(0.06), 6, 1},
            {"a full board has no cell", "Easy", "XOX|XOO|OXX", Draws(), 0, 1},
            {"no level: no move", "", "X..|...|...", Draws(), 0, 0},
            {"a level in other letters: no move", "easy", "X..|...|...", Draws(), 0, 0},
        };
        dz::test::AddRows(rows);
    }
    void computerMove()
    {
        const auto& [name, level, picture, draws, cell, reseeds] = Row<MoveRow>();
        dz::test::ScriptedRandom random;
        random.fractions = draws;
        const Board board = Board::fromPicture(picture);
        QCOMPARE(dz::ComputerMove(level, board, board.pieces() + 1, random), cell);
        QCOMPARE(random.reseeds, reseeds);
        QVERIFY2(random.fractions.isEmpty(), "every scripted draw is used");
    }
};

QTEST_MAIN(TestEngine)
#include "test_engine.moc"
