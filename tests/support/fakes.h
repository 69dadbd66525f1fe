// Fakes for the platform services: dialogs answered from a script, random fractions
// from a list, sounds recorded instead of played, a desktop that records its calls.
#pragma once

#include <QList>
#include <QMap>
#include <QStringList>
#include <functional>

#include "engine/random_source.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

namespace dz::test
{

struct ShownMessage {
    QString kind; // "msgbox" or "inputbox"
    QString prompt;
    QString title;
    int style = 0;
    QWidget* owner = nullptr;
    bool operator==(const ShownMessage&) const = default;
};

// Answers message boxes and input boxes from queues and records what was shown.
// An unscripted message box answers vbOK, or vbYes for a question; an unscripted input
// box an empty text.
class ScriptedDialogs : public Dialogs
{
public:
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override;
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString& defaultText) override;

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
};

class RecordingSound : public SoundPlayer
{
public:
    void play(const QString& fileName) override { played.append(fileName); }
    QStringList played;
};

// Records "open URL", "start PROGRAM" and "test PATH"; only paths in `present` exist and
// start; the registry holds `values`, by "key|value name".
struct FakeDesktop : Desktop {
    void openUrl(const QUrl& url) override { calls << "open " + url.toString(); }
    bool startDetached(const QString& program) override { return answer("start ", program); }
    bool isOrdinaryFile(const QString& path) override { return answer("test ", path); }
    std::optional<RegistryValue> registryValue(quint32 root, const QString& key,
                                               const QString& name) override;
    bool answer(const QString& call, const QString& path);

    QStringList calls, present;
    QMap<QString, RegistryValue> values;
};

} // namespace dz::test
