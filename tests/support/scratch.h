// A scratch folder laid out by short commands, one per entry:
//   "a/b=TEXT"  a file with those bytes      "a/"      a folder
//   "a->t"      a link to t                  "a|"      a pipe
//   "a:0444"    the entry's mode             "a@65534" the entry's owner and group
//   "a#"        the lock file of a copy of the game that died holding it
// Folders on the way are made. What a folder holds is compared whole, as a snapshot.
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
    explicit Scratch(const QByteArrayList& commands = {});
    ~Scratch(); // removes by bytes what QTemporaryDir cannot name

    QByteArray path(const QByteArray& name = {}) const;
    Folder folder(const QByteArray& name = {}) const { return Folder(path(name)); }
    // What is at `name`: its kind, bytes or link target, mode and owner; or "nothing".
    QByteArray entry(const QByteArray& name) const;
    // Every entry under `folder` with what entry() tells of it, in name order.
    QByteArrayList snapshot(const QByteArray& folder = {}) const;

private:
    QTemporaryDir dir_;
};

// Runs `work` in a forked child; its exit status, or 128 + the signal that ended it.
int InChild(const std::function<int()>& work);

} // namespace dz::test
