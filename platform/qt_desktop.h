// The desktop services of the running session.
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
};

} // namespace dz
