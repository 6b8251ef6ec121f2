#include "report/conclusions.h"

#include "tables/numberformat.h"

namespace zavevad {

namespace {

/// The kr20 below which the test's reliability is named.
constexpr std::int64_t kLowReliability = 70;
/// The facility of a skill below which its mastery is named.
constexpr std::int64_t kWeakSkill = 50;

/// "6", "6 i 13", "6, 9 i 13": a Polish list.
QString listed(const QStringList &items)
{
    if (items.size() <= 1)
        return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" i ")
            + items.constLast();
}

QString numbersOf(const std::vector<QuestionFigure> &questions)
{
    QStringList numbers;
    for (const QuestionFigure &q : questions)
        numbers.append(QString::number(q.number));
    return listed(numbers);
}

QString easinessesOf(const std::vector<QuestionFigure> &questions)
{
    QStringList values;
    for (const QuestionFigure &q : questions)
        values.append(twoDecimalText(q.easiness100));
    return listed(values);
}

QStringList testDifficulty(const SummaryFigures &f)
{
    if (!f.easiness)
        return {};
    return {QStringLiteral("Test okazał się %1 (łatwość %2).")
                    .arg(testCategory(*f.easiness), twoDecimalText(hundredths(*f.easiness)))};
}

QStringList namedQuestions(
        const std::vector<QuestionFigure> &questions, const QString &one, const QString &many)
{
    if (questions.empty())
        return {};
    return {(questions.size() == 1 ? one : many)
                    .arg(numbersOf(questions), easinessesOf(questions))};
}

QStringList hardestQuestions(const SummaryFigures &f)
{
    return namedQuestions(f.hardest,
            QStringLiteral("Najtrudniejsze okazało się pytanie %1 (łatwość %2)."),
            QStringLiteral("Najtrudniejsze okazały się pytania %1 (łatwość %2)."));
}

QStringList easiestQuestions(const SummaryFigures &f)
{
    return namedQuestions(f.easiest,
            QStringLiteral("Najłatwiejsze okazało się pytanie %1 (łatwość %2)."),
            QStringLiteral("Najłatwiejsze okazały się pytania %1 (łatwość %2)."));
}

QStringList weakQuestions(const SummaryFigures &f)
{
    const std::vector<QuestionFigure> &q = f.weakDiscrimination;
    if (q.empty())
        return {};
    if (q.size() == 1) {
        return {QStringLiteral(
                "Pytanie %1 słabo różnicuje uczniów: warto sprawdzić jego treść i klucz.")
                        .arg(q.front().number)};
    }
    return {QStringLiteral("Pytania %1 słabo różnicują uczniów: warto sprawdzić ich treść i klucz.")
                    .arg(numbersOf(q))};
}

QStringList negativeQuestions(const SummaryFigures &f)
{
    const std::vector<QuestionFigure> &q = f.negativeDiscrimination;
    if (q.empty())
        return {};
    if (q.size() == 1) {
        return {QStringLiteral("Na pytanie %1 słabsi uczniowie odpowiadali lepiej niż lepsi: "
                               "warto sprawdzić jego klucz.")
                        .arg(q.front().number)};
    }
    return {QStringLiteral("Na pytania %1 słabsi uczniowie odpowiadali lepiej niż lepsi: "
                           "warto sprawdzić ich klucz.")
                    .arg(numbersOf(q))};
}

QStringList lowReliability(const SummaryFigures &f)
{
    if (!f.kr20 || hundredths(*f.kr20) >= kLowReliability)
        return {};
    return {QStringLiteral("Rzetelność testu jest niska (KR-20 %1): wyniki pojedynczych uczniów "
                           "należy traktować ostrożnie.")
                    .arg(twoDecimalText(hundredths(*f.kr20)))};
}

QStringList passedShare(const SummaryFigures &f)
{
    const std::optional<std::int64_t> share = percentDown(f.passed(), f.students);
    if (!share)
        return {};
    return {QStringLiteral("Ocenę co najmniej dopuszczającą uzyskało %1 % uczniów.").arg(*share)};
}

QStringList weakSkills(const SummaryFigures &f)
{
    QStringList sentences;
    for (const SkillFigure &skill : f.skills) {
        const std::optional<std::int64_t> share = percentDown(skill.studentsFromHalf, f.students);
        if (!share || skill.facility100 >= kWeakSkill)
            continue;
        sentences.append(QStringLiteral("Umiejętność «%1» opanowało %2 % uczniów.")
                                 .arg(skill.name)
                                 .arg(*share));
    }
    return sentences;
}

QStringList classGap(const SummaryFigures &f)
{
    const auto [weakest, best] = weakestAndBestClass(f);
    if (!weakest || !best)
        return {};
    const Fraction &w = *weakest->easiness;
    const Fraction &b = *best->easiness;
    const std::optional<std::int64_t> gap =
            percentDown(b.numerator * w.denominator - w.numerator * b.denominator,
                    b.denominator * w.denominator);
    if (!gap || *gap < kClassGapPoints)
        return {};
    return {QStringLiteral("Klasa %1 uzyskała wynik o %2 pkt proc. niższy niż %3.")
                    .arg(weakest->name)
                    .arg(*gap)
                    .arg(best->name)};
}

} // namespace

const std::vector<ConclusionRule> &conclusionRules()
{
    static const std::vector<ConclusionRule> rules{
            {QStringLiteral("łatwość testu"), QStringLiteral("zawsze, gdy jest określona"),
                    QStringLiteral("Test okazał się <kategoria> (łatwość <łatwość>)."),
                    testDifficulty},
            {QStringLiteral("łatwość pytań"),
                    QStringLiteral("pytania o łatwości poniżej 0,50, do pięciu najtrudniejszych"),
                    QStringLiteral("Najtrudniejsze okazały się pytania <numery> (łatwość "
                                   "<łatwości>)."),
                    hardestQuestions},
            {QStringLiteral("łatwość pytań"),
                    QStringLiteral("pytania o łatwości od 0,90, do pięciu najłatwiejszych"),
                    QStringLiteral("Najłatwiejsze okazały się pytania <numery> (łatwość "
                                   "<łatwości>)."),
                    easiestQuestions},
            {QStringLiteral("moc różnicująca pytań"),
                    QStringLiteral("pytania z uwagą „słaba” (moc różn. od 0,00 do 0,19)"),
                    QStringLiteral("Pytanie <numer> słabo różnicuje uczniów: warto sprawdzić "
                                   "jego treść i klucz."),
                    weakQuestions},
            {QStringLiteral("moc różnicująca pytań"),
                    QStringLiteral("pytania z uwagą „ujemna” (moc różn. poniżej 0,00)"),
                    QStringLiteral("Na pytanie <numer> słabsi uczniowie odpowiadali lepiej niż "
                                   "lepsi: warto sprawdzić jego klucz."),
                    negativeQuestions},
            {QStringLiteral("KR-20"), QStringLiteral("KR-20 określony i poniżej 0,70"),
                    QStringLiteral("Rzetelność testu jest niska (KR-20 <wartość>): wyniki "
                                   "pojedynczych uczniów należy traktować ostrożnie."),
                    lowReliability},
            {QStringLiteral("odsetek uczniów z oceną Dop lub wyższą"),
                    QStringLiteral("zawsze, gdy są uczniowie (odsetek zaokrąglony w dół)"),
                    QStringLiteral("Ocenę co najmniej dopuszczającą uzyskało <odsetek> % "
                                   "uczniów."),
                    passedShare},
            {QStringLiteral("umiejętności z kartoteki testu"),
                    QStringLiteral("umiejętności o łatwości poniżej 0,50; odsetek uczniów z co "
                                   "najmniej połową jej pytań, zaokrąglony w dół"),
                    QStringLiteral("Umiejętność «<nazwa>» opanowało <odsetek> % uczniów."),
                    weakSkills},
            {QStringLiteral("średnie wyniki klas (w procentach)"),
                    QStringLiteral("dwie lub więcej klas, różnica najlepszej i najsłabszej co "
                                   "najmniej 10 pkt proc. (zaokrąglona w dół)"),
                    QStringLiteral("Klasa <najsłabsza> uzyskała wynik o <różnica> pkt proc. "
                                   "niższy niż <najlepsza>."),
                    classGap},
    };
    return rules;
}

QStringList generatedConclusions(const SummaryFigures &figures)
{
    QStringList sentences;
    for (const ConclusionRule &rule : conclusionRules())
        sentences.append(rule.write(figures));
    return sentences;
}

} // namespace zavevad
