// The computer's move as O at the four levels. Each move function reseeds and draws
// through `random` exactly as the level's rules say, and returns the chosen cell; the
// main window then plays it like a click.
#pragma once

#include <QString>
#include <array>

#include "engine/board.h"
#include "engine/random_source.h"

namespace dz
{

// The four levels, easiest first, as the options dialog offers them and every rule compares
// them: exactly, letter case included.
inline const std::array<QString, 4> Levels{QStringLiteral("Easy"), QStringLiteral("Moderate"),
                                           QStringLiteral("Hard"), QStringLiteral("Unbeatable")};

// Precondition for all moves: O to move in a running game (moveNumber even). On such
// boards the returned cell is always empty; 0 only for a full board.
int EasyMove(const Board& board, RandomSource& random);
int ModerateMove(const Board& board, int moveNumber, RandomSource& random);
int HardMove(const Board& board, int moveNumber, RandomSource& random);
int UnbeatableMove(const Board& board, int moveNumber, RandomSource& random);

// The move for the level named exactly (case included); 0 for any other text: no move.
int ComputerMove(const QString& level, const Board& board, int moveNumber, RandomSource& random);

} // namespace dz
