// The five best scores and their file: ten text lines, a name then a score per place,
// best first, in the files folder. The file outlives the program, so every read here
// survives whatever is on the disk, every write either replaces the list whole or
// leaves the old one untouched, and a name is kept byte for byte as it was stored.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace dz
{

struct HighScoreEntry {
    QByteArray name; // the bytes of the name line as stored; may be empty
    double score = 0;
    bool operator==(const HighScoreEntry&) const = default;
};

// Place 1 first, in descending order of score.
using HighScoreList = std::array<HighScoreEntry, 5>;

// A stored name as the player reads it: UTF-8, or Windows-1252 (the code page old
// files come from) when the bytes are not UTF-8.
QString NameText(const QByteArray& name);
// A typed name as it is stored: UTF-8 on one line, so the entries below stay in place.
QByteArray NameBytes(const QString& typed);

// Five empty names with score 0: the list when there is no file.
HighScoreList DefaultHighScores();

// The stored list; the default list when there is no readable file. Entries the file
// lacks come from the default list, scores that are not numbers read as 0. The file is
// "HighScore.dat" in any letter case.
HighScoreList ReadHighScores(const Folder& filesFolder);

// The best-score text shown at start-up: the first score field as stored, an empty
// text for an empty score line, "0" for a field that is not a number. nullopt when
// there is no readable file or it holds no score line.
std::optional<QString> ReadStartupBestScore(const Folder& filesFolder);

// Index (0 = place 1) of the first entry whose score is at most `score`: a score equal
// to a stored one goes above it. nullopt when `score` is below all five.
std::optional<int> PlaceFor(const HighScoreList& list, double score);

// `entry` put at `place` (0-based); the entries below move down one and the last drops out.
HighScoreList InsertHighScore(const HighScoreList& list, int place, const HighScoreEntry& entry);

inline const QString NamePrompt = QStringLiteral("You made the highscore list!  What's your name?");
// The name box's title for a place (0-based).
QString NamePromptTitle(int place);

// Replaces the file with `list`, creating the folder if needed, under the file's lock.
WriteResult WriteHighScores(const Folder& filesFolder, const HighScoreList& list);

struct SavedHighScores {
    HighScoreList list;  // what the file holds now: the list written, or the one that stayed
    WriteResult written; // why the file could not be written, if it could not
};

// The end of a run, once the name is known: under the file's lock, places `entry` into
// the list stored now (if it still qualifies there) and rewrites the file, even when
// nothing changed. A file that cannot be read whole is not rewritten.
SavedHighScores SaveHighScore(const Folder& filesFolder,
                              const std::optional<HighScoreEntry>& entry);

} // namespace dz
