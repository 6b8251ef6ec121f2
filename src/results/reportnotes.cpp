#include "results/reportnotes.h"

#include "platform/readfile.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringList>

namespace zavevad {

namespace {

const QString &schoolLabel()
{
    static const QString label = QStringLiteral("Szkoła:");
    return label;
}

const QString &teacherLabel()
{
    static const QString label = QStringLiteral("Nauczyciel:");
    return label;
}

const QString &conclusionsLabel()
{
    static const QString label = QStringLiteral("Wnioski i rekomendacje:");
    return label;
}

/// A line with every control character but TAB dropped: a stray byte never
/// reaches the page as a box or moves the text.
QString cleanLine(QStringView line)
{
    QString clean;
    clean.reserve(line.size());
    for (const QChar c : line) {
        if (c == u'\t' || !(c.category() == QChar::Other_Control))
            clean.append(c);
    }
    return clean;
}

/// `text` with its empty lines at either end removed.
QString trimmedLines(QStringList lines)
{
    while (!lines.isEmpty() && lines.constFirst().trimmed().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}

QString notesMessage(const QString &reason)
{
    return kReportNotesFileName.toString() + QStringLiteral(": ") + reason;
}

} // namespace

ReportNotes parseReportNotes(QByteArrayView content)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    ReportNotes notes;
    QStringList conclusions;
    bool inConclusions = false;
    for (const QStringView raw : QStringView(text).split(u'\n')) {
        QString line = cleanLine(raw);
        if (!inConclusions) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(schoolLabel())) {
                notes.school = trimmed.mid(schoolLabel().size()).trimmed();
                continue;
            }
            if (trimmed.startsWith(teacherLabel())) {
                notes.teacher = trimmed.mid(teacherLabel().size()).trimmed();
                continue;
            }
            if (trimmed == conclusionsLabel()) {
                inConclusions = true;
                continue;
            }
        }
        conclusions.append(line);
    }
    notes.conclusions = trimmedLines(conclusions);
    return notes;
}

QByteArray reportNotesFileBytes(const ReportNotes &notes)
{
    QString text = schoolLabel() + QLatin1Char(' ') + cleanLine(notes.school).trimmed()
            + QLatin1Char('\n') + teacherLabel() + QLatin1Char(' ')
            + cleanLine(notes.teacher).trimmed() + QLatin1Char('\n') + conclusionsLabel()
            + QLatin1Char('\n');
    QString conclusions = notes.conclusions;
    conclusions.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines;
    for (const QStringView line : QStringView(conclusions).split(u'\n'))
        lines.append(cleanLine(line));
    const QString body = trimmedLines(lines);
    if (!body.isEmpty())
        text += body + QLatin1Char('\n');
    return text.toUtf8();
}

ReportNotesRead readReportNotes(const QString &directory)
{
    ReportNotesRead read;
    if (directory.isEmpty())
        return read;
    // One byte more than allowed tells a file that is too big.
    const FileHead head = readHead(reportNotesPath(directory), kMaxReportNotesFileSize + 1);
    switch (head.failure) {
    case FileHead::Failure::None:
        break;
    case FileHead::Failure::NotFound:
        return read;
    case FileHead::Failure::NotRegular:
        read.warning = notesMessage(QStringLiteral("to nie jest zwykły plik; pominięto go"));
        return read;
    case FileHead::Failure::CannotOpen:
    case FileHead::Failure::ReadFailed:
        read.warning = notesMessage(QStringLiteral("nie można odczytać pliku; pominięto go"));
        return read;
    }
    if (head.bytes.size() > kMaxReportNotesFileSize) {
        read.warning = notesMessage(QStringLiteral("plik jest większy niż %1 KB; pominięto go")
                                            .arg(kMaxReportNotesFileSize / 1024));
        return read;
    }
    read.notes = parseReportNotes(head.bytes);
    return read;
}

QString reportNotesPath(const QString &directory)
{
    return directory.isEmpty() ? QString()
                               : QDir(directory).filePath(kReportNotesFileName.toString());
}

} // namespace zavevad
