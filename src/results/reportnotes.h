#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zavevad {

/// Name of the teacher's notes for the report, kept beside the result files.
inline constexpr QStringView kReportNotesFileName = u"Raport.txt";

/// The largest `Raport.txt` read; a bigger one is left out with a warning.
inline constexpr int kMaxReportNotesFileSize = 256 * 1024;

/// What the teacher adds to the report: the school, the teacher, and the
/// conclusions and recommendations in their own words.
struct ReportNotes
{
    QString school;
    QString teacher;
    QString conclusions; ///< lines separated by LF, as typed

    bool empty() const { return school.isEmpty() && teacher.isEmpty() && conclusions.isEmpty(); }
    friend bool operator==(const ReportNotes &, const ReportNotes &) = default;
};

/// Notes read from a folder, and what the teacher must be told about them.
struct ReportNotesRead
{
    ReportNotes notes;
    QString warning; ///< empty when the file was read or is missing
};

/// The notes in `content` (UTF-8, a BOM skipped, LF or CR LF): a line
/// "Szkoła: <school>", a line "Nauczyciel: <teacher>", and after a line
/// "Wnioski i rekomendacje:" the teacher's text to the end. Lines before that
/// one that are neither are taken as the text too, so a file a teacher wrote
/// by hand loses nothing; control characters other than LF and TAB are dropped.
ReportNotes parseReportNotes(QByteArrayView content);

/// The file that gives `notes` back when read: UTF-8 with LF.
QByteArray reportNotesFileBytes(const ReportNotes &notes);

/// Reads `Raport.txt` in `directory`. A missing file is no notes and no
/// warning; a file that is not a regular one, cannot be read or is larger
/// than kMaxReportNotesFileSize is no notes with a warning saying why.
ReportNotesRead readReportNotes(const QString &directory);

/// Where `Raport.txt` lives for the result files of `directory`; empty for none.
QString reportNotesPath(const QString &directory);

} // namespace zavevad
