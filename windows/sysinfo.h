// Starting the system-information tool from the about box, found through the registry:
// a full path first, then a folder holding MSINFO32.EXE.
#pragma once

#include <QString>
#include <QtGlobal>

namespace dz
{

class Dialogs;
class Desktop;
class Registry;

inline const QString SysInfoUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// Reads value SubKeyRef of key KeyName under KeyRoot into KeyVal as text: REG_SZ without
// its final NUL, REG_DWORD as unsigned decimal; other types leave KeyVal as passed.
// False (KeyVal empty) when the key or value is missing, longer than 1024 bytes or empty.
bool GetKeyValue(Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Starts the tool, or tells the user it is unavailable.
void StartSysInfo(Registry& registry, Desktop& desktop, Dialogs& dialogs);

} // namespace dz
