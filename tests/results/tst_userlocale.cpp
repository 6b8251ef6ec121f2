#include "results/loader.h"
#include "results/thresholds.h"
#include "results/userlocale.h"

#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

class TestUserLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void systemWithoutLocaleGetsPolish()
    {
        QLocale::setDefault(QLocale::c());
        QCOMPARE(userLocale().language(), QLocale::Polish);
        QCOMPARE(userCollator().locale().language(), QLocale::Polish);
        QCOMPARE(userCollator().caseSensitivity(), Qt::CaseInsensitive);

        // Under a plain code-point order Ł would follow every Latin letter.
        Uczniowie students(3);
        students[0].Nazwisko = u"Malinowski"_s;
        students[1].Nazwisko = u"Łuczak"_s;
        students[2].Nazwisko = u"Lis"_s;
        sortStudents(students);
        QCOMPARE(students[0].Nazwisko, u"Lis"_s);
        QCOMPARE(students[1].Nazwisko, u"Łuczak"_s);
        QCOMPARE(students[2].Nazwisko, u"Malinowski"_s);

        Thresholds expected;
        expected.cel = 90;
        QCOMPARE(parseThresholds("dP=50\nDST=60\ndb=75\nbdb=85\nCEL=90"), expected);
    }

    void realLocaleIsFollowed()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(userLocale().language(), QLocale::German);
        QCOMPARE(userCollator().locale().language(), QLocale::German);
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }
};

QTEST_GUILESS_MAIN(TestUserLocale)
#include "tst_userlocale.moc"
