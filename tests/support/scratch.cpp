#include "support/scratch.h"

#include <QFile>
#include <QLockFile>
#include <cstdio>
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

// By the path's bytes: a folder name need not be UTF-8.
QByteArray Contents(const QByteArray& path)
{
    QFile file;
    const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle) ? file.readAll() : "?";
}

QByteArray Fingerprint(const QByteArray& bytes)
{
    return bytes.left(40).toPercentEncoding() + '#' + QByteArray::number(qHash(bytes), 16) + ' ';
}

} // namespace

Scratch::Scratch(const QByteArrayList& commands)
{
    for (const QByteArray& c : commands) {
        const qsizetype arrow = c.indexOf("->");
        qsizetype mark = arrow > 0 ? arrow : c.size() - 1;
        for (const char k : {'=', ':', '@'})
            mark = c.indexOf(k) > 0 && arrow < 0 ? qMin(mark, c.indexOf(k)) : mark;
        const QByteArray name = c.left(mark), value = c.mid(mark + (arrow > 0 ? 2 : 1));
        const char kind = arrow > 0 ? '>' : c[mark];
        const QByteArray at = path(name);
        for (qsizetype slash = 0; (slash = name.indexOf('/', slash + 1)) > 0;)
            mkdir(path(name.left(slash)).constData(), 0777);
        const int fd = kind == '=' ? open(at.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666) : -1;
        const unsigned number = value.toUInt(nullptr, kind == ':' ? 8 : 10);
        const bool done = kind == '='   ? write(fd, value.constData(), value.size()) == value.size() && close(fd) == 0
                          : kind == '/' ? mkdir(at.constData(), 0777) == 0
                          : kind == '>' ? symlink(value.constData(), at.constData()) == 0
                          : kind == '|' ? mkfifo(at.constData(), 0666) == 0
                          : kind == ':' ? chmod(at.constData(), number) == 0
                          : kind == '@' ? lchown(at.constData(), number, number) == 0
                                        : InChild([&]() -> int { // dies holding it
                                              QLockFile lock(QFile::decodeName(at));
                                              _exit(lock.tryLock() ? 0 : 1);
                                          }) == 0;
        if (!done)
            qFatal("cannot lay out %s", c.constData());
    }
}

Scratch::~Scratch()
{
    nftw(
        path().constData(), [](const char* at, const struct stat*, int, FTW*) { return remove(at); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

QByteArray Scratch::path(const QByteArray& name) const
{
    const QByteArray root = QFile::encodeName(dir_.path());
    return name.isEmpty() ? root : root + '/' + name;
}

QByteArray Scratch::entry(const QByteArray& name) const
{
    const QByteArray at = path(name);
    struct stat st;
    QByteArray link(4096, '\0');
    link.truncate(qMax<ssize_t>(readlink(at.constData(), link.data(), 4096), 0));
    if (lstat(at.constData(), &st) != 0)
        return "nothing";
    return (S_ISREG(st.st_mode)   ? "file " + Fingerprint(Contents(at))
            : S_ISLNK(st.st_mode) ? "link " + Fingerprint(link)
            : S_ISDIR(st.st_mode) ? QByteArray("folder ")
                                  : QByteArray("pipe ")) +
           "mode " + QByteArray::number(st.st_mode & 07777, 8) + " owner " + QByteArray::number(st.st_uid) + ':' +
           QByteArray::number(st.st_gid);
}

QByteArrayList Scratch::snapshot(const QByteArray& folder) const
{
    QByteArrayList entries;
    DIR* dir = opendir(path(folder).constData());
    while (const dirent* e = dir ? readdir(dir) : nullptr) {
        const QByteArray name = folder.isEmpty() ? e->d_name : folder + '/' + e->d_name;
        if (qstrcmp(e->d_name, ".") == 0 || qstrcmp(e->d_name, "..") == 0)
            continue;
        entries << name + ": " + entry(name);
        if (e->d_type == DT_DIR)
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
