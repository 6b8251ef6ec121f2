#include "platform/readfile.h"

#include "platform/nativename.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace zavevad {

namespace {

// A name Qt cannot open (bytes in no valid encoding) is opened by its bytes.
bool openNative(QFile &file, const QByteArray &name, FileHead &head)
{
    std::error_code error;
    const std::filesystem::file_status status =
            std::filesystem::status(std::filesystem::path(name.toStdString()), error);
    if (!std::filesystem::exists(status)) {
        head.failure = FileHead::Failure::NotFound;
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        head.failure = FileHead::Failure::NotRegular;
        return false;
    }
    errno = 0;
    std::FILE *handle = std::fopen(name.constData(), "rb");
    if (!handle || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        head.failure = FileHead::Failure::CannotOpen;
        head.systemError = errno;
        if (handle)
            std::fclose(handle);
        return false;
    }
    return true;
}

} // namespace

FileHead readHead(const QString &path, qint64 maxBytes)
{
    FileHead head;
    QFile file;
    if (const std::optional<QByteArray> name = nativeFileName(path)) {
        if (!openNative(file, *name, head))
            return head;
    } else {
        // Checked before opening, because opening is what blocks. A file
        // swapped for a FIFO between the check and the open is not guarded
        // against.
        const QFileInfo info(path);
        if (!info.exists()) {
            head.failure = FileHead::Failure::NotFound;
            return head;
        }
        if (!info.isFile()) {
            head.failure = FileHead::Failure::NotRegular;
            return head;
        }
        file.setFileName(path);
        errno = 0;
        if (!file.open(QIODevice::ReadOnly)) {
            head.failure = FileHead::Failure::CannotOpen;
            head.systemError = errno;
            head.fileError = file.error();
            return head;
        }
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
