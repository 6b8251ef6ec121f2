#include "platform/readfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace zavevad {

FileHead readHead(const QString &path, qint64 maxBytes)
{
    FileHead head;
    // Checked before opening, because opening is what blocks. A file swapped
    // for a FIFO between the check and the open is not guarded against.
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
}

} // namespace zavevad
