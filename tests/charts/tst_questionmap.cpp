#include "appearance/chartappearance.h"
#include "chartengine/chartrenderer.h"
#include "charts/scorecharts.h"
#include "results/grading.h"
#include "tables/numberformat.h"

#include <QImage>
#include <QLocale>
#include <QTest>

#include <cmath>
#include <optional>
#include <vector>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

/// answers[s][q]: whether student s answered question q correctly.
using Answers = std::vector<std::vector<bool>>;

AnalysisState loadedClass(const Answers &answers)
{
    AnalysisState state;
    state.dataLoaded = true;
    state.tableMode = TableResults;
    const int questions = int(answers.front().size());
    state.questionCount = questions;
    int i = 0;
    for (const std::vector<bool> &row : answers) {
        UczenAll s;
        s.Nazwisko = QStringLiteral("Uczeń%1").arg(++i);
        s.Imie = QStringLiteral("Ola");
        s.LiczbaPytan = questions;
        for (int q = 0; q < questions; ++q)
            s.Odpowiedzi[std::size_t(q)] = row[std::size_t(q)] ? 1 : 0;
        s.Poczatek = 45000.375;
        s.Koniec = s.Poczatek + 0.01;
        state.students.push_back(s);
    }
    state.studentCount = std::int32_t(state.students.size());
    gradeStudents(state.students, questions, state.thresholds, state.summary);
    computeQuestionStats(state.students, questions, state.questions);
    computeClassTotals(state.students, state.summary);
    return state;
}

/// A class whose questions range from easy to hard: student s answers
/// question q correctly when a fixed pseudo-random draw falls below a share
/// that falls with q and rises with the student's ability.
Answers spreadClass(int students, int questions, unsigned seed)
{
    Answers answers(static_cast<std::size_t>(students),
            std::vector<bool>(static_cast<std::size_t>(questions)));
    unsigned x = seed;
    for (int s = 0; s < students; ++s) {
        const double ability = double(s) / students;
        for (int q = 0; q < questions; ++q) {
            x = x * 1103515245u + 12345u;
            const double draw = double((x >> 8) % 10000) / 10000.0;
            const double share = 0.95 - 0.8 * q / questions + 0.5 * (ability - 0.5);
            answers[std::size_t(s)][std::size_t(q)] = draw < share;
        }
    }
    return answers;
}

/// Pearson's r of question q against the rest of the score, counted anew.
std::optional<double> naiveCorrectedR(const Answers &a, std::size_t q)
{
    const double n = double(a.size());
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (const std::vector<bool> &row : a) {
        double rest = 0;
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k != q && row[k])
                rest += 1;
        }
        const double item = row[q] ? 1 : 0;
        sx += item;
        sy += rest;
        sxx += item * item;
        syy += rest * rest;
        sxy += item * rest;
    }
    const double vx = sxx - sx * sx / n;
    const double vy = syy - sy * sy / n;
    if (vx <= 1e-12 || vy <= 1e-12)
        return std::nullopt;
    return (sxy - sx * sy / n) / std::sqrt(vx * vy);
}

double twoDecimals(double v)
{
    return std::round(v * 100.0) / 100.0;
}

} // namespace

class TestQuestionMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void pointsAreTheItemAnalysisNumbers()
    {
        // 30 students keep every share off a tie at the half hundredth.
        Answers answers = spreadClass(30, 12, 7u);
        for (std::vector<bool> &row : answers) {
            row[3] = true; // answered by all: r undefined
            row[8] = false; // by none: r undefined
        }
        // Question 11 reversed: the weakest third get it, the rest do not.
        for (std::size_t s = 0; s < answers.size(); ++s)
            answers[s][10] = s < 10;
        const AnalysisState state = loadedClass(answers);
        const QList<QuestionMapPoint> map = questionMap(state);
        QCOMPARE(map.size(), 12);

        QStringList undefined;
        int good = 0;
        int weak = 0;
        for (std::size_t q = 0; q < 12; ++q) {
            const QuestionMapPoint &point = map[qsizetype(q)];
            QCOMPARE(point.question, int(q) + 1);
            int correct = 0;
            for (const std::vector<bool> &row : answers)
                correct += row[q] ? 1 : 0;
            const double p = twoDecimals(correct / 30.0);
            QCOMPARE(point.easiness, p);
            const std::optional<double> r = naiveCorrectedR(answers, q);
            QCOMPARE(point.r.has_value(), r.has_value());
            if (!r) {
                QCOMPARE(point.zone, QuestionZone::Undefined);
                undefined.append(QString::number(q + 1));
                continue;
            }
            QCOMPARE(*point.r, twoDecimals(*r));
            const double shownR = twoDecimals(*r);
            const QuestionZone zone = shownR < 0.195              ? QuestionZone::Weak
                    : shownR >= 0.295 && p >= 0.295 && p <= 0.805 ? QuestionZone::Good
                                                                  : QuestionZone::Other;
            QCOMPARE(point.zone, zone);
            good += zone == QuestionZone::Good;
            weak += zone == QuestionZone::Weak;
        }
        QCOMPARE(undefined, (QStringList{u"4"_s, u"9"_s}));
        QVERIFY(*map[10].r < 0); // the reversed question
        QVERIFY(good > 0 && weak > 0);

        // The chart plots every defined question at its numbers, named by
        // its number, and lists the rest under the plot.
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        QVERIFY(BuildScoreChart(ScoreChart::QuestionMap, state, appearances, c, kind).applied);
        QCOMPARE(c.header.lines, QStringList{u"Mapa pytań"_s});
        QCOMPARE(c.xy.points.size(), 10);
        for (const chart::XYPoint &p : c.xy.points) {
            const QuestionMapPoint &q = map[p.label.toInt() - 1];
            QCOMPARE(p.x, q.easiness);
            QCOMPARE(p.y, *q.r);
        }
        QCOMPARE(c.xy.note, u"Bez wskaźnika r (–), poza wykresem: pytania 4, 9"_s);
        QCOMPARE(c.xy.pointNames.first(),
                u"Pytanie 1: łatwość %1, r %2"_s.arg(QLocale().toString(map[0].easiness, 'f', 2),
                        QLocale().toString(*map[0].r, 'f', 2)));
    }

    void everyNumberPlacedWithoutOverlap_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("crowded");
        // A class of the most questions a result file holds, and forty
        // points spread as widely as a real test's questions.
        QTest::newRow("30 questions, chart window") << QSize(555, 376) << 3u << 0;
        QTest::newRow("30 questions, other class") << QSize(555, 376) << 11u << 0;
        QTest::newRow("30 questions, page") << QSize(1000, 700) << 5u << 0;
        QTest::newRow("40 crowded points, chart window") << QSize(555, 376) << 3u << 40;
        QTest::newRow("40 crowded points, page") << QSize(1000, 700) << 9u << 40;
    }
    void everyNumberPlacedWithoutOverlap()
    {
        QFETCH(QSize, size);
        QFETCH(unsigned, seed);
        QFETCH(int, crowded);
        Answers answers = spreadClass(25, 30, seed);
        // The weakest get every question wrong and the best every one
        // right, so that each question varies...
        answers.front().assign(30, false);
        answers.back().assign(30, true);
        for (std::vector<bool> &row : answers)
            row[20] = true; // ...but one, which goes under the plot
        const AnalysisState state = loadedClass(answers);
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        QVERIFY(BuildScoreChart(ScoreChart::QuestionMap, state, appearances, c, kind).applied);
        QStringList expected;
        for (const chart::XYPoint &p : std::as_const(c.xy.points))
            expected.append(p.label);
        QCOMPARE(expected.size(), 29);
        if (crowded > 0) {
            c.xy.points.clear();
            expected.clear();
            unsigned x = seed;
            for (int q = 1; q <= crowded; ++q) {
                x = x * 1103515245u + 12345u;
                const double p = 0.15 + double((x >> 8) % 80) / 100.0;
                x = x * 1103515245u + 12345u;
                const double r = -0.2 + double((x >> 8) % 90) / 100.0;
                c.xy.points.append({p, r, QColor(31, 100, 200), QString::number(q)});
                expected.append(QString::number(q));
            }
        }
        const QRectF target(QPointF(0, 0), size);
        QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
        const chart::ChartGeometry g = chart::chartGeometry(c, target, {}, &device);

        // Every plotted question is named once, beside its marker or in the box.
        QCOMPARE(g.pointBoxes.size(), expected.size());
        QStringList named;
        QList<QRectF> labels;
        int aside = 0;
        for (const chart::MarkGeometry &m : g.marks) {
            named.append(m.text);
            labels.append(m.box);
        }
        for (const chart::MarkGeometry &m : g.overflowNames) {
            if (m.point >= 0) {
                named.append(m.text);
                ++aside;
            }
            labels.append(m.box);
        }
        named.sort();
        expected.sort();
        QCOMPARE(named, expected);
        QVERIFY2(aside <= expected.size() / 4, "most numbers stand beside their questions");

        for (qsizetype i = 0; i < labels.size(); ++i) {
            QVERIFY(target.contains(labels[i]));
            for (qsizetype j = i + 1; j < labels.size(); ++j)
                QVERIFY2(!labels[i].intersects(labels[j]), qPrintable(QString::number(i)));
            for (const QRectF &marker : g.pointBoxes)
                QVERIFY(!labels[i].intersects(marker));
        }

        // The question without r is listed below the plot, inside the chart.
        QCOMPARE(g.notes.size(), 1);
        QVERIFY(g.notes[0].text.endsWith(u"pytania 21"_s));
        QVERIFY(g.notes[0].box.top() > g.plot.bottom());
        QVERIFY(target.contains(g.notes[0].box));
    }

    void zonesAreDrawn()
    {
        const AnalysisState state = loadedClass(spreadClass(30, 10, 7u));
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        QVERIFY(BuildScoreChart(ScoreChart::QuestionMap, state, appearances, c, kind).applied);
        c.xy.points.clear(); // only the zones and the grid
        const QSize size(555, 376);
        const chart::ChartGeometry g = chart::chartGeometry(c, QRectF(QPointF(0, 0), size));
        const QImage image = chart::renderToImage(c, size);
        const auto at = [&](double x, double y) {
            return QPointF(g.plot.left() + x * g.plot.width(),
                    g.plot.bottom() - (y + 1.0) / 2.0 * g.plot.height())
                    .toPoint();
        };
        const QColor wall = image.pixelColor(at(0.15, 0.6));
        const QColor good = image.pixelColor(at(0.53, 0.63));
        QVERIFY2(good != wall && good.green() > good.red(), qPrintable(good.name()));
        // The weak zone is hatched: some of its pixels are reddish.
        int reddish = 0;
        for (int dx = 0; dx < 20; ++dx) {
            const QColor px = image.pixelColor(at(0.5, -0.5) + QPoint(dx, 0));
            reddish += px.red() > px.green() + 30;
        }
        QVERIFY(reddish > 0);
    }
};

QTEST_MAIN(TestQuestionMap)
#include "tst_questionmap.moc"
