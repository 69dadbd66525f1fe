// A registry answered from a table of values and a desktop that records what it was
// asked, for the about box and the system-information lookups.
#pragma once

#include <QMap>
#include <QStringList>
#include <cstring>
#include <utility>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace dz::test
{

// A key exists once one of its values is set.
struct ScriptedRegistry : Registry {
    long OpenKey(quint32 root, const QString& subKey, quint32, quint32, Handle& key) override
    {
        const auto it = values.lowerBound(subKey + '|');
        if (root != HKEY_LOCAL_MACHINE || it == values.cend() || !it.key().startsWith(subKey + '|'))
            return ERROR_FILE_NOT_FOUND;
        open.insert(key = ++last, subKey);
        return ERROR_SUCCESS;
    }
    long QueryValue(Handle k, const QString& n, quint32& type, char* data, quint32& size) override
    {
        const auto it = values.constFind(open.value(k) + '|' + n);
        if (it == values.cend())
            return ERROR_FILE_NOT_FOUND;
        type = it->first;
        const quint32 room = std::exchange(size, quint32(it->second.size()));
        std::memcpy(data, it->second.constData(), qMin(size, room));
        return size > room ? ERROR_MORE_DATA : ERROR_SUCCESS;
    }
    long CloseKey(Handle k) override { return open.remove(k) ? 0 : ERROR_INVALID_HANDLE; }

    QMap<QString, std::pair<quint32, QByteArray>> values; // by "key|value name"
    QMap<Handle, QString> open;                           // not closed yet
    Handle last = 0;
};

// Records "open URL", "start PROGRAM" and "test PATH"; only paths in `present` exist and start.
struct RecordingDesktop : Desktop {
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
