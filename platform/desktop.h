// What the about box asks of the system: open a link with the user's default handler,
// start a program, tell whether a path names an ordinary file, and read a value of the
// system registry. The program uses QtDesktop (platform/qt_desktop.h); tests record
// the calls and answer from a table.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>

namespace dz
{

inline constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr quint32 REG_SZ = 1; // text, usually with its terminating NUL

struct RegistryValue {
    quint32 type = REG_SZ;
    QByteArray data;
};

class Desktop
{
public:
    virtual ~Desktop() = default;
    // Failures are not reported.
    virtual void openUrl(const QUrl& url) = 0;
    // Starts the program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString& program) = 0;
    // True for an existing file that is neither hidden nor a folder.
    virtual bool isOrdinaryFile(const QString& path) = 0;
    // The value `name` of `key` under `root`; nullopt when the key or the value is missing.
    virtual std::optional<RegistryValue> registryValue(quint32 root, const QString& key,
                                                       const QString& name) = 0;
};

} // namespace dz
