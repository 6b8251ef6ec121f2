#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace zavevad {

namespace {

// What a writer writes into, passed on to the file. A file device hands back
// a short count, and no error, when the disk fills up in the middle of a
// large write; a writer that ignores the count would have its truncated file
// committed. This device remembers any short write.
class CheckedDevice : public QIODevice
{
public:
    explicit CheckedDevice(QFileDevice &file) : m_file(file)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool cameShort() const { return m_short; }

    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }
    qint64 size() const override { return m_file.size(); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        const qint64 written = m_file.write(data, length);
        if (written != length)
            m_short = true;
        return written;
    }

private:
    QFileDevice &m_file;
    bool m_short = false;
};

// `write` returns false when it knows a write came up short.
template<typename Write>
void saveThrough(const QString &path, Write &&write, const QStringList &inputs = loadedInputs())
{
    // A folder cannot be replaced: the save fails on it below, with the
    // message its caller gives a failed save (the table saves keep theirs).
    if (!QFileInfo(path).isDir())
        checkOutput(path, inputs);
    QSaveFile file(path);
    auto fail = [&](SaveFileError::Stage stage) {
        const int systemError = errno;
        const QFileDevice::FileError error = file.error();
        // An uncommitted QSaveFile removes its temporary file and never
        // touches the file it was to replace.
        file.cancelWriting();
        throw SaveFileError(path, stage, systemError, error);
    };

    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        fail(SaveFileError::Stage::Open);
    errno = 0;
    bool complete = false;
    try {
        complete = write(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!complete || file.error() != QFileDevice::NoError)
        fail(SaveFileError::Stage::Write);
    // Anything under Qt's buffer size is still in memory here, and commit()
    // does not report a flush that fails inside it: flush now and check.
    errno = 0;
    if (!file.flush())
        fail(SaveFileError::Stage::Write);
    errno = 0;
    if (!file.commit())
        fail(SaveFileError::Stage::Commit);
}

} // namespace

SaveFileError::SaveFileError(
        const QString &path, Stage stage, int systemError, QFileDevice::FileError error)
    : CommandError(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path))),
      m_path(path), m_stage(stage), m_systemError(systemError), m_fileError(error)
{ }

QString SaveFileError::reason() const
{
    if (m_systemError != 0)
        return systemErrorReason(m_systemError);
    // A device that took fewer bytes without an error code: the disk is full.
    if (m_stage == Stage::Write)
        return systemErrorReason(ENOSPC);
    if (m_fileError == QFileDevice::PermissionsError)
        return systemErrorReason(EACCES);
    return QStringLiteral("błąd zapisu");
}

QString SaveFileError::explained() const
{
    return cannotSaveMessage(m_path, reason());
}

void saveFile(const QString &path, const QByteArray &bytes)
{
    saveThrough(path, [&bytes](QFileDevice &file) { return file.write(bytes) == bytes.size(); });
}

void saveFile(const QString &path, const std::function<void(QIODevice &)> &write)
{
    saveThrough(path, [&write](QFileDevice &file) {
        CheckedDevice device(file);
        write(device);
        return !device.cameShort();
    });
}

} // namespace zavevad

namespace zavevad {

void saveFileSayingWhy(const QString &path, const QByteArray &bytes)
{
    try {
        saveFile(path, bytes);
    } catch (const SaveFileError &error) {
        throw CommandError(error.explained());
    }
}

void saveFileSayingWhy(const QString &path, const std::function<void(QIODevice &)> &write)
{
    try {
        saveFile(path, write);
    } catch (const SaveFileError &error) {
        throw CommandError(error.explained());
    }
}

void saveEditedInput(const QString &path, const QByteArray &bytes)
{
    QStringList others = loadedInputs();
    others.removeIf([&path](const QString &input) { return sameOutputFile(path, input); });
    try {
        saveThrough(
                path, [&bytes](QFileDevice &file) { return file.write(bytes) == bytes.size(); },
                others);
    } catch (const SaveFileError &error) {
        throw CommandError(error.explained());
    }
}

QString standardOutputFailure(int systemError)
{
    const QString reason = systemErrorReason(systemError);
    return QStringLiteral("Nie można zapisać na standardowe wyjście: %1")
            .arg(reason.isEmpty() ? QStringLiteral("błąd zapisu") : reason);
}

void writeStandardOutput(const QByteArray &bytes)
{
    QFile out;
    errno = 0;
    bool written = out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    written = written && out.write(bytes) == bytes.size();
    written = written && out.flush();
    if (!written)
        throw CommandError(standardOutputFailure(errno));
}

} // namespace zavevad
