// Fakes for the platform services: dialogs answered from a script, random fractions from a
// list, sounds recorded instead of played, a desktop that records its calls.
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
    QString title; // as passed: empty for the application's title
    int style = 0;
    QWidget* owner = nullptr;
    bool operator==(const ShownMessage&) const = default;
};

// Answers from queues and records what was asked; unscripted, a message box answers OK (Yes
// to a question) and an input box an empty text.
struct ScriptedDialogs : Dialogs {
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override
    {
        show({QStringLiteral("msgbox"), prompt, title, style, owner});
        return !answers.isEmpty() ? answers.takeFirst() : style == vbYesNo ? vbYes : vbOK;
    }
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString&) override
    {
        show({QStringLiteral("inputbox"), prompt, title, 0, owner});
        return inputs.isEmpty() ? QString() : inputs.takeFirst();
    }
    void show(const ShownMessage& message)
    {
        shown << message;
        if (onShow)
            onShow(message);
    }
    QList<int> answers;
    QStringList inputs;
    QList<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow; // while the box is up
};

struct ScriptedRandom : RandomSource {
    void Randomize() override { ++reseeds; }
    double Rnd() override
    {
        if (fractions.isEmpty()) // the redraw loops would spin for ever
            qFatal("random script ran dry");
        return fractions.takeFirst();
    }
    QList<double> fractions;
    int reseeds = 0;
};

struct RecordingSound : SoundPlayer {
    void play(const QString& fileName) override { played << fileName; }
    QStringList played;
};

// Records "open URL", "start PROGRAM" and "test PATH"; only the paths in `present` exist and
// start; the registry holds `values`, by "key|value name".
struct FakeDesktop : Desktop {
    void openUrl(const QUrl& url) override { calls << "open " + url.toString(); }
    bool startDetached(const QString& program) override { return answer("start " + program); }
    bool isOrdinaryFile(const QString& path) override { return answer("test " + path); }
    std::optional<RegistryValue> registryValue(quint32 root, const QString& key,
                                               const QString& name) override
    {
        if (root != HKEY_LOCAL_MACHINE || !values.contains(key + u'|' + name))
            return std::nullopt;
        return values[key + u'|' + name];
    }
    bool answer(const QString& call)
    {
        calls << call;
        return present.contains(call.section(u' ', 1));
    }
    QStringList calls;
    QStringList present;
    QMap<QString, RegistryValue> values;
};

} // namespace dz::test
