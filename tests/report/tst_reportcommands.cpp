// The three "Plik" commands: the save dialog they show, the file they write,
// and an old file kept whole when the save fails.

#include "../tables/analysisbuilder.h"
#include "filebytes.h"
#include "scriptedplatform.h"

#include "platform/commanderror.h"
#include "report/reportcommands.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace zavevad;
using namespace zavevad::test;

namespace {

using Command = void (*)(const AnalysisState &);

QString runCommand(Command command, const AnalysisState &analysis)
{
    try {
        command(analysis);
    } catch (const CommandError &error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestReportCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void saves_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("magic");
        // The dialog's title says what is saved.
        QTest::addColumn<QString>("title");
        QTest::newRow("pdf") << Command(ZapiszRaportPdf) << "Dokument PDF (*.pdf)"
                             << "pdf" << QByteArray("%PDF-") << "Zapisz raport PDF";
        QTest::newRow("cards") << Command(ZapiszKartyPdf) << "Dokument PDF (*.pdf)"
                               << "pdf" << QByteArray("%PDF-") << "Zapisz karty uczniów";
        QTest::newRow("xlsx") << Command(ZapiszArkusz) << "Skoroszyt programu Excel (*.xlsx)"
                              << "xlsx" << QByteArray("PK\x03\x04") << "Zapisz arkusz";
    }
    void saves()
    {
        QFETCH(Command, command);
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        QFETCH(QByteArray, magic);
        QFETCH(QString, title);
        const AnalysisState analysis = makeAnalysis(6, 12);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());

        // Cancelled: the dialog was shown with the command's filter, nothing written.
        ScriptedPlatform platform;
        platform.saveAnswers.push_back(std::nullopt);
        QCOMPARE(runCommand(command, analysis), QString());
        QCOMPARE(platform.calls.size(), 1);
        QCOMPARE(platform.calls.at(0).title, title);
        QCOMPARE(platform.calls.at(0).filter, filter);
        QCOMPARE(platform.calls.at(0).defaultExtension, extension);
        QVERIFY(root.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

        // A name typed without extension gets the command's.
        platform.saveAnswers.push_back(dir.filePath(QStringLiteral("raport")));
        QCOMPARE(runCommand(command, analysis), QString());
        QVERIFY(readAll(dir.filePath(QStringLiteral("raport.") + extension)).startsWith(magic));

        // An existing file is replaced only when the user says so.
        const QString old = dir.filePath(QStringLiteral("stary.") + extension);
        QVERIFY(writeFile(old, "stare"));
        platform.saveAnswers.push_back(old);
        QCOMPARE(runCommand(command, analysis), QString());
        QCOMPARE(platform.replaceQuestions, QStringList{old});
        QCOMPARE(readAll(old), QByteArray("stare"));
        platform.saveAnswers.push_back(old);
        platform.replaceAnswers.push_back(true);
        QCOMPARE(runCommand(command, analysis), QString());
        QVERIFY(readAll(old).startsWith(magic));

        // The name fits the folder but the temporary sibling's does not: the
        // write fails at its very end, and the old file stays as it was.
        const QString longName = QString(250 - extension.size() - 1, QLatin1Char('n'));
        const QString chosen = dir.filePath(longName + QLatin1Char('.') + extension);
        QVERIFY(writeFile(chosen, "stare dane"));
        const QStringList before =
                root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        platform.saveAnswers.push_back(dir.filePath(longName));
        platform.replaceAnswers.push_back(true);
        const QString message = runCommand(command, analysis);
        QVERIFY2(message.startsWith(QStringLiteral("Nie można zapisać pliku ")
                         + QDir::toNativeSeparators(chosen) + QStringLiteral(": ")),
                qPrintable(message));
        QCOMPARE(readAll(chosen), QByteArray("stare dane"));
        QCOMPARE(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
