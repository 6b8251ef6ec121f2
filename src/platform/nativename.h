#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace zavevad {

// File names that the system holds as bytes in no valid encoding (Latin-2
// names from an old USB stick under a UTF-8 locale). Qt leaves such names out
// of a folder listing and cannot open them by a QString. Here each byte that
// is no part of valid UTF-8 is kept in the QString as the lone surrogate
// U+DC00 + byte, so that the name converts back to the very same bytes.

/// The bytes of a name as a QString that nativeFileName() turns back into them.
QString fileNameFromNative(const QByteArray &bytes);

/// The bytes of a path that holds kept bytes; nothing for any other path,
/// which Qt opens as it is.
std::optional<QByteArray> nativeFileName(const QString &path);

/// The path for std::filesystem, also for a path with kept bytes.
std::filesystem::path filesystemPath(const QString &path);

/// The path for messages: each kept byte shown as U+FFFD.
QString displayFileName(const QString &path);

/// The files in `folder` whose names end in `suffix` (any case) but that Qt
/// cannot list, as paths with kept bytes; empty where names are never bytes.
QStringList undecodableFiles(const QString &folder, const QString &suffix);

enum class EntryKind { Files, Folders };

/// The entries of `kind` in `folder` whose names end in `suffix` that Qt
/// cannot list: those with names in no valid encoding, and every one when the
/// name of `folder` itself holds kept bytes. Paths with kept bytes.
QStringList undecodableEntries(const QString &folder, const QString &suffix, EntryKind kind);

/// Whether the system lets this process list `folder` (also one with kept bytes).
bool folderCanBeListed(const QString &folder);

} // namespace zavevad
