#include "charts/formattemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace zavevad {

namespace {

QString invalidFilename()
{
    return QStringLiteral("Invalid filename");
}
QString fileNotFound()
{
    return QStringLiteral("File not found");
}
QString accessDenied()
{
    return QStringLiteral("File access denied");
}
QString diskFull()
{
    return QStringLiteral("Disk full");
}
QString ioError(int code)
{
    return QStringLiteral("I/O error %1").arg(code);
}

// Qt reports the cause of a failed open only as text; the system error code
// is still in errno right after the call, which is what the messages follow.
QString openFailure(int systemError, const QFileDevice &file)
{
    switch (systemError) {
    case ENOENT:
        return fileNotFound();
    case ENOTDIR:
        return invalidFilename();
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return accessDenied();
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull();
    case 0:
        break;
    default:
        return ioError(systemError);
    }
    switch (file.error()) {
    case QFileDevice::PermissionsError:
    case QFileDevice::WriteError: // QSaveFile: an existing file that may not be written
        return accessDenied();
    case QFileDevice::ResourceError:
        return QStringLiteral("Too many open files");
    default:
        return ioError(static_cast<int>(file.error()));
    }
}

// A missing folder on the path is told apart from a missing file, which the
// system reports alike.
bool folderIsMissing(const QFileInfo &info)
{
    return !QFileInfo(info.absolutePath()).isDir();
}

CommandError namingFile(const QString &message, const QString &fileName)
{
    return CommandError(QStringLiteral("%1: %2").arg(message, QDir::toNativeSeparators(fileName)));
}

} // namespace

std::optional<CommandError> writeFormatTemplate(QIODevice &device, const TChartAppearance &record)
{
    const QByteArray bytes = record.toBytes();
    if (device.write(bytes) != bytes.size())
        return CommandError(diskFull());
    return std::nullopt;
}

std::optional<CommandError> readFormatTemplate(QIODevice &device, TChartAppearance &target)
{
    QByteArray bytes;
    while (bytes.size() < TChartAppearance::ByteSize) {
        const QByteArray chunk = device.read(TChartAppearance::ByteSize - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes.append(chunk);
    }
    const std::optional<TChartAppearance> record = TChartAppearance::fromBytes(bytes);
    if (!record)
        return CommandError(QStringLiteral("Read beyond end of file"));
    target = *record;
    return std::nullopt;
}

std::optional<CommandError> saveFormatTemplateFile(
        const QString &fileName, const TChartAppearance &record)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || folderIsMissing(info))
        return namingFile(invalidFilename(), fileName);
    if (info.isDir())
        return namingFile(accessDenied(), fileName);

    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return namingFile(openFailure(errno, file), fileName);
    std::optional<CommandError> error = writeFormatTemplate(file, record);
    // The record sits in the device's buffer until it is flushed, and a flush
    // that fails inside commit() may go unnoticed: flush here and check.
    if (!error && !file.flush())
        error = CommandError(diskFull());
    if (error) {
        file.cancelWriting();
        return namingFile(error->message(), fileName);
    }
    errno = 0;
    if (!file.commit()) {
        // Buffered bytes reach the disk here: a write that fails now is short.
        const QString message =
                file.error() == QFileDevice::WriteError ? diskFull() : openFailure(errno, file);
        return namingFile(message, fileName);
    }
    return std::nullopt;
}

std::optional<CommandError> loadFormatTemplateFile(
        const QString &fileName, TChartAppearance &target)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || folderIsMissing(info))
        return CommandError(invalidFilename());
    if (!info.exists())
        return CommandError(fileNotFound());
    if (info.isDir())
        return CommandError(accessDenied());

    QFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return CommandError(openFailure(errno, file));
    return readFormatTemplate(file, target);
}

} // namespace zavevad
