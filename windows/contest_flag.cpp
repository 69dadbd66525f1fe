#include "windows/contest_flag.h"

#include <QFile>

#include "windows/profile.h"

namespace dz
{

namespace
{

const QString Section = QStringLiteral("Contest");
const QString Key = QStringLiteral("Show");

QByteArray FileName()
{
    return SettingsFileName.toLatin1();
}

} // namespace

// A file the user renamed to other letter case still counts.
QString SettingsFilePath(const Folder& filesFolder)
{
    const OpenFolder folder = OpenFolder::open(filesFolder, false);
    const QByteArray found = folder.isOpen() ? FindFileCaseBlind(folder, FileName()) : QByteArray();
    return filesFolder.filePath(found.isEmpty() ? SettingsFileName : QFile::decodeName(found));
}

bool ReadDoNotShow(const Folder& filesFolder)
{
    // Six characters of room hold five of the value; the first four decide.
    const QString stored =
        ProfileString(Section, Key, QStringLiteral("False"), 6,
                      ReadStoredFile(filesFolder, FileName()).bytes.value_or(QByteArray()));
    return stored.left(4) == QStringLiteral("True");
}

WriteResult WriteDoNotShow(const Folder& filesFolder, bool ticked)
{
    const LockedFile file(filesFolder, FileName());
    if (!file.failure().ok())
        return file.failure();
    // Whatever cannot be read whole is left alone rather than replaced by a stub.
    const FileBytes old = ReadWholeFile(file.folder(), file.name());
    if (!old.failure.ok())
        return {QStringLiteral("the file cannot be read: ") + old.failure.failure};
    const QByteArray bytes = old.bytes.value_or(QByteArray());
    const QByteArray updated = WithProfileString(
        Section, Key, ticked ? QStringLiteral("True") : QStringLiteral("False"), bytes);
    if (updated == bytes)
        return {};
    return file.write(updated);
}

} // namespace dz
