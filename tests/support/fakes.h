// Fakes for the platform services: sounds recorded instead of played, random draws scripted.
#pragma once

#include <QStringList>

#include "engine/random_source.h"
#include "platform/sound.h"

namespace dz::test
{

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
