// The real message box and input box, application-modal over whatever window is active.
#pragma once

#include "platform/dialogs.h"

namespace dz
{

class QtDialogs : public Dialogs
{
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
};

} // namespace dz
