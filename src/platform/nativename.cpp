#include "platform/nativename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <system_error>

namespace zavevad {

namespace {

constexpr char16_t kKeptByte = 0xDC00;

// The length of the UTF-8 sequence that `lead` starts; 0 for a byte that
// starts none.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isKeptByte(QChar c)
{
    return c.unicode() >= kKeptByte + 0x80 && c.unicode() <= kKeptByte + 0xFF;
}

} // namespace

QString fileNameFromNative(const QByteArray &bytes)
{
    QString name;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int length = sequenceLength(lead);
        if (length > 0 && i + length <= bytes.size()) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = decoder(QByteArrayView(bytes).sliced(i, length));
            // One character, no replacement: overlong forms and encoded
            // surrogates are errors of the decoder too.
            if (!decoder.hasError() && !decoded.isEmpty() && !decoded.contains(QChar(0xFFFD))) {
                name += decoded;
                i += length;
                continue;
            }
        }
        name += QChar(char16_t(kKeptByte + lead));
        ++i;
    }
    return name;
}

std::optional<QByteArray> nativeFileName(const QString &path)
{
    if (std::none_of(path.cbegin(), path.cend(), isKeptByte))
        return std::nullopt;
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isKeptByte(path.at(i)))
            continue;
        bytes += path.sliced(start, i - start).toUtf8();
        if (i < path.size())
            bytes += char(path.at(i).unicode() - kKeptByte);
        start = i + 1;
    }
    return bytes;
}

std::filesystem::path filesystemPath(const QString &path)
{
    if (const std::optional<QByteArray> bytes = nativeFileName(path))
        return std::filesystem::path(bytes->toStdString());
    return QFileInfo(path).filesystemFilePath();
}

QString displayFileName(const QString &path)
{
    QString shown = path;
    for (QChar &c : shown) {
        if (isKeptByte(c))
            c = QChar(0xFFFD);
    }
    return QDir::toNativeSeparators(shown);
}

QStringList undecodableFiles(const QString &folder, const QString &suffix)
{
    return undecodableEntries(folder, suffix, EntryKind::Files);
}

QStringList undecodableEntries(const QString &folder, const QString &suffix, EntryKind kind)
{
    QStringList entries;
#ifndef Q_OS_WIN // names on Windows are UTF-16, which Qt always lists
    // Qt cannot list a folder whose own name holds kept bytes: then every
    // entry is ours to list.
    const bool folderKept = nativeFileName(folder).has_value();
    std::error_code error;
    for (const std::filesystem::directory_entry &entry :
            std::filesystem::directory_iterator(filesystemPath(folder), error)) {
        const QByteArray bytes = QByteArray::fromStdString(entry.path().filename().native());
        // Names that decode are Qt's to list.
        if (!folderKept && QFile::encodeName(QFile::decodeName(bytes)) == bytes)
            continue;
        const QString name = fileNameFromNative(bytes);
        std::error_code statusError;
        const bool isFolder = std::filesystem::is_directory(entry.status(statusError));
        if (name.endsWith(suffix, Qt::CaseInsensitive) && isFolder == (kind == EntryKind::Folders))
            entries.append(QDir(folder).filePath(name));
    }
#else
    Q_UNUSED(folder);
    Q_UNUSED(suffix);
    Q_UNUSED(kind);
#endif
    return entries;
}

bool folderCanBeListed(const QString &folder)
{
    std::error_code error;
    std::filesystem::directory_iterator listing(filesystemPath(folder), error);
    return !error;
}

} // namespace zavevad
