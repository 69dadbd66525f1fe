#include "support/fakes.h"

namespace dz::test
{

int ScriptedDialogs::MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title)
{
    const ShownMessage m{QStringLiteral("msgbox"), prompt, title.isEmpty() ? AppTitle : title,
                         style, owner};
    shown.append(m);
    if (onShow)
        onShow(m);
    if (!answers.isEmpty())
        return answers.takeFirst();
    return style == vbYesNo ? vbYes : vbOK;
}

QString ScriptedDialogs::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                  const QString&)
{
    const ShownMessage m{QStringLiteral("inputbox"), prompt, title, 0, owner};
    shown.append(m);
    if (onShow)
        onShow(m);
    return inputs.isEmpty() ? QString() : inputs.takeFirst();
}

double ScriptedRandom::Rnd()
{
    // A dry script would spin the opponent's retry loops forever: stop loudly instead.
    if (fractions.isEmpty())
        qFatal("random script ran dry");
    return fractions.takeFirst();
}

std::optional<RegistryValue> FakeDesktop::registryValue(quint32 root, const QString& key,
                                                        const QString& name)
{
    const auto it = values.constFind(key + u'|' + name);
    if (root != HKEY_LOCAL_MACHINE || it == values.cend())
        return std::nullopt;
    return *it;
}

bool FakeDesktop::answer(const QString& call, const QString& path)
{
    calls << call + path;
    return present.contains(path);
}

} // namespace dz::test
