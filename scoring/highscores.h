// The five best scores and their file: ten text lines, a name then a score per place,
// best first, in the files folder. The file outlives the program, so every read here
// survives whatever is on the disk and every write either replaces the list whole or
// leaves the old one untouched.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "platform/dialogs.h"

namespace dz
{

struct HighScoreEntry {
    QString name; // may be empty
    double score = 0;
    bool operator==(const HighScoreEntry&) const = default;
};

// Place 1 first, in descending order of score.
using HighScoreList = std::array<HighScoreEntry, 5>;

// Five empty names with score 0: the list when there is no file.
HighScoreList DefaultHighScores();

// The file in `filesFolder`: an existing "HighScore.dat" in any letter case, otherwise
// the path where "HighScore.dat" is to be created.
QString HighScoreFilePath(const QString& filesFolder);

// The stored list; the default list when there is no readable file. Entries the file
// lacks come from the default list, scores that are not numbers read as 0.
HighScoreList ReadHighScores(const QString& filesFolder);

// Replaces the file with `list` (creating the folder if needed). On failure the old
// file stays as it was and false is returned.
bool WriteHighScores(const QString& filesFolder, const HighScoreList& list);

// The best-score text shown at start-up: the first score field as stored, an empty
// text for an empty score line, "0" for a field that is not a number. nullopt when
// there is no readable file or it holds no score line.
std::optional<QString> ReadStartupBestScore(const QString& filesFolder);

// Index (0 = place 1) of the first entry whose score is at most `score`: a score equal
// to a stored one goes above it. nullopt when `score` is below all five.
std::optional<int> PlaceFor(const HighScoreList& list, double score);

// `entry` put at `place` (0-based); the entries below move down one and the last drops out.
HighScoreList InsertHighScore(const HighScoreList& list, int place, const HighScoreEntry& entry);

// The end of a run: places `currentScore` if it qualifies, asking the player's name,
// and rewrites the file (on every call). Returns the new list for the list window.
HighScoreList UpdateHighScoreList(const QString& filesFolder, double currentScore,
                                  Dialogs& dialogs);

} // namespace dz
