#include "engine/board.h"

namespace dz
{

Board Board::fromPicture(std::string_view picture)
{
    Board board;
    int cell = 1;
    for (char c : picture) {
        if (c != '|')
            board.place(cell++, c == 'X' ? Piece::X : c == 'O' ? Piece::O : Piece::Blank);
    }
    return board;
}

QString Board::picture() const
{
    QString text;
    for (int cell = 1; cell <= 9; ++cell) {
        const Piece p = CellOf(cell);
        text += p == Piece::X ? u'X' : p == Piece::O ? u'O' : u'.';
        if (cell % 3 == 0 && cell < 9)
            text += u'|';
    }
    return text;
}

int Board::pieces() const
{
    int n = 0;
    for (Piece p : cells_)
        n += p != Piece::Blank;
    return n;
}

Outcome FindOutcome(const Board& board, int moveNumber)
{
    for (Piece p : {Piece::X, Piece::O}) {
        for (const Line& line : WinLines) {
            int count = 0;
            for (int cell : line)
                count += board.CellOf(cell) == p;
            if (count == 3)
                return Outcome::Line;
        }
    }
    return moveNumber == 10 ? Outcome::Tie : Outcome::Running;
}

} // namespace dz
