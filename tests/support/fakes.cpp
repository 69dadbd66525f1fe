#include "support/fakes.h"

#include <QtGlobal>

namespace dz::test
{

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title)
{
    const ShownMessage m{QStringLiteral("msgbox"), prompt, title.isEmpty() ? AppTitle : title,
                         style};
    shown.append(m);
    if (onShow)
        onShow(m);
    if (!answers.isEmpty())
        return answers.takeFirst();
    return style == vbYesNo ? vbYes : vbOK;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString&)
{
    const ShownMessage m{QStringLiteral("inputbox"), prompt, title, 0};
    shown.append(m);
    if (onShow)
        onShow(m);
    return inputs.isEmpty() ? QString() : inputs.takeFirst();
}

double ScriptedRandom::Rnd()
{
    ++draws;
    // A dry script would spin the opponent's retry loops forever: stop loudly instead.
    if (fractions.isEmpty())
        qFatal("random script ran dry after %d draws", draws);
    return fractions.takeFirst();
}

} // namespace dz::test
