// The slice of the system registry the about box reads to find the system-information
// tool: open a key, query one value into a caller's buffer, close the key. Status 0 is
// success. Tests script the answers; the program uses SystemRegistry.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace dz
{

inline constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr quint32 REG_SZ = 1;    // text, usually with its terminating NUL
inline constexpr quint32 REG_DWORD = 4; // 32-bit number, least significant byte first

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;

class Registry
{
public:
    using Handle = quintptr;

    virtual ~Registry() = default;
    // On success stores a handle that must be closed with CloseKey.
    virtual long OpenKey(quint32 root, const QString& subKey, quint32 options, quint32 accessMask,
                         Handle& key) = 0;
    // size holds the buffer's capacity in bytes on entry and the bytes stored on success.
    // Data longer than the buffer gives ERROR_MORE_DATA, and size then holds its length.
    virtual long QueryValue(Handle key, const QString& valueName, quint32& type, char* data,
                            quint32& size) = 0;
    virtual long CloseKey(Handle key) = 0;
};

// A read-only stand-in on a system without a registry. It knows one value: "PATH" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, the full path of the first
// system-information program found (REG_SZ with its NUL). Every other key is missing.
class SystemRegistry : public Registry
{
public:
    // Programs looked for, best first.
    static const QStringList SysInfoPrograms;

    // searchPaths empty: the folders of $PATH.
    explicit SystemRegistry(QStringList searchPaths = {}) : searchPaths_(std::move(searchPaths)) {}

    long OpenKey(quint32 root, const QString& subKey, quint32 options, quint32 accessMask,
                 Handle& key) override;
    long QueryValue(Handle key, const QString& valueName, quint32& type, char* data,
                    quint32& size) override;
    long CloseKey(Handle key) override;

private:
    QStringList searchPaths_;
};

} // namespace dz
