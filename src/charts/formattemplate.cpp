#include "charts/formattemplate.h"

#include "platform/readfile.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>

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
QString openFailure(int systemError, QFileDevice::FileError fileError)
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
    switch (fileError) {
    case QFileDevice::PermissionsError:
    case QFileDevice::WriteError: // QSaveFile: an existing file that may not be written
        return accessDenied();
    case QFileDevice::ResourceError:
        return QStringLiteral("Too many open files");
    default:
        return ioError(static_cast<int>(fileError));
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

TChartAppearance recordOf(QByteArrayView bytes)
{
    const std::optional<TChartAppearance> record = TChartAppearance::fromBytes(bytes);
    if (!record)
        throw CommandError(QStringLiteral("Read beyond end of file"));
    return *record;
}

} // namespace

void writeFormatTemplate(QIODevice &device, const TChartAppearance &record)
{
    const QByteArray bytes = record.toBytes();
    if (device.write(bytes) != bytes.size())
        throw CommandError(diskFull());
}

void readFormatTemplate(QIODevice &device, TChartAppearance &target)
{
    QByteArray bytes;
    while (bytes.size() < TChartAppearance::ByteSize) {
        const QByteArray chunk = device.read(TChartAppearance::ByteSize - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes.append(chunk);
    }
    target = recordOf(bytes);
}

void saveFormatTemplateFile(const QString &fileName, const TChartAppearance &record)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || folderIsMissing(info))
        throw namingFile(invalidFilename(), fileName);
    if (info.isDir())
        throw namingFile(accessDenied(), fileName);

    try {
        saveFile(fileName, [&record](QIODevice &file) { writeFormatTemplate(file, record); });
    } catch (const SaveFileError &error) {
        QString message;
        switch (error.stage()) {
        case SaveFileError::Stage::Open:
            message = openFailure(error.systemError(), error.fileError());
            break;
        case SaveFileError::Stage::Write:
            message = diskFull();
            break;
        case SaveFileError::Stage::Commit:
            // A write that fails this late came up short; anything else is
            // the rename over the old file.
            message = error.fileError() == QFileDevice::WriteError
                    ? diskFull()
                    : openFailure(error.systemError(), error.fileError());
            break;
        }
        throw namingFile(message, fileName);
    } catch (const OutputRefused &) {
        throw; // already names the file and why
    } catch (const CommandError &error) {
        throw namingFile(error.message(), fileName);
    }
}

void loadFormatTemplateFile(const QString &fileName, TChartAppearance &target)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || folderIsMissing(info))
        throw CommandError(invalidFilename());

    const FileHead head = readHead(fileName, TChartAppearance::ByteSize);
    switch (head.failure) {
    case FileHead::Failure::None:
    case FileHead::Failure::ReadFailed: // as much as could be read: too little
        break;
    case FileHead::Failure::NotFound:
        throw CommandError(fileNotFound());
    case FileHead::Failure::NotRegular: // a folder, or a FIFO or device that could block or never
                                        // end
        throw CommandError(accessDenied());
    case FileHead::Failure::CannotOpen:
        throw CommandError(openFailure(head.systemError, head.fileError));
    }
    target = recordOf(head.bytes);
}

} // namespace zavevad
