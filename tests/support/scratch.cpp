#include "support/scratch.h"

#include <QFile>
#include <QLockFile>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dz::test
{

namespace
{

struct Command {
    QByteArray name;
    char kind = 0;
    QByteArray value;
};

Command Parsed(const QByteArray& text)
{
    if (const qsizetype at = text.indexOf("->"); at > 0)
        return {text.left(at), '>', text.mid(at + 2)};
    for (const char kind : {'=', ':', '@'}) {
        if (const qsizetype at = text.indexOf(kind); at > 0)
            return {text.left(at), kind, text.mid(at + 1)};
    }
    return {text.chopped(1), text.back(), {}};
}

// By the path's bytes: a folder name need not be UTF-8.
QByteArray Contents(const QByteArray& path)
{
    QFile file;
    const int fd = open(path.constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle))
        return "(unreadable)";
    return file.readAll();
}

QByteArray Link(const QByteArray& path)
{
    QByteArray link(4096, '\0');
    link.truncate(qMax<ssize_t>(readlink(path.constData(), link.data(), 4096), 0));
    return link;
}

QByteArray Described(const QByteArray& path)
{
    struct stat st;
    if (lstat(path.constData(), &st) != 0)
        return "nothing";
    const QByteArray bytes = S_ISREG(st.st_mode) ? Contents(path) : QByteArray();
    return (S_ISREG(st.st_mode)
                ? bytes.left(40).toPercentEncoding() + " #" + QByteArray::number(qHash(bytes), 16)
            : S_ISLNK(st.st_mode) ? "a link to " + Link(path)
                                  : QByteArray("a folder or pipe")) +
           " mode " + QByteArray::number(st.st_mode, 8) + " owner " + QByteArray::number(st.st_uid);
}

} // namespace

Scratch::~Scratch()
{
    nftw(
        path().constData(),
        [](const char* at, const struct stat*, int, FTW*) { return remove(at); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

QByteArray Scratch::path(const QByteArray& name) const
{
    const QByteArray root = QFile::encodeName(dir_.path());
    return name.isEmpty() ? root : root + '/' + name;
}

void Scratch::lay(const QByteArrayList& commands) const
{
    for (const QByteArray& text : commands) {
        const Command c = Parsed(text);
        const QByteArray at = path(c.name);
        for (qsizetype slash = c.name.indexOf('/'); slash > 0;
             slash = c.name.indexOf('/', slash + 1))
            mkdir(path(c.name.left(slash)).constData(), 0777);
        bool done = true;
        if (c.kind == '=') {
            QFile file;
            const int fd = open(at.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            done = fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle) &&
                   file.write(c.value) == c.value.size();
        } else if (c.kind == '/' || c.kind == '>' || c.kind == '|') {
            done = (c.kind == '/'   ? mkdir(at.constData(), 0777)
                    : c.kind == '>' ? symlink(c.value.constData(), at.constData())
                                    : mkfifo(at.constData(), 0666)) == 0;
        } else if (c.kind == ':' || c.kind == '@') {
            done =
                (c.kind == ':' ? chmod(at.constData(), mode_t(c.value.toUInt(nullptr, 8)))
                               : lchown(at.constData(), c.value.toUInt(), c.value.toUInt())) == 0;
        } else if (c.kind == '#') {
            done = InChild([&] {
                       QLockFile lock(QFile::decodeName(at));
                       return lock.tryLock() ? 0 : 1;
                   }) == 0;
        }
        if (!done)
            qFatal("cannot lay out %s", text.constData());
    }
}

QByteArrayList Scratch::mismatches(const QByteArrayList& commands) const
{
    QByteArrayList wrong;
    for (const QByteArray& text : commands) {
        const Command c = Parsed(text);
        const QByteArray at = path(c.name);
        struct stat st;
        const bool there = lstat(at.constData(), &st) == 0;
        const unsigned number = c.value.toUInt(nullptr, c.kind == ':' ? 8 : 10);
        const bool holds = c.kind == '='   ? there && S_ISREG(st.st_mode) && Contents(at) == c.value
                           : c.kind == '/' ? there && S_ISDIR(st.st_mode)
                           : c.kind == '>' ? there && Link(at) == c.value
                           : c.kind == '|' ? there && S_ISFIFO(st.st_mode)
                           : c.kind == '~' ? !there
                           : c.kind == ':' ? there && (st.st_mode & 07777) == number
                                           : there && st.st_uid == number && st.st_gid == number;
        if (!holds)
            wrong << text.left(60) + " but " + Described(at);
    }
    return wrong;
}

QByteArrayList Scratch::snapshot(const QByteArray& folder) const
{
    QByteArrayList entries;
    DIR* dir = opendir(path(folder).constData());
    while (const dirent* entry = dir ? readdir(dir) : nullptr) {
        const QByteArray name = folder.isEmpty() ? entry->d_name : folder + '/' + entry->d_name;
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        entries << name + ": " + Described(path(name));
        if (entry->d_type == DT_DIR)
            entries << snapshot(name);
    }
    if (dir)
        closedir(dir);
    std::sort(entries.begin(), entries.end());
    return entries;
}

int InChild(const std::function<int()>& work)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(work());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace dz::test
