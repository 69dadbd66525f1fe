// Fakes for the platform services: dialogs and sounds recorded instead of shown and played,
// random fractions from a list.
#pragma once

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
    QString title; // as passed: empty for the application's title
    int style = 0;
    QWidget* owner = nullptr;
    bool operator==(const ShownMessage&) const = default;
};

// Records what was asked; a message box answers OK (Yes to a question), an input box an empty
// text.
struct RecordingDialogs : Dialogs {
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override
    {
        show({"msgbox", prompt, title, style, owner});
        return style == vbYesNo ? vbYes : vbOK;
    }
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString&) override
    {
        show({"inputbox", prompt, title, 0, owner});
        return {};
    }
    void show(const ShownMessage& message)
    {
        shown << message;
        if (onShow)
            onShow(message);
    }
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

} // namespace dz::test
