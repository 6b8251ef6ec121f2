#pragma once

#include <QString>
#include <QStringList>

namespace zavevad {

/// The program's own user guide, in Polish: where an installed program looks
/// for it, beside its executable, and then in the source tree of a build-tree
/// run. The first that exists is opened when there is no help file.
QStringList userGuideCandidates();

/// The document that F1 and "Pomoc" open: "Kalmo_Analiza.chm" of the start
/// directory when it is there; otherwise the first of `guideCandidates` that
/// exists; otherwise the help file's path all the same, so that the desktop
/// reports the missing file as it would without a guide.
QString helpDocumentPath(const QString &startDirectory, const QStringList &guideCandidates);

/// helpDocumentPath with userGuideCandidates().
QString helpDocumentPath(const QString &startDirectory);

} // namespace zavevad
