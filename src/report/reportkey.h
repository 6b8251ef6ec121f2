#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zavevad {

/// Which tables a term of the key belongs to.
enum class KeyScope { Always, Classes, Skills };

/// A term of the key (several terms: "Początek, Koniec") and its meaning.
struct KeyEntry
{
    QString term;
    QString meaning;
    KeyScope scope = KeyScope::Always;
};

/// The report's key ("Objaśnienia"): every column header, summary row and
/// flag of the report's tables with one sentence each, in the order a reader
/// meets them. A term that several tables share is explained once.
const std::vector<KeyEntry> &reportKey();

/// The terms of the key in a report with or without the class comparison and
/// the skills table: "Moc różn. – moc różnicująca: ...".
QStringList reportKeyParagraphs(bool classes, bool skills);

} // namespace zavevad
