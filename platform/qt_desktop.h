// The desktop services of the running session. A system without a registry knows one
// value: "PATH" under HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, the
// first system-information program found on the search path.
#pragma once

#include "platform/desktop.h"

namespace dz
{

class QtDesktop : public Desktop
{
public:
    void openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;
    bool isOrdinaryFile(const QString& path) override;
    std::optional<RegistryValue> registryValue(quint32 root, const QString& key,
                                               const QString& name) override;
};

} // namespace dz
