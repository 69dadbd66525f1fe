// A registry answered from a table of values and a desktop that records what it was
// asked, for the about box and the system-information lookups.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <cstring>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace dz::test {

class ScriptedRegistry : public Registry
{
public:
    struct Value {
        quint32 type = REG_SZ;
        QByteArray data;
    };
    // Keys are "KEY\\value name"; a key exists when any of its values is listed.
    void set(const QString& key, const QString& name, Value value)
    {
        keys.insert(key);
        values.insert(key + "|" + name, value);
    }
    void setText(const QString& key, const QString& name, const QByteArray& text)
    {
        set(key, name, {REG_SZ, text});
    }

    long OpenKey(quint32 root, const QString& subKey, quint32, quint32 accessMask,
                 Handle& key) override
    {
        opened.append(subKey);
        masks.append(accessMask);
        if (root != HKEY_LOCAL_MACHINE || !keys.contains(subKey))
            return ERROR_FILE_NOT_FOUND;
        key = Handle(++lastHandle);
        openHandles.insert(key, subKey);
        return ERROR_SUCCESS;
    }
    long QueryValue(Handle key, const QString& name, quint32& type, char* data,
                    quint32& size) override
    {
        if (!openHandles.contains(key))
            return ERROR_INVALID_HANDLE;
        const auto it = values.constFind(openHandles.value(key) + "|" + name);
        if (it == values.cend())
            return ERROR_FILE_NOT_FOUND;
        type = it->type;
        const auto needed = quint32(it->data.size());
        if (needed > size) {
            size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, it->data.constData(), needed);
        size = needed;
        return ERROR_SUCCESS;
    }
    long CloseKey(Handle key) override
    {
        closed.append(key);
        return openHandles.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

    QSet<QString> keys;
    QMap<QString, Value> values;
    QMap<Handle, QString> openHandles; // still open
    QStringList opened;
    QList<quint32> masks;
    QList<Handle> closed;
    int lastHandle = 0;
};

class RecordingDesktop : public Desktop
{
public:
    void openUrl(const QUrl& url) override { urls.append(url); }
    bool startDetached(const QString& program) override
    {
        started.append(program);
        return startable.contains(program);
    }
    bool isOrdinaryFile(const QString& path) override
    {
        tested.append(path);
        return files.contains(path);
    }

    QList<QUrl> urls;
    QStringList started;
    QStringList tested;
    QStringList startable; // programs that start
    QStringList files;     // paths that are ordinary files
};

} // namespace dz::test
