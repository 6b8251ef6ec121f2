#include "specialfiles.h"

#include "results/blueprint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zavevad;
using zavevad::test::Fifo;
using namespace Qt::StringLiterals;

namespace {

// "name|requirement|questions" per skill, joined by ";".
QString describe(const Blueprint &blueprint)
{
    QStringList skills;
    for (const Skill &skill : blueprint.skills) {
        QStringList questions;
        for (int q = 1; q <= 32; ++q) {
            if (skill.questions & (1u << (q - 1)))
                questions << QString::number(q);
        }
        skills << skill.name + u'|' + skill.requirement + u'|' + questions.join(u',');
    }
    return skills.join(u';');
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestBlueprint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("skills");
        QTest::addColumn<QList<int>>("skipped");
        QTest::newRow("comments and empty lines")
                << QByteArray("# Kartoteka\n\n1\tProcenty\tV.3\n#2\tx\n2\tProcenty\n") << 3
                << u"Procenty|V.3|1,2"_s << QList<int>{};
        QTest::newRow("CR LF and a BOM") << QByteArray("\xEF\xBB\xBF"
                                                       "1\tA\r\n\r\n2\tB\tI.1\r\n")
                                         << 3 << u"A||1;B|I.1|2"_s << QList<int>{};
        QTest::newRow("a question in two skills, the first requirement given")
                << QByteArray("1\tA\n1\tB\n2\tA\tX\n3\tA\tY\n1\tA\n") << 3 << u"A|X|1,2,3;B||1"_s
                << QList<int>{};
        QTest::newRow("unknown numbers")
                << QByteArray("0\tA\n4\tA\n3\tA\nx\tA\n-1\tA\n+2\tA\n1.0\tA\n") << 3 << u"A||3"_s
                << QList<int>{1, 2, 4, 5, 6, 7};
        QTest::newRow("empty skills and wrong fields")
                << QByteArray("1\t\n2\t  \tV\n3\tB\n1 A\n1\tA\tB\tC\n  \t\n") << 3 << u"B||3"_s
                << QList<int>{1, 2, 4, 5};
        QTest::newRow("trimmed fields, Polish letters")
                << QByteArray(" 2 \t  Ułamki zwykłe \t V.3 \n") << 3 << u"Ułamki zwykłe|V.3|2"_s
                << QList<int>{};
        QTest::newRow("not UTF-8, a stray CR")
                << QByteArray("1\t\xFF\xFE\n2\tA\n3\tA\rB\n3\tB\tV\r\r\n") << 3 << u"A||2;B|V|3"_s
                << QList<int>{1, 3};
        QTest::newRow("nothing usable") << QByteArray("abc\n") << 3 << QString() << QList<int>{1};
    }
    void parse()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, questions);
        QFETCH(QString, skills);
        QFETCH(QList<int>, skipped);
        const BlueprintRead read = parseBlueprint(content, questions);
        QCOMPARE(describe(read.blueprint), skills);
        QCOMPARE(read.skippedLines, skipped);
        QCOMPARE(read.warning, skipped.isEmpty() ? QString() : skippedLinesWarning(skipped));

        // What the dialog saves reads back as the same blueprint.
        const QByteArray saved = blueprintFileBytes(read.blueprint, questions);
        const BlueprintRead again = parseBlueprint(saved, questions);
        QCOMPARE(describe(again.blueprint), skills);
        QVERIFY(again.skippedLines.isEmpty());
    }

    void warningAndFileTexts()
    {
        QCOMPARE(skippedLinesWarning({4, 9}), u"Kartoteka.txt: pominięto wiersze 4, 9"_s);
        QCOMPARE(skippedLinesWarning({4}), u"Kartoteka.txt: pominięto wiersz 4"_s);
        QCOMPARE(skippedLinesWarning({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}),
                u"Kartoteka.txt: pominięto wiersze 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 i dalsze "
                "(razem: 12)"_s);

        Blueprint blueprint;
        blueprint.skills = {{u"Procenty"_s, u"V.3"_s, 0b101}, {u"Ułamki"_s, QString(), 0b001},
                {u"Z\ttabulatorem"_s, QString(), 0b010}};
        QCOMPARE(blueprintFileBytes(blueprint, 3),
                QByteArray("1\tProcenty\tV.3\n1\tUłamki\n2\tZ tabulatorem\n3\tProcenty\tV.3\n"));
        QCOMPARE(questionsWithoutSkill(blueprint, 5), 0b11000u);
    }

    void readFile_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("skills");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing") << u"missing"_s << 0 << QString();
        QTest::newRow("64 KB") << u"64 KB"_s << 1 << QString();
        QTest::newRow("64 KB + 1") << u"64 KB + 1"_s << 0
                                   << u"Kartoteka.txt: plik jest większy niż 64 KB; pominięto go"_s;
        QTest::newRow("FIFO") << u"fifo"_s << 0
                              << u"Kartoteka.txt: to nie jest zwykły plik; pominięto go"_s;
        QTest::newRow("folder") << u"folder"_s << 0
                                << u"Kartoteka.txt: to nie jest zwykły plik; pominięto go"_s;
    }
    void readFile()
    {
        QFETCH(QString, what);
        QFETCH(int, skills);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Kartoteka.txt"_s);
        // 16,384 lines of four bytes: exactly 64 KB.
        const QByteArray full = QByteArray("1\tA\n").repeated(16384);
        std::unique_ptr<Fifo> fifo;
        if (what == u"64 KB"_s) {
            writeFile(path, full);
        } else if (what == u"64 KB + 1"_s) {
            writeFile(path, full + '\n');
        } else if (what == u"fifo"_s) {
            fifo = std::make_unique<Fifo>(path);
            if (!fifo->made())
                QSKIP("No FIFO on this system");
        } else if (what == u"folder"_s) {
            QVERIFY(QDir(dir.path()).mkdir(u"Kartoteka.txt"_s));
        }
        const BlueprintRead read = readBlueprint(dir.path(), 3);
        QCOMPARE(int(read.blueprint.skills.size()), skills);
        QCOMPARE(read.warning, warning);
        if (fifo)
            QVERIFY(!fifo->releasedAReader());
    }
};

QTEST_GUILESS_MAIN(TestBlueprint)
#include "tst_blueprint.moc"
