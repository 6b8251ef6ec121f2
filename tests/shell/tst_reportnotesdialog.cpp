// "Wnioski i dane raportu ...": the teacher's notes written beside the result
// files, read back on the next opening, and never replaced by another output.

#include "filebytes.h"
#include "modalhelper.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "shell/tfraport.h"

#include "platform/outputcheck.h"
#include "report/reportcommands.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using zavevad::test::readAll;
using namespace Qt::StringLiterals;

class TestReportNotesDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_shell = std::make_unique<Shell>(m_platform.get());
        m_shell->start();
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            test::ResultFileSpec fields;
            fields.surname = u"Uczeń%1"_s.arg(i + 1);
            fields.questionCount = 3;
            fields.answers = QByteArray("\1\1\0", 3);
            paths.append(test::writeResultFile(m_dir->path(), u"u%1.dat"_s.arg(i + 1), fields));
        }
        m_shell->glowny().loadFiles(paths);
        QVERIFY(m_shell->session().analysis.dataLoaded);
    }
    void cleanup()
    {
        m_shell.reset();
        m_platform.reset();
    }

    void saveKeepsCancelDoesNot_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Zapisz") << u"BZapisz"_s;
        QTest::newRow("Anuluj") << u"BAnuluj"_s;
        QTest::newRow("close spot") << u"LCloseRaport"_s;
    }
    void saveKeepsCancelDoesNot()
    {
        QFETCH(QString, button);
        fillAndPress(u"SP 7"_s, u"Anna Łęcka"_s, u"Powtórzyć ułamki.\nWięcej zadań."_s, button);
        if (button != u"BZapisz"_s) {
            QVERIFY(!QFile::exists(notesPath()));
            return;
        }
        QCOMPARE(readAll(notesPath()),
                QByteArray("Szkoła: SP 7\nNauczyciel: Anna Łęcka\nWnioski i rekomendacje:\n"
                           "Powtórzyć ułamki.\nWięcej zadań.\n"));
        // The next opening shows what was saved.
        bool ran = false;
        test::ModalAnswerer answerer([&](QWidget *modal) {
            auto *dialog = qobject_cast<TFRaport *>(modal);
            QVERIFY(dialog);
            ran = true;
            QCOMPARE(dialog->fieldNotes().teacher, u"Anna Łęcka"_s);
            QCOMPARE(dialog->fieldNotes().conclusions, u"Powtórzyć ułamki.\nWięcej zadań."_s);
            dialog->reject();
        });
        clickItem("LMenuEdycja", "LEdycjaRaport");
        QVERIFY(ran);
    }

    // The notes are an input of the load: no other output may replace them,
    // however spelled, while their own dialog still saves them again.
    void notesAreNeverAnOutput()
    {
        fillAndPress(u"SP 7"_s, QString(), u"Tekst."_s, u"BZapisz"_s);
        const QByteArray saved = readAll(notesPath());
        m_platform->saveAnswers.push_back(QDir(m_dir->path()).filePath(u"./Raport.txt"_s));
        QVERIFY_THROWS_EXCEPTION(OutputRefused, ZapiszRaportPdf(m_shell->session().analysis));
        QCOMPARE(readAll(notesPath()), saved);
        fillAndPress(u"SP 8"_s, QString(), u"Tekst."_s, u"BZapisz"_s);
        QVERIFY(readAll(notesPath()).startsWith("Szkoła: SP 8\n"));
        QVERIFY(loadedInputs().contains(notesPath()));
    }

    // By keys alone: every field is named, Tab leaves each one (the notes
    // too, whose text keeps no tab) for the next and reaches "Zapisz", and
    // Enter there saves.
    void keyboardAloneWalksAndSaves()
    {
        bool ran = false;
        test::ModalAnswerer answerer([&](QWidget *modal) {
            ran = true;
            const QStringList names{u"Szkoła"_s, u"Nauczyciel"_s, u"Wnioski i rekomendacje"_s};
            const QStringList typed{u"SP 9"_s, u"Jan Kos"_s, u"Powtorzyc."_s};
            for (int i = 0; i < names.size(); ++i) {
                QWidget *field = modal->focusWidget();
                QVERIFY(field);
                QCOMPARE(field->accessibleName(), names[i]);
                QTest::keyClicks(field, typed[i]);
                QTest::keyClick(field, Qt::Key_Tab);
                QVERIFY(modal->focusWidget() != field);
            }
            QCOMPARE(modal->focusWidget()->objectName(), u"BZapisz"_s);
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
        });
        clickItem("LMenuEdycja", "LEdycjaRaport");
        QVERIFY(ran);
        QCOMPARE(readAll(notesPath()),
                QByteArray("Szkoła: SP 9\nNauczyciel: Jan Kos\nWnioski i "
                           "rekomendacje:\nPowtorzyc.\n"));
    }

private:
    QString notesPath() const { return QDir(m_dir->path()).filePath(u"Raport.txt"_s); }

    void clickItem(const char *menuLabel, const char *item)
    {
        QTest::mouseClick(
                m_shell->glowny().findChild<QLabel *>(QLatin1String(menuLabel)), Qt::LeftButton);
        auto *label = m_shell->menu().findChild<QLabel *>(QLatin1String(item));
        QVERIFY2(label && label->isVisible(), item);
        QTest::mouseClick(label, Qt::LeftButton);
    }

    void fillAndPress(const QString &school, const QString &teacher, const QString &text,
            const QString &button)
    {
        bool ran = false;
        test::ModalAnswerer answerer([&](QWidget *modal) {
            ran = true;
            modal->findChild<QLineEdit *>(u"ESzkola"_s)->setText(school);
            modal->findChild<QLineEdit *>(u"ENauczyciel"_s)->setText(teacher);
            modal->findChild<QPlainTextEdit *>(u"MWnioski"_s)->setPlainText(text);
            QTest::mouseClick(modal->findChild<QWidget *>(button), Qt::LeftButton);
        });
        clickItem("LMenuEdycja", "LEdycjaRaport");
        QVERIFY(ran);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

QTEST_MAIN(TestReportNotesDialog)
#include "tst_reportnotesdialog.moc"
