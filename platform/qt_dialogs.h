// The real message box and input box: application-modal, transient for their owner, and
// showing every text as plain text.
#pragma once

#include "platform/dialogs.h"

namespace dz
{

class QtDialogs : public Dialogs
{
public:
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override;
    QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
};

} // namespace dz
