// The whole road: result files chosen in the open dialog, loaded, shown, and
// exported through the menu items, compared with the expected files.

#include "../shell/modalhelper.h"
#include "filebytes.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "specialfiles.h"
#include "testsupport.h"

#include "shell/shell.h"
#include "shell/tfmenu.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zavevad;
using namespace zavevad::test;

namespace {

double at(int hours, int minutes, int seconds)
{
    return toDayCount(QDateTime(QDate(2023, 3, 15), QTime(hours, minutes, seconds)));
}

} // namespace

class TestExportMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        // Written in an order of their own: the load sorts them.
        const struct
        {
            const char *file;
            const char16_t *surname;
            const char16_t *firstName;
            const char *answers;
            double start;
            double end;
        } students[] = {
                {"6.dat", u"Źrałko", u"Jaśmina", "0000000000000001", at(8, 3, 0), at(8, 34, 15)},
                {"5.dat", u"Śliwa", u"Łucja", "1111111111111110", at(8, 0, 0), at(8, 35, 0)},
                {"1.dat", u"Dąbrowska", u"Zofia", "1111111111111111", at(8, 0, 0), at(8, 25, 30)},
                {"4.dat", u"Nowak", u"Ewa", "1010101010101010", at(8, 2, 0), at(8, 40, 15)},
                {"3.dat", u"Łęcki", u"Michał", "1111111111111000", at(8, 0, 30), at(8, 20, 30)},
                {"2.dat", u"Kowalski", u"Jan", "1111111111000000", at(8, 1, 0), at(8, 31, 0)},
        };
        for (const auto &s : students) {
            ResultFileSpec fileSpec;
            fileSpec.surname = QString::fromUtf16(s.surname);
            fileSpec.firstName = QString::fromUtf16(s.firstName);
            fileSpec.answers = answerBytes(s.answers);
            fileSpec.questionCount = 16;
            fileSpec.start = s.start;
            fileSpec.end = s.end;
            m_files.append(writeResultFile(m_dir.path(), QString::fromLatin1(s.file), fileSpec));
        }
    }
    void cleanupTestCase() { QDir::setCurrent(m_previousDir); }

    void init()
    {
        m_platform = std::make_unique<ScriptedPlatform>();
        m_shell = std::make_unique<Shell>(m_platform.get());
        m_shell->start();
        m_platform->openFilesAnswers.push_back(m_files);
        m_shell->menu().LPlikOpenClick();
        QVERIFY(m_shell->session().analysis.dataLoaded);
    }
    void cleanup()
    {
        m_shell.reset();
        m_platform.reset();
    }

    void savesEveryTableThroughTheMenu()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        TFMenu &menu = m_shell->menu();
        const struct
        {
            void (TFMenu::*show)();
            const char *expected;
        } tables[] = {{nullptr, "results-page1"}, {&TFMenu::LAnalizaCzasClick, "workingtime"},
                {&TFMenu::LAnalizaOcenyClick, "gradecount"}};
        for (const auto &table : tables) {
            if (table.show)
                (menu.*table.show)();
            const QString name = QString::fromLatin1(table.expected);
            m_platform->saveAnswers.push_back(out.filePath(name));
            menu.LPlikSaveTxtClick();
            m_platform->saveAnswers.push_back(out.filePath(name));
            menu.LPlikSaveHtmlClick();
            for (const char *extension : {".txt", ".html"}) {
                const QString file = name + QString::fromLatin1(extension);
                QVERIFY2(readAll(out.filePath(file))
                                == readAll(dataPath(QStringLiteral("export/") + file)),
                        qPrintable(file));
            }
        }
    }

    void copiesThroughTheMenu()
    {
        TFMenu &menu = m_shell->menu();
        menu.LEdycjaCopyCSVClick();
        QCOMPARE(m_platform->clipboardWrites, 1);
        QVERIFY(m_platform->clipboardText().startsWith(
                QStringLiteral("Nazwisko i imię\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15"
                               "\tSuma\tOcena\r\nDąbrowska Zofia\t1\t")));

        menu.LEdycjaCopyHTMLClick();
        QCOMPARE(m_platform->clipboardWrites, 2);
        const QMimeData *data = m_platform->clipboard();
        QVERIFY(data->hasHtml());
        QVERIFY(data->html().startsWith(QStringLiteral("<table bgcolor=#E3DEE0>\r\n")));
        QVERIFY(data->html().contains(QStringLiteral("Śliwa Łucja")));
        QVERIFY(data->text().endsWith(QStringLiteral("Średnia (%)\t83\t67\t83\t67\t83\t67\t83"
                                                     "\t67\t83\t67\t67\t50\t67\t33\t50\t10,5"
                                                     "\tDst\r\n")));
    }

    void failedSaveShowsTheMessage()
    {
        QTemporaryDir out;
        const QString blocker = out.filePath(QStringLiteral("plik"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        m_platform->saveAnswers.push_back(blocker + QStringLiteral("/tabela"));
        QString shown;
        {
            ModalAnswerer answerer([&shown](QWidget *modal) {
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    shown = box->text();
                modal->close();
            });
            m_shell->menu().LPlikSaveHtmlClick();
        }
        QCOMPARE(shown,
                QStringLiteral("Cannot create file ")
                        + QDir::toNativeSeparators(blocker + QStringLiteral("/tabela.html")));
        // The program goes on: the next save works.
        m_platform->saveAnswers.push_back(out.filePath(QStringLiteral("tabela")));
        m_shell->menu().LPlikSaveHtmlClick();
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("tabela.html"))));
    }

    // The disk fills up while the results table is saved over an older file.
    void fullDiskShowsTheMessageAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("room");
        QTest::newRow("txt, no room") << "txt" << 0;
        QTest::newRow("txt, 100 bytes") << "txt" << 100;
        QTest::newRow("html, 1 KB") << "html" << 1000;
    }
    void fullDiskShowsTheMessageAndKeepsTheFile()
    {
        QFETCH(QString, extension);
        QFETCH(int, room);
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("tabela.") + extension);
        const QByteArray old = "stara tabela\r\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        m_platform->saveAnswers.push_back(path);
        QStringList shown;
        {
            ModalAnswerer answerer([&shown](QWidget *modal) {
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    shown << box->text();
                modal->close();
            });
            const FileSizeLimit full(room);
            if (!full.active())
                QSKIP("needs a file size limit");
            if (extension == QLatin1String("txt"))
                m_shell->menu().LPlikSaveTxtClick();
            else
                m_shell->menu().LPlikSaveHtmlClick();
        }
        QCOMPARE(shown,
                QStringList{
                        QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(path)});
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    QStringList m_files;
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

QTEST_MAIN(TestExportMenu)
#include "tst_exportmenu.moc"
