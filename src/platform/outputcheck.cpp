#include "platform/outputcheck.h"

#include "platform/nativename.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace zavevad {

namespace {

QStringList *&linkedInputs()
{
    static QStringList *inputs = nullptr;
    return inputs;
}

QStringList &inputsOfTheLoad()
{
    static QStringList ownInputs;
    QStringList *linked = linkedInputs();
    return linked ? *linked : ownInputs;
}

bool namesResultFile(const QString &path)
{
    return path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
}

// The same file whatever the spelling: the system compares device and file
// numbers, so relative forms, symbolic and hard links all match.
bool sameFile(const QString &output, const QString &input)
{
    std::error_code error;
    return std::filesystem::equivalent(filesystemPath(output), filesystemPath(input), error);
}

// Why an input may not be replaced. A result file by its usual name is one of
// the loaded results; any other input (the blueprint, the thresholds, a result
// file of another name) is named, so that the teacher knows which it is.
QString inputReason(const QString &input)
{
    if (namesResultFile(input))
        return QStringLiteral("to jest jeden z wczytanych plików wyników");
    return QStringLiteral("to jest plik wczytany przez program (%1)")
            .arg(QFileInfo(input).fileName());
}

} // namespace

QString finalTarget(const QString &path)
{
    QString target = path;
    // A cycle of links ends where the system would give up too.
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

bool sameOutputFile(const QString &first, const QString &second)
{
    const QString a = QFileInfo(finalTarget(first)).absoluteFilePath();
    const QString b = QFileInfo(finalTarget(second)).absoluteFilePath();
    return QDir::cleanPath(a) == QDir::cleanPath(b) || sameFile(a, b);
}

std::optional<QString> outputRefusal(
        const QString &path, const QStringList &inputs, const QStringList &extensions)
{
    if (path.isEmpty())
        return QStringLiteral("brak nazwy pliku");
    const QString resultFile = QStringLiteral("to jest plik wyników testu (*.dat)");
    if (namesResultFile(path))
        return resultFile;
    if (!extensions.isEmpty()
            && !extensions.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive)) {
        return QStringLiteral("oczekiwano rozszerzenia .")
                + extensions.join(QStringLiteral(" lub ."));
    }
    // A link is judged by what it leads to, even when that does not exist
    // yet: a save through it would create its target.
    const QString target = finalTarget(path);
    if (namesResultFile(target))
        return resultFile;
    const QFileInfo info(target);
    if (!info.exists())
        return std::nullopt;
    if (info.isDir())
        return QStringLiteral("to jest folder");
    if (!info.isFile())
        return QStringLiteral("to nie jest zwykły plik (urządzenie, potok lub gniazdo)");
    if (namesResultFile(info.canonicalFilePath()))
        return resultFile;
    for (const QString &input : inputs) {
        if (sameFile(target, input))
            return inputReason(input);
    }
    return std::nullopt;
}

void checkOutput(const QString &path, const QStringList &inputs, const QStringList &extensions)
{
    if (const std::optional<QString> reason = outputRefusal(path, inputs, extensions))
        throw OutputRefused(cannotSaveMessage(path, *reason));
}

void setLoadedInputs(const QStringList &paths)
{
    inputsOfTheLoad() = paths;
}

QStringList loadedInputs()
{
    return inputsOfTheLoad();
}

LoadedInputsLink::LoadedInputsLink(QStringList &inputs)
    : m_previous(std::exchange(linkedInputs(), &inputs))
{ }

LoadedInputsLink::~LoadedInputsLink()
{
    linkedInputs() = m_previous;
}

QString cannotSaveMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Nie można zapisać pliku %1: %2")
            .arg(QDir::toNativeSeparators(path), reason);
}

QString systemErrorReason(int systemError)
{
    switch (systemError) {
    case 0:
        return QString();
    case ENOSPC:
    case EFBIG: // past the process's file size limit: the same for the user
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("brak miejsca na dysku");
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień");
    case EROFS:
        return QStringLiteral("nośnik tylko do odczytu");
    case ENOENT:
        return QStringLiteral("folder nie istnieje");
    case EISDIR:
        return QStringLiteral("to jest folder");
    default:
        return qt_error_string(systemError);
    }
}

} // namespace zavevad
