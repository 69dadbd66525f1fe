// A registry answered from a table of values and a desktop that records what it was
// asked, for the about box and the system-information lookups.
#pragma once

#include <QMap>
#include <QSet>
#include <QStringList>
#include <cstring>
#include <utility>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace dz::test
{

class ScriptedRegistry : public Registry
{
public:
    // A key exists once one of its values is set.
    void set(const QString& key, const QString& name, const QByteArray& data, quint32 type = REG_SZ)
    {
        keys.insert(key);
        values.insert(key + '|' + name, {type, data});
    }
    long OpenKey(quint32 root, const QString& subKey, quint32, quint32, Handle& key) override
    {
        if (root != HKEY_LOCAL_MACHINE || !keys.contains(subKey))
            return ERROR_FILE_NOT_FOUND;
        openKeys.insert(key = ++lastHandle, subKey);
        return ERROR_SUCCESS;
    }
    long QueryValue(Handle k, const QString& n, quint32& type, char* data, quint32& size) override
    {
        const auto it = values.constFind(openKeys.value(k) + '|' + n);
        if (!openKeys.contains(k) || it == values.cend())
            return ERROR_FILE_NOT_FOUND;
        type = it->first;
        const quint32 room = std::exchange(size, quint32(it->second.size()));
        if (size > room)
            return ERROR_MORE_DATA;
        std::memcpy(data, it->second.constData(), size);
        return ERROR_SUCCESS;
    }
    long CloseKey(Handle key) override { return openKeys.remove(key) ? 0 : ERROR_INVALID_HANDLE; }

    QSet<QString> keys;
    QMap<QString, std::pair<quint32, QByteArray>> values; // by "key|value name"
    QMap<Handle, QString> openKeys;                       // not closed yet
    Handle lastHandle = 0;
};

// Records "open URL", "start PROGRAM" and "test PATH"; only paths in `present` exist and start.
class RecordingDesktop : public Desktop
{
public:
    void openUrl(const QUrl& url) override { calls << "open " + url.toString(); }
    bool startDetached(const QString& p) override { return answer("start ", p); }
    bool isOrdinaryFile(const QString& p) override { return answer("test ", p); }
    bool answer(const QString& call, const QString& p)
    {
        calls << call + p;
        return present.contains(p);
    }

    QStringList calls, present;
};
} // namespace dz::test
