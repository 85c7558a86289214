#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

QString g_failName;
Step g_failStep = Step::None;

bool injected(Step s) {
    if (g_failStep != s) return false;
    errno = EIO;
    return true;
}

QString systemError(const char* step, int err) {
    return QString::fromLatin1(step) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
}

QString randomSuffix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < 6; ++i) s += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
    return s;
}

// Creates the temporary file beside `target` (never over an existing one).
int createTemporary(const QString& target, QByteArray* tmpPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *tmpPath = QFile::encodeName(target + QLatin1String(kTempMark) + randomSuffix());
        const int fd = ::open(tmpPath->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The rename itself reaches the medium only with its folder; a failure here
// leaves the new file in place, so it is not reported.
void syncFolder(const QByteArray& dir) {
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void failWritesForTests(const QString& fileName) { g_failName = fileName; }
void failStepForTests(Step step) { g_failStep = step; }

bool writeAtomic(const QString& path, const QByteArray& data, QString* error) {
    return writeAtomic(path, std::vector<QByteArray>{data}, error);
}

bool writeAtomic(const QString& path, const std::vector<QByteArray>& parts, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!g_failName.isEmpty() && QFileInfo(path).fileName().compare(g_failName, Qt::CaseInsensitive) == 0)
        return fail(QStringLiteral("simulated write failure"));

    // A link is replaced at its target, as an editor would.
    const QFileInfo given(path);
    const QString target = given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath();
    const QByteArray targetName = QFile::encodeName(target);

    QByteArray tmp;
    const int fd = createTemporary(target, &tmp);
    if (fd < 0) return fail(systemError("create", errno));
    auto abandon = [&](const char* step, int err, bool open) {
        if (open) ::close(fd);
        ::unlink(tmp.constData());
        return fail(systemError(step, err));
    };

    struct stat old;
    if (::stat(targetName.constData(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    if (injected(Step::Write)) return abandon("write", errno, true);
    for (const QByteArray& data : parts)
        if (!writeAll(fd, data)) return abandon("write", errno, true);
    // A medium that cannot sync at all (EINVAL) has nothing to report; any
    // other failure means the bytes may not be on it.
    if (injected(Step::Sync) || (::fsync(fd) != 0 && errno != EINVAL)) return abandon("sync", errno, true);
    const int closed = ::close(fd);
    if (injected(Step::Close) || closed != 0) return abandon("close", errno, false);
    if (injected(Step::Rename) || ::rename(tmp.constData(), targetName.constData()) != 0)
        return abandon("rename", errno, false);
    syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    return true;
}

int removeStaleTemporaries(const QString& folder) {
    if (folder.isEmpty()) return 0;
    static const QRegularExpression own(QStringLiteral("^.+") + QRegularExpression::escape(QLatin1String(kTempMark)) +
                                        QStringLiteral("[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    int removed = 0;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : names)
        if (own.match(n).hasMatch() && QFile::remove(dir.filePath(n))) ++removed;
    return removed;
}

}  // namespace files
