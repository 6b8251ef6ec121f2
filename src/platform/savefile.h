#pragma once

#include "platform/commanderror.h"
#include "platform/outputcheck.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

class QIODevice;

namespace zavevad {

/// A save that failed, with what the system said, so that a caller with
/// messages of its own (the template commands) can word it; the message of
/// the error itself is "Cannot create file <path>".
class SaveFileError : public CommandError
{
public:
    /// Where the save stopped: creating the temporary file, writing the bytes
    /// into it, or putting it in place of the old file.
    enum class Stage { Open, Write, Commit };

    SaveFileError(const QString &path, Stage stage, int systemError, QFileDevice::FileError error);

    Stage stage() const noexcept { return m_stage; }
    /// errno right after the failing call; 0 when the system set none.
    int systemError() const noexcept { return m_systemError; }
    QFileDevice::FileError fileError() const noexcept { return m_fileError; }
    /// Why, in Polish: "brak miejsca na dysku", "brak uprawnień", ...
    QString reason() const;
    /// "Nie można zapisać pliku <path>: <reason>"
    QString explained() const;

private:
    QString m_path;
    Stage m_stage;
    int m_systemError;
    QFileDevice::FileError m_fileError;
};

/// Writes the whole file atomically: the bytes go to a temporary file beside
/// it, every write and the final flush are checked, and only a complete copy
/// is renamed over `path`. On any failure the temporary file is removed, the
/// old file stays byte for byte, and SaveFileError ("Cannot create file
/// <path>") is thrown. Every file the program writes goes through here, and
/// first through checkOutput() with the loaded inputs: a refused output throws
/// OutputRefused and nothing is written. A folder, which no save can replace,
/// fails as a save ("Cannot create file <path>").
void saveFile(const QString &path, const QByteArray &bytes);

/// The same for content that is produced into a device (a painter's device,
/// a record writer): `write` writes into the temporary file, and whatever it
/// throws ends the save the same way, with the old file kept, and is passed
/// on. A write the device refused counts as a failure even when `write` did
/// not check it.
void saveFile(const QString &path, const std::function<void(QIODevice &)> &write);

/// saveFile() for the saves whose messages are our own: a failure says why,
/// "Nie można zapisać pliku <path>: <reason>".
void saveFileSayingWhy(const QString &path, const QByteArray &bytes);
void saveFileSayingWhy(const QString &path, const std::function<void(QIODevice &)> &write);

/// saveFileSayingWhy() for a file that a load reads and a dialog of the
/// program edits (the test's blueprint, the thresholds): checked like any
/// output, except that being that input itself is no reason to refuse it.
void saveEditedInput(const QString &path, const QByteArray &bytes);

/// Writes the bytes to the process's standard output (the output `-`) and
/// flushes them; a failure throws CommandError "Nie można zapisać na
/// standardowe wyjście: <reason>".
void writeStandardOutput(const QByteArray &bytes);

/// The message for a failed write to standard output with errno `systemError`.
QString standardOutputFailure(int systemError);

} // namespace zavevad
