// A scratch folder laid out and checked by short commands, one per entry:
//   "a/b=TEXT"  a file with those bytes      "a/"      a folder
//   "a->t"      a link to t
//   "a|"        a pipe                       "a~"      nothing of that name (checks only)
//   "a:0444"    the entry's mode             "a@65534" the entry's owner and group
//   "a#"        the lock file of a copy of the game that died holding it
#pragma once

#include <QByteArrayList>
#include <QTemporaryDir>
#include <functional>

#include "platform/folders.h"

namespace dz::test
{

class Scratch
{
public:
    Scratch() = default;
    ~Scratch(); // removes by bytes what QTemporaryDir cannot name
    QByteArray path(const QByteArray& name = {}) const;
    Folder folder(const QByteArray& name = {}) const { return Folder(path(name)); }
    void lay(const QByteArrayList& commands) const;
    // The commands that do not hold, each with what is there instead.
    QByteArrayList mismatches(const QByteArrayList& commands) const;
    // Every entry under `folder` with its kind, bytes, mode and owner, in name order.
    QByteArrayList snapshot(const QByteArray& folder = {}) const;

private:
    QTemporaryDir dir_;
};

// Runs `work` in a forked child; its exit status, or 128 + the signal that ended it.
int InChild(const std::function<int()>& work);

} // namespace dz::test
