#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace zavevad {

/// Name of the test's blueprint, kept beside the students' result files.
inline constexpr QStringView kBlueprintFileName = u"Kartoteka.txt";

/// The largest `Kartoteka.txt` read; a bigger one is left out with a warning.
inline constexpr int kMaxBlueprintFileSize = 64 * 1024;

/// One skill of the blueprint and the questions that check it.
struct Skill
{
    QString name; ///< identifies the skill, exactly as typed (trimmed)
    QString requirement; ///< the first non-empty requirement given for it, or empty
    std::uint32_t questions = 0; ///< bit q - 1 for question q

    friend bool operator==(const Skill &, const Skill &) = default;
};

/// Which skills the questions of the loaded test check; empty when the test
/// has no blueprint.
struct Blueprint
{
    std::vector<Skill> skills; ///< in order of first appearance in the file
    /// With no skills: why the test's `Kartoteka.txt`, which exists, gave none
    /// (the read's warning); empty when there is no such file.
    QString problem;

    bool empty() const { return skills.empty(); }
    friend bool operator==(const Blueprint &, const Blueprint &) = default;
};

/// A blueprint read for a test, and what the teacher must be told about it.
struct BlueprintRead
{
    Blueprint blueprint;
    QString folder; ///< where the file was found, else looked for first (reads of a folder only)
    bool found = false; ///< the file exists (readable or not)
    QList<int> skippedLines; ///< 1-based numbers of the lines left out
    QString warning; ///< for the prompt window; empty when all went well
};

/// The blueprint of a test of `questionCount` questions from the content of
/// `Kartoteka.txt` (UTF-8, a BOM skipped, LF or CR LF). Empty lines and lines
/// starting with '#' are ignored; every other line is "<question><TAB><skill>"
/// with an optional "<TAB><requirement>", the question 1 to `questionCount`
/// and the skill non-empty. Other lines (and lines that are not UTF-8 or
/// hold a control character) are left out and named in the warning; the
/// rest is used.
BlueprintRead parseBlueprint(QByteArrayView content, int questionCount);

/// Reads `Kartoteka.txt` in `directory` for a test of `questionCount`
/// questions. A missing file is no blueprint and no warning; a file that is
/// not a regular one, cannot be read or is larger than kMaxBlueprintFileSize
/// is no blueprint with a warning saying why.
BlueprintRead readBlueprint(const QString &directory, int questionCount);

/// Reads the blueprint of a test whose first result file is `firstResultFile`:
/// `Kartoteka.txt` beside it, else in the folder above it, where one file
/// serves the classes in its folders. The folder is where it was found, else
/// the first file's, where the blueprint dialog then saves it.
BlueprintRead readTestBlueprint(const QString &firstResultFile, int questionCount);

/// The `Kartoteka.txt` that readTestBlueprint() reads for `firstResultFile`, or
/// the one beside it when there is none.
QString blueprintPathFor(const QString &firstResultFile);

/// "Kartoteka.txt: pominięto wiersze 4, 9" (one line: "wiersz 4").
QString skippedLinesWarning(const QList<int> &lines);

/// The file that gives `blueprint` back when read: UTF-8 with LF, one line
/// per question and skill, questions ascending, each line with the skill's
/// requirement when it has one.
QByteArray blueprintFileBytes(const Blueprint &blueprint, int questionCount);

/// The questions 1 to `questionCount` that no skill checks, as a bit mask.
std::uint32_t questionsWithoutSkill(const Blueprint &blueprint, int questionCount);

} // namespace zavevad
