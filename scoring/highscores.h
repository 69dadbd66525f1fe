// The five best scores and their file: ten text lines, a name then a score per place, best
// first, in the files folder. The file outlives the program, so every read here survives
// whatever is on the disk, a write replaces the list whole or leaves the old one, and a name
// is kept byte for byte as it was stored.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace dz
{

struct HighScoreEntry {
    QByteArray name; // the bytes of the name line as stored; may be empty
    double score = 0;
    bool operator==(const HighScoreEntry&) const = default;
};

// Place 1 first, in descending order of score. The default list, used when there is no
// file, has five empty names with score 0.
using HighScoreList = std::array<HighScoreEntry, 5>;

// A stored name as the player reads it: UTF-8, or Windows-1252 (the code page old files come
// from) when the bytes are not UTF-8.
QString NameText(const QByteArray& name);
// A typed name as it is stored: UTF-8 on one line, so the entries below stay in place.
QByteArray NameBytes(const QString& typed);

// The stored list: "HighScore.dat" in any letter case. Entries the file lacks are default
// ones, scores that are not numbers read as 0.
HighScoreList ReadHighScores(const QString& filesFolder);

// The best-score text shown at start-up: the first score field as stored, an empty text for
// an empty score line, "0" for a field that is not a number. Nothing without a score line.
std::optional<QString> ReadStartupBestScore(const QString& filesFolder);

// Index (0 = place 1) of the first entry whose score is at most `score`: a score equal to a
// stored one goes above it. Nothing when `score` is below all five.
std::optional<int> PlaceFor(const HighScoreList& list, double score);

inline const QString NamePrompt = QStringLiteral("You made the highscore list!  What's your name?");
// The name box's title for a place (0-based).
QString NamePromptTitle(int place);

struct SavedHighScores {
    HighScoreList list; // what the file holds now: the list written, or the one that stayed
    QString failure;    // why the file could not be written, if it could not
};

// The end of a run, once the name is known: under the file's lock, places `entry` into the
// list stored now (if it still qualifies there) and rewrites the file, even when nothing
// changed. A file that cannot be read whole is not rewritten.
SavedHighScores SaveHighScore(const QString& filesFolder,
                              const std::optional<HighScoreEntry>& entry);

} // namespace dz
