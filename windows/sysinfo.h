// Starting the system-information tool from the about box, found through the registry:
// a full path first, then a folder holding MSINFO32.EXE.
#pragma once

#include <QString>

#include "platform/desktop.h"

namespace dz
{

inline const QString SysInfoUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// Reads value SubKeyRef of key KeyName under KeyRoot into KeyVal as text: REG_SZ without
// its final NUL; other types leave KeyVal as passed.
// False (KeyVal empty) when the key or value is missing, longer than 1024 bytes or empty.
bool GetKeyValue(Desktop& desktop, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Starts the tool; false when it is unavailable, which the caller tells the user.
bool StartSysInfo(Desktop& desktop);

} // namespace dz
