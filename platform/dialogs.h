// The two modal questions the game asks, with the message box's and the input box's
// own arguments, each owned by the window that asks. The program uses QtDialogs;
// tests script the answers.
#pragma once

#include <QString>

class QWidget;

namespace dz
{

enum MsgBoxStyle { vbOKOnly = 0, vbYesNo = 4, vbExclamation = 48, vbInformation = 64 };
enum MsgBoxAnswer { vbOK = 1, vbYes = 6, vbNo = 7 };

// Title shown by a message box given none.
inline const QString AppTitle = QStringLiteral("DirIziVur");

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Modal, above `owner`. Returns vbOK, vbYes or vbNo.
    virtual int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) = 0;
    // Returns the typed text, or an empty text on Cancel.
    virtual QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
};

} // namespace dz
