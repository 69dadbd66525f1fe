// Fakes for the platform services: dialogs answered from a script, random fractions
// from a list, sounds recorded instead of played.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "engine/random_source.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

namespace dz::test
{

struct ShownMessage {
    QString kind; // "msgbox" or "inputbox"
    QString prompt;
    QString title;
    int style = 0;
    bool operator==(const ShownMessage&) const = default;
};

// Answers message boxes and input boxes from queues and records what was shown.
// An unscripted message box answers vbOK for style 0/64 and vbYes for style 4;
// an unscripted input box answers an empty text.
class ScriptedDialogs : public Dialogs
{
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;

    void answerNext(int answer) { answers.append(answer); }
    void typeNext(const QString& text) { inputs.append(text); }

    QList<int> answers;
    QStringList inputs;
    QList<ShownMessage> shown;
    // Called as each box is shown, before it answers: lets a test look at the windows.
    std::function<void(const ShownMessage&)> onShow;
};

class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(QList<double> fractions = {}) : fractions(std::move(fractions)) {}
    void Randomize() override { ++reseeds; }
    double Rnd() override; // aborts when the script runs dry

    QList<double> fractions;
    int reseeds = 0;
    int draws = 0;
};

class RecordingSound : public SoundPlayer
{
public:
    void play(const QString& fileName) override { played.append(fileName); }
    QStringList played;
};

} // namespace dz::test
