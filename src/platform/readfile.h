#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace zavevad {

/// The start of an input file, or why it could not be read.
struct FileHead
{
    enum class Failure {
        None,
        NotFound, ///< nothing of that name
        NotRegular, ///< a folder, FIFO, socket or device (after following symbolic links)
        CannotOpen, ///< the system refused to open it
        ReadFailed, ///< the system reported an error while reading
    };

    QByteArray bytes; ///< at most the bytes asked for; valid only when ok()
    Failure failure = Failure::None;
    int systemError = 0; ///< errno of a failed open; 0 when the system set none
    QFileDevice::FileError fileError = QFileDevice::NoError;

    bool ok() const { return failure == Failure::None; }
};

/// Reads at most `maxBytes` from the start of the file, opened for reading
/// only. Only a regular file (or a symbolic link to one) is opened: a FIFO
/// would block the open until a writer comes, and a device may never end, so
/// neither can freeze the program or fill its memory.
FileHead readHead(const QString &path, qint64 maxBytes);

} // namespace zavevad
