#include "platform/readfile.h"

#include "platform/nativename.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <optional>

namespace zavevad {

namespace {

#ifdef Q_OS_UNIX
// One lookup of the name instead of a check and then an open: a load reads
// thousands of small files, and the lookups were most of its time. Opened
// without blocking, a FIFO or device is then refused by what the open handle
// is, never read.
FileHead readHeadByName(const QByteArray &name, qint64 maxBytes)
{
    FileHead head;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const bool missing =
                error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENAMETOOLONG;
        head.failure = missing ? FileHead::Failure::NotFound : FileHead::Failure::CannotOpen;
        head.systemError = missing ? 0 : error;
        head.fileError = missing ? QFileDevice::NoError : QFileDevice::OpenError;
        return head;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        head.failure = FileHead::Failure::NotRegular;
        return head;
    }
    head.bytes.resize(maxBytes);
    qint64 filled = 0;
    // A read may hand out fewer bytes than asked for; keep reading until
    // enough came, the file ends, or it fails.
    while (filled < maxBytes) {
        const ssize_t got =
                ::read(fd, head.bytes.data() + filled, static_cast<std::size_t>(maxBytes - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            head.bytes.clear();
            head.failure = FileHead::Failure::ReadFailed;
            head.fileError = QFileDevice::ReadError;
            return head;
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(fd);
    head.bytes.truncate(filled);
    return head;
}
#endif

} // namespace

FileHead readHead(const QString &path, qint64 maxBytes)
{
#ifdef Q_OS_UNIX
    if (path.isEmpty()) {
        FileHead head;
        head.failure = FileHead::Failure::NotFound;
        return head;
    }
    return readHeadByName(nativeFileName(path).value_or(QFile::encodeName(path)), maxBytes);
#else
    // Names on Windows are UTF-16: Qt opens every one. Checked before
    // opening, because opening is what blocks; a file swapped for a FIFO
    // between the check and the open is not guarded against.
    FileHead head;
    const QFileInfo info(path);
    if (!info.exists()) {
        head.failure = FileHead::Failure::NotFound;
        return head;
    }
    if (!info.isFile()) {
        head.failure = FileHead::Failure::NotRegular;
        return head;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        head.failure = FileHead::Failure::CannotOpen;
        head.systemError = errno;
        head.fileError = file.error();
        return head;
    }
    head.bytes.resize(maxBytes);
    qint64 filled = 0;
    // A read may hand out fewer bytes than asked for; keep reading until
    // enough came, the file ends, or it fails.
    while (filled < maxBytes) {
        const qint64 got = file.read(head.bytes.data() + filled, maxBytes - filled);
        if (got < 0) {
            head.bytes.clear();
            head.failure = FileHead::Failure::ReadFailed;
            head.fileError = file.error();
            return head;
        }
        if (got == 0)
            break;
        filled += got;
    }
    head.bytes.truncate(filled);
    return head;
#endif
}

} // namespace zavevad
