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
    QString prompt, title;
    int style = 0;
    QWidget* owner = nullptr;
    bool operator==(const ShownMessage&) const = default;
};

// Answers from queues and records what was shown; unscripted, a message box answers OK
// (Yes to a question) and an input box an empty text.
struct ScriptedDialogs : Dialogs {
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override
    {
        show({"msgbox", prompt, title.isEmpty() ? AppTitle : title, style, owner});
        return !answers.isEmpty() ? answers.takeFirst() : style == vbYesNo ? vbYes : vbOK;
    }
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title, const QString&) override
    {
        show({"inputbox", prompt, title, 0, owner});
        return inputs.isEmpty() ? QString() : inputs.takeFirst();
    }
    void show(const ShownMessage& m) { shown << m, onShow ? onShow(m) : void(); }
    QList<int> answers;
    QStringList inputs;
    QList<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow; // while the box is up
};

struct ScriptedRandom : RandomSource {
    void Randomize() override { ++reseeds; }
    // A dry script would spin the redraw loops for ever.
    double Rnd() override
    {
        return fractions.isEmpty() ? (qFatal("random script ran dry"), 0.0) : fractions.takeFirst();
    }
    QList<double> fractions;
    int reseeds = 0;
};

struct RecordingSound : SoundPlayer {
    void play(const QString& fileName) override { played << fileName; }
    QStringList played;
};

// Records "open URL", "start PROGRAM" and "test PATH"; only paths in `present` exist and
// start; the registry holds `values`, by "key|value name".
struct FakeDesktop : Desktop {
    void openUrl(const QUrl& url) override { calls << "open " + url.toString(); }
    bool startDetached(const QString& program) override { return answer("start ", program); }
    bool isOrdinaryFile(const QString& path) override { return answer("test ", path); }
    std::optional<RegistryValue> registryValue(quint32 root, const QString& key, const QString& name) override
    {
        const auto it = values.constFind(key + u'|' + name);
        return root == HKEY_LOCAL_MACHINE && it != values.cend() ? std::optional(*it) : std::nullopt;
    }
    bool answer(const QString& call, const QString& path) { return (calls << call + path, present.contains(path)); }
    QStringList calls, present;
    QMap<QString, RegistryValue> values;
};

} // namespace dz::test
