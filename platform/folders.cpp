#include "platform/folders.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dz
{

namespace
{

// `base` + "/" + `rest` without doubling the slash, so "/" gives "/rest".
QByteArray Joined(QByteArray base, const QByteArray& rest)
{
    while (base.endsWith('/'))
        base.chop(1);
    return base + '/' + rest;
}

// The environment's value when it is an absolute path; XDG ignores relative ones.
QByteArray AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? QByteArray(value) : QByteArray();
}

QByteArray HomeFolder()
{
    QByteArray home = AbsoluteFromEnvironment("HOME");
    if (home.isEmpty()) {
        if (const passwd* account = getpwuid(getuid()))
            home = account->pw_dir;
    }
    return home.isEmpty() ? QByteArray("/") : home;
}

QByteArray Parent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray("/");
}

bool Exists(const QByteArray& path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0;
}

bool SameLetters(const char* a, const QByteArray& b)
{
    qsizetype i = 0;
    for (; a[i] && i < b.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return !a[i] && i == b.size();
}

// A regular file, or a link that leads to one or to nothing.
bool CountsAsFile(int dirFd, const char* name)
{
    struct stat st;
    if (fstatat(dirFd, name, &st, 0) == 0)
        return S_ISREG(st.st_mode);
    return errno == ENOENT && fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(st.st_mode);
}

} // namespace

Folder Folder::fromPath(const QString& path)
{
    return Folder(QFile::encodeName(path));
}

QString Folder::path() const
{
    return QFile::decodeName(native_);
}

QString Folder::filePath(const QString& name) const
{
    return path() + u'/' + name;
}

Folder DefaultFilesFolder()
{
#ifdef DZ_FILES_FOLDER
    return Folder(QByteArray(DZ_FILES_FOLDER));
#else
    const QByteArray data = AbsoluteFromEnvironment("XDG_DATA_HOME");
    return Folder(
        Joined(data.isEmpty() ? Joined(HomeFolder(), ".local/share") : data, "DirIziVur"));
#endif
}

Folder ProgramFolder()
{
    QByteArray exe(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", exe.data(), size_t(exe.size()));
    const QByteArray exeDir = length > 0 && length < exe.size()
                                  ? Parent(exe.left(length))
                                  : QFile::encodeName(QCoreApplication::applicationDirPath());
    // Installed: <prefix>/bin/dirizivur with the sounds in <prefix>/share/dirizivur.
    const QByteArray installed = Joined(Parent(exeDir), "share/dirizivur");
    if (!Exists(exeDir + "/NewGame.Wav") && Exists(installed + "/NewGame.Wav"))
        return Folder(installed);
    return Folder(exeDir);
}

void SetCurrentFolder(const Folder& folder)
{
    if (!folder.native().isEmpty() && chdir(folder.native().constData()) != 0) {
        // A folder gone since start-up: the sounds then fall back to the bell.
    }
}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept
{
    std::swap(fd_, other.fd_);
    return *this;
}

OpenFolder::~OpenFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

OpenFolder OpenFolder::open(const Folder& folder, bool make)
{
    const QByteArray& path = folder.native();
    if (path.isEmpty()) {
        errno = ENOENT;
        return OpenFolder();
    }
    int madeError = 0;
    if (make) {
        for (qsizetype slash = path.indexOf('/', 1); slash >= 0;
             slash = path.indexOf('/', slash + 1))
            ::mkdir(path.left(slash).constData(), 0777);
        if (::mkdir(path.constData(), 0777) != 0 && errno != EEXIST)
            madeError = errno;
    }
    OpenFolder opened(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Why the folder could not be made says more than that it is missing.
    if (!opened.isOpen() && madeError != 0)
        errno = madeError;
    return opened;
}

QString OpenFolder::alias(const QByteArray& name) const
{
    return QStringLiteral("/proc/self/fd/%1/").arg(fd_) + QFile::decodeName(name);
}

QByteArray FindFileCaseBlind(const OpenFolder& folder, const QByteArray& name)
{
    if (CountsAsFile(folder.fd(), name.constData()))
        return name;
    DIR* dir = fdopendir(::openat(folder.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir)
        return QByteArray();
    // The first in byte order when several spellings exist, so every run picks the same.
    QByteArray found;
    while (const dirent* entry = readdir(dir)) {
        if (SameLetters(entry->d_name, name) && (found.isEmpty() || found > entry->d_name) &&
            CountsAsFile(folder.fd(), entry->d_name))
            found = entry->d_name;
    }
    closedir(dir);
    return found;
}

} // namespace dz
