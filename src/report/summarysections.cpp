#include "report/summarysections.h"

#include "report/conclusions.h"
#include "report/paper.h"
#include "report/reportkey.h"
#include "tables/numberformat.h"

#include <QLocale>

namespace zavevad {

namespace {

QString undefined()
{
    return QString(QChar(0x2013));
}

QString twoDecimals(const std::optional<Fraction> &value)
{
    return value ? twoDecimalText(hundredths(*value)) : undefined();
}

QString pointsText(const std::optional<Fraction> &points)
{
    return points ? twoDecimals(points) + QStringLiteral(" pkt") : undefined();
}

/// A share of the questions as a percentage with two decimals: "61,75 %".
QString percentText(const Fraction &share)
{
    return twoDecimalText(hundredths(Fraction{share.numerator * 100, share.denominator}))
            + QStringLiteral(" %");
}

QString classNames(const SummaryFigures &f)
{
    QStringList names;
    for (const ClassFigure &c : f.classes) {
        if (!c.name.isEmpty())
            names.append(c.name);
    }
    return names.join(QStringLiteral(", "));
}

/// "15.03.2023", or with classes "8a 15.03.2023, 8b 16.03.2023".
QString testDates(const SummaryFigures &f)
{
    const QLocale locale;
    QStringList dates;
    for (const ClassFigure &c : f.classes) {
        if (!c.testDate)
            continue;
        const QString date = locale.toString(*c.testDate, QLocale::ShortFormat);
        dates.append(f.classes.size() > 1 ? c.name + QLatin1Char(' ') + date : date);
    }
    return dates.join(QStringLiteral(", "));
}

QString questionsText(const std::vector<QuestionFigure> &questions)
{
    QStringList items;
    for (const QuestionFigure &q : questions)
        items.append(QStringLiteral("%1 (%2)").arg(q.number).arg(twoDecimalText(q.easiness100)));
    return items.join(QStringLiteral(", "));
}

QString weakSkillsText(const SummaryFigures &f)
{
    QStringList items;
    for (const SkillFigure &skill : f.skills) {
        if (skill.facility100 < 50)
            items.append(
                    QStringLiteral("«%1» (%2)").arg(skill.name, twoDecimalText(skill.facility100)));
    }
    return items.join(QStringLiteral(", "));
}

/// The files the load left out and why: the reader must know whom the
/// figures leave out.
QString skippedFilesText(const SummaryFigures &f)
{
    QStringList parts;
    if (!f.otherTestFiles.isEmpty())
        parts.append(f.otherTestFiles.join(QStringLiteral(", ")) + QStringLiteral(" (inny test)"));
    if (!f.otherCountFiles.isEmpty()) {
        parts.append(f.otherCountFiles.join(QStringLiteral(", "))
                + QStringLiteral(" (inna liczba pytań)"));
    }
    return parts.join(QStringLiteral("; "));
}

QString passedText(const SummaryFigures &f)
{
    QString text = QStringLiteral("%1 z %2").arg(f.passed()).arg(f.students);
    if (const std::optional<std::int64_t> share = percentDown(f.passed(), f.students))
        text += QStringLiteral(" (%1 %)").arg(*share);
    return text;
}

} // namespace

TitleSection summarySection(
        const SummaryFigures &f, const Thresholds &thresholds, const QDate &reportDate)
{
    TitleSection title;
    title.heading = QStringLiteral("Raport z analizy testu");
    title.subheading = QStringLiteral("Podsumowanie");
    title.runningHeader = runningHeaderText(f);
    auto &lines = title.lines;
    const auto add = [&lines](const char16_t *label, const QString &value) {
        lines.emplace_back(QString::fromUtf16(label), value);
    };
    const auto addIf = [&add](const char16_t *label, const QString &value) {
        if (!value.isEmpty())
            add(label, value);
    };
    add(u"Test:", f.testName);
    const QString classes = classNames(f);
    addIf(f.classes.size() > 1 ? u"Klasy:" : u"Klasa:", classes);
    addIf(u"Data testu:", testDates(f));
    add(u"Data raportu:", QLocale().toString(reportDate, QLocale::ShortFormat));
    addIf(u"Szkoła:", f.notes.school);
    addIf(u"Nauczyciel:", f.notes.teacher);
    add(u"Liczba uczniów:", QString::number(f.students));
    add(u"Liczba pytań:", QString::number(f.questions));
    addIf(u"Pominięte pliki:", skippedFilesText(f));
    add(u"Progi ocen:", gradeThresholdsText(thresholds));
    QString mean = pointsText(f.mean);
    if (f.mean && f.easiness)
        mean += QStringLiteral(" (%1)").arg(percentText(*f.easiness));
    add(u"Średnia:", mean);
    add(u"Mediana:", pointsText(f.median));
    add(u"Co najmniej Dop:", passedText(f));
    add(u"Oceny:", gradeSharesText(f));
    add(u"Łatwość testu:",
            f.easiness ? twoDecimals(f.easiness) + QStringLiteral(" – ") + testCategory(*f.easiness)
                       : undefined());
    add(u"KR-20:",
            f.kr20 ? twoDecimals(f.kr20) + QStringLiteral(" – ")
                            + reliabilityWord(hundredths(*f.kr20))
                   : undefined());
    addIf(u"Najtrudniejsze pytania:", questionsText(f.hardest));
    addIf(u"Najłatwiejsze pytania:", questionsText(f.easiest));
    addIf(u"Umiejętności poniżej 0,50:", weakSkillsText(f));
    const auto [weakest, best] = weakestAndBestClass(f);
    if (weakest && best) {
        add(u"Najwyższa średnia klasy:",
                best->name + QStringLiteral(" – ") + percentText(*best->easiness));
        add(u"Najniższa średnia klasy:",
                weakest->name + QStringLiteral(" – ") + percentText(*weakest->easiness));
    }
    return title;
}

std::optional<TextSection> conclusionsSection(const SummaryFigures &figures)
{
    const QStringList sentences = generatedConclusions(figures);
    if (sentences.isEmpty())
        return std::nullopt;
    TextSection section;
    section.title = QStringLiteral("Wnioski");
    for (const QString &sentence : sentences)
        section.paragraphs.append(QStringLiteral("• ") + sentence);
    return section;
}

std::optional<TextSection> teacherSection(const ReportNotes &notes)
{
    if (notes.conclusions.trimmed().isEmpty())
        return std::nullopt;
    TextSection section;
    section.title = QStringLiteral("Wnioski i rekomendacje");
    section.paragraphs = notes.conclusions.split(QLatin1Char('\n'));
    return section;
}

TextSection keySection(bool classes, bool skills)
{
    TextSection section;
    section.title = QStringLiteral("Objaśnienia");
    section.paragraphs = reportKeyParagraphs(classes, skills);
    section.newPage = true;
    return section;
}

} // namespace zavevad
