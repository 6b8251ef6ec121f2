#pragma once

#include "platform/commanderror.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zavevad {

/// An output refused before anything was written; the message is
/// "Nie można zapisać pliku <path>: <reason>". Savers with messages of their
/// own pass it on unchanged.
class OutputRefused : public CommandError
{
public:
    using CommandError::CommandError;
};

/// Why `path` may not be written, in Polish, or nothing when it may. An
/// output never replaces one of `inputs` (however either is spelled: another
/// relative form, a symbolic link, a hard link), a result file (`*.dat`, any
/// case, also as the final target of a link, existing or not), or an existing
/// thing that is not a regular file (a folder, FIFO, device or socket); a
/// symbolic link to a regular file is written through as before. `inputs`
/// holds the result files and the text files a load reads beside them. With `extensions` (lower
/// case, without the dot) the name must also end in one of them, any case.
std::optional<QString> outputRefusal(
        const QString &path, const QStringList &inputs, const QStringList &extensions = {});

/// Where `path` leads: the final target of a chain of symbolic links (which
/// need not exist), else `path` itself.
QString finalTarget(const QString &path);

/// Whether two outputs would write the same file: the same final target by
/// name, or one file under two names.
bool sameOutputFile(const QString &first, const QString &second);

/// Throws OutputRefused when outputRefusal() names a reason. saveFile() calls
/// it with the loaded inputs, so every save of the program is checked here
/// (a folder excepted, on which the save itself fails).
void checkOutput(
        const QString &path, const QStringList &inputs, const QStringList &extensions = {});

/// The result files of the analysis now loaded, which no save may replace:
/// saveFile() checks every output against them. They are the list that a
/// LoadedInputsLink lends (the run's state, which a load sets), else a list
/// of this module's own, empty unless set here; the command line passes its
/// own files to outputRefusal() instead.
void setLoadedInputs(const QStringList &paths);
QStringList loadedInputs();

/// While it lives, loadedInputs() and setLoadedInputs() work on `inputs`, a
/// list its owner keeps (the session lends the list of its state): the list
/// lives with the rest of the run's state, copied and restored with it.
class LoadedInputsLink
{
public:
    explicit LoadedInputsLink(QStringList &inputs);
    ~LoadedInputsLink();
    LoadedInputsLink(const LoadedInputsLink &) = delete;
    LoadedInputsLink &operator=(const LoadedInputsLink &) = delete;

private:
    QStringList *m_previous;
};

/// "Nie można zapisać pliku <path>: <reason>", the path in native form.
QString cannotSaveMessage(const QString &path, const QString &reason);

/// The reason for a failed system call in Polish for the common cases (a full
/// disk, no permission, a read-only medium, a missing folder, a folder), the
/// system's own text otherwise; empty for 0.
QString systemErrorReason(int systemError);

} // namespace zavevad
