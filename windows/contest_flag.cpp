#include "windows/contest_flag.h"

#include "platform/files.h"
#include "platform/folders.h"
#include "windows/profile.h"

namespace dz
{

namespace
{

const QString Section = QStringLiteral("Contest");
const QString Key = QStringLiteral("Show");

} // namespace

bool ReadDoNotShow(const QString& filesFolder)
{
    const FileRead read = ReadFile(FindFile(filesFolder, SettingsFileName));
    // Six characters of room hold five of the value; the first four decide.
    return ProfileString(Section, Key, QStringLiteral("False"), 6,
                         read.bytes.value_or(QByteArray()))
               .left(4) == QLatin1String("True");
}

QString WriteDoNotShow(const QString& filesFolder, bool ticked)
{
    const LockedFile file(filesFolder, SettingsFileName);
    if (!file.failure().isEmpty())
        return file.failure();
    // Whatever cannot be read whole is left alone rather than replaced by a stub.
    const FileRead old = ReadFile(file.path());
    if (!old.failure.isEmpty())
        return QStringLiteral("the file cannot be read: ") + old.failure;
    const QByteArray bytes = old.bytes.value_or(QByteArray());
    const QByteArray updated = WithProfileString(
        Section, Key, ticked ? QStringLiteral("True") : QStringLiteral("False"), bytes);
    return updated == bytes ? QString() : file.write(updated);
}

} // namespace dz
