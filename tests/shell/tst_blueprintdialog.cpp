#include "charts/window/tfwykres.h"
#include "filebytes.h"
#include "messageboxcatcher.h"
#include "modalhelper.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfkartoteka.h"
#include "shell/tfmenu.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using zavevad::test::readAll;
using namespace Qt::StringLiterals;

class TestBlueprintDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void loadWarnsAndTheMenuShowsTheSkills();
    void saveAppliesAndCancelChangesNothing_data();
    void saveAppliesAndCancelChangesNothing();
    void savesWhereItWasFound();
    void keyboardAloneWalksAndSaves_data();
    void keyboardAloneWalksAndSaves();
    void picturesOfTheSampleClass();

private:
    /// Loads four students of three questions from the class folder, beside
    /// a `Kartoteka.txt` of `blueprint`; returns the prompt texts shown.
    QStringList load(const QByteArray &blueprint, const QString &blueprintFile = {});
    void clickItem(const char *menuLabel, const char *item);
    QString blueprintPath() const { return QDir(m_dir.path()).filePath(u"klasa/Kartoteka.txt"_s); }

    QTemporaryDir m_dir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestBlueprintDialog::init()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_dir.isValid());
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestBlueprintDialog::cleanup()
{
    m_shell.reset();
    m_platform.reset();
}

QStringList TestBlueprintDialog::load(const QByteArray &blueprint, const QString &blueprintFile)
{
    const QString folder = QDir(m_dir.path()).filePath(u"klasa"_s);
    QDir().mkpath(folder);
    QFile file(blueprintFile.isEmpty() ? blueprintPath() : blueprintFile);
    if (file.open(QIODevice::WriteOnly))
        file.write(blueprint);
    file.close();
    QStringList paths;
    const char *answers[] = {"\1\1\1", "\1\1\0", "\1\0\1", "\0\0\0"};
    for (int i = 0; i < 4; ++i) {
        test::ResultFileSpec fields;
        fields.surname = u"Uczeń%1"_s.arg(i + 1);
        fields.questionCount = 3;
        fields.answers = QByteArray(answers[i], 3);
        paths.append(test::writeResultFile(folder, u"u%1.dat"_s.arg(i + 1), fields));
    }
    QStringList prompts;
    {
        test::ModalAnswerer answerer([&prompts](QWidget *modal) {
            prompts.append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            QTest::mouseClick(modal->findChild<QWidget *>(u"BCloseOK"_s), Qt::LeftButton);
        });
        m_shell->glowny().loadFiles(paths);
    }
    return prompts;
}

void TestBlueprintDialog::clickItem(const char *menuLabel, const char *item)
{
    QTest::mouseClick(
            m_shell->glowny().findChild<QLabel *>(QLatin1String(menuLabel)), Qt::LeftButton);
    auto *label = m_shell->menu().findChild<QLabel *>(QLatin1String(item));
    QVERIFY2(label && label->isVisible(), item);
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestBlueprintDialog::loadWarnsAndTheMenuShowsTheSkills()
{
    const QStringList prompts = load("1\tUłamki\n4\tUłamki\n2\tUłamki\n\n1\tProcenty\tV.3\n");
    QCOMPARE(prompts, QStringList{u"Kartoteka.txt: pominięto wiersz 2"_s});
    clickItem("LMenuTabele", "LAnalizaUmiejetnosci");
    const GridModel &grid = m_shell->session().grid;
    QCOMPARE(m_shell->session().analysis.tableMode, int(TableSkills));
    QCOMPARE(grid.text(0, 1), u"Ułamki"_s);
    QCOMPARE(grid.text(2, 1), u"1, 2"_s);
    QCOMPARE(grid.text(4, 1), u"0,62"_s); // 5 of 8, the half to the even hundredth
    QCOMPARE(grid.text(1, 2), u"V.3"_s);
    QCOMPARE(grid.text(1, 4), u"3"_s);

    // Back to a specified table: the results table as it always was.
    clickItem("LMenuTabele", "LAnalizaPunktacja");
    QCOMPARE(grid.text(0, 0), u"Nazwisko i imię"_s);
    QCOMPARE(grid.rowCount(), 7);
}

void TestBlueprintDialog::saveAppliesAndCancelChangesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Zapisz") << u"BZapisz"_s;
    QTest::newRow("Anuluj") << u"BAnuluj"_s;
    QTest::newRow("close spot") << u"LCloseKartoteka"_s;
}

void TestBlueprintDialog::saveAppliesAndCancelChangesNothing()
{
    QFETCH(QString, button);
    const QByteArray before = "# kartoteka\n1\tUłamki\n2\tUłamki\tIV.1\n";
    QVERIFY(load(before).isEmpty());
    clickItem("LMenuTabele", "LAnalizaUmiejetnosci");
    const Blueprint blueprintBefore = m_shell->session().analysis.blueprint;

    bool ran = false;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<TFKartoteka *>(modal);
        QVERIFY(dialog);
        ran = true;
        QTableWidget *table = dialog->table();
        // One row per question, the skills already given.
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->item(1, 1)->text(), u"Ułamki"_s);
        QCOMPARE(table->item(1, 2)->text(), u"IV.1"_s);
        QVERIFY(table->item(2, 1)->text().isEmpty());
        // Question 1 checks a second skill; question 3 gets the first one.
        dialog->addSkillRow(0);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->item(1, 0)->text(), u"1"_s);
        table->item(1, 1)->setText(u" Procenty "_s);
        table->item(1, 2)->setText(u"V.3"_s);
        table->item(3, 1)->setText(u"Ułamki"_s);
        QTest::mouseClick(dialog->findChild<QWidget *>(button), Qt::LeftButton);
    });
    clickItem("LMenuEdycja", "LEdycjaKartoteka");
    QVERIFY(ran);

    const Session &session = m_shell->session();
    if (button == u"BZapisz"_s) {
        QCOMPARE(readAll(blueprintPath()),
                QByteArray(
                        "1\tUłamki\tIV.1\n1\tProcenty\tV.3\n2\tUłamki\tIV.1\n3\tUłamki\tIV.1\n"));
        QCOMPARE(session.analysis.blueprint.skills.size(), std::size_t(2));
        // The table on display shows the new blueprint at once.
        QCOMPARE(session.grid.text(2, 1), u"1, 2, 3"_s);
        QCOMPARE(session.grid.text(0, 2), u"Procenty"_s);
        QCOMPARE(session.grid.text(1, 4), QString(QChar(0x2013)));
    } else {
        QCOMPARE(readAll(blueprintPath()), before);
        QCOMPARE(session.analysis.blueprint, blueprintBefore);
        QCOMPARE(session.grid.text(2, 1), u"1, 2"_s);
    }
}

// One blueprint above the class folders serves them all: the dialog saves it
// there, and no other save may replace it.
void TestBlueprintDialog::savesWhereItWasFound()
{
    const QString above = QDir(m_dir.path()).filePath(u"Kartoteka.txt"_s);
    QFile::remove(blueprintPath());
    QVERIFY(load("1\tUłamki\n", above).isEmpty());
    QCOMPARE(m_shell->session().analysis.blueprint.skills.size(), std::size_t(1));
    test::ModalAnswerer answerer([](QWidget *modal) {
        auto *dialog = qobject_cast<TFKartoteka *>(modal);
        QVERIFY(dialog);
        dialog->table()->item(1, 1)->setText(u"Procenty"_s);
        dialog->BZapiszClick();
    });
    clickItem("LMenuEdycja", "LEdycjaKartoteka");
    QCOMPARE(readAll(above), QByteArray("1\tUłamki\n2\tProcenty\n"));
    QVERIFY(!QFileInfo::exists(blueprintPath()));

    // The table saved as text over it is refused, the file kept.
    test::MessageBoxCatcher catcher;
    m_platform->saveAnswers.push_back(above);
    m_shell->menu().LPlikSaveTxtClick();
    QTRY_COMPARE(catcher.texts.size(), 1);
    QVERIFY2(catcher.texts.constFirst().endsWith(
                     u"to jest plik wczytany przez program (Kartoteka.txt)"_s),
            qPrintable(catcher.texts.constFirst()));
    QCOMPARE(readAll(above), QByteArray("1\tUłamki\n2\tProcenty\n"));
}

// Without a mouse: Tab leaves the table for the buttons and comes back, every
// field has a name, Enter saves and Escape cancels.
void TestBlueprintDialog::keyboardAloneWalksAndSaves_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void TestBlueprintDialog::keyboardAloneWalksAndSaves()
{
    QFETCH(int, key);
    QFETCH(bool, saved);
    const QByteArray before = "1\tUłamki\n";
    QVERIFY(load(before).isEmpty());
    bool ran = false;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<TFKartoteka *>(modal);
        QVERIFY(dialog);
        ran = true;
        QCOMPARE(dialog->windowTitle(), u"Kartoteka testu"_s);
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTableWidget *table = dialog->table();
        QCOMPARE(dialog->focusWidget(), table);
        QStringList walked;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            walked.append(dialog->focusWidget()->objectName());
        }
        QCOMPARE(walked, (QStringList{u"BDodaj"_s, u"BZapisz"_s, u"BAnuluj"_s, u"TKartoteka"_s}));
        QTest::keyClick(table, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(dialog->focusWidget()->objectName(), u"BAnuluj"_s);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);

        // The arrows reach the third question's skill; F2 opens its field.
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(table->currentColumn(), 1);
        QTest::keyClick(table, Qt::Key_F2);
        QWidget *field = dialog->focusWidget();
        QVERIFY(field && field != table);
        QCOMPARE(field->accessibleName(), u"Umiejętność, pytanie 3"_s);
        QTest::keyClicks(field, u"Procenty"_s);
        // Tab ends the typing and leaves the table too; Shift+Tab comes back.
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(dialog->focusWidget()->objectName(), u"BDodaj"_s);
        QCOMPARE(table->item(2, 1)->text(), u"Procenty"_s);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(dialog->focusWidget(), table);
        QTest::keyClick(table, Qt::Key(key));
        QVERIFY(!dialog->isVisible());
    });
    clickItem("LMenuEdycja", "LEdycjaKartoteka");
    QVERIFY(ran);
    QCOMPARE(readAll(blueprintPath()), saved ? QByteArray("1\tUłamki\n3\tProcenty\n") : before);
}

/// The sample class with its blueprint, read without a warning; with
/// ZAVEVAD_SCREENSHOT_DIR set, the pictures are kept there.
void TestBlueprintDialog::picturesOfTheSampleClass()
{
    QStringList paths;
    for (const QString &name : QDir(test::examplesPath()).entryList({u"*.dat"_s}, QDir::Files)) {
        if (!name.startsWith(u"inny_test"_s))
            paths.append(test::examplesPath(name));
    }
    QStringList prompts;
    {
        test::ModalAnswerer answerer([&prompts](QWidget *modal) {
            prompts.append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            modal->close();
        });
        m_shell->glowny().loadFiles(paths);
    }
    QCOMPARE(prompts, QStringList());
    QCOMPARE(m_shell->session().analysis.blueprint.skills.size(), std::size_t(8));

    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    auto keep = [&dir](QWidget &window, const QString &file) {
        const QImage image = window.grab().toImage();
        QVERIFY(!image.isNull());
        if (!dir.isEmpty())
            QVERIFY(image.save(QDir(dir).filePath(file)));
    };
    for (const char *label : {"LMenuEdycja", "LMenuTabele"}) {
        QTest::mouseClick(
                m_shell->glowny().findChild<QLabel *>(QLatin1String(label)), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->menu()));
        keep(m_shell->menu(), u"menu-"_s + QString::fromLatin1(label).mid(5).toLower() + u".png"_s);
        m_shell->menu().closeMenu();
    }
    clickItem("LMenuTabele", "LAnalizaUmiejetnosci");
    QCOMPARE(m_shell->session().grid.text(0, 10), u"Pytania bez umiejętności"_s);
    QCOMPARE(m_shell->session().grid.text(1, 10), u"20"_s);
    // Wider than the card with its long requirements: paged sideways, the
    // skills stay in view.
    TFGlowny &glowny = m_shell->glowny();
    auto *right = glowny.PTabela()->findChild<QLabel *>(u"ImTabelaWPrawo"_s);
    QVERIFY(right->isVisibleTo(glowny.PTabela()));
    QTest::mouseClick(right, Qt::LeftButton);
    QCOMPARE(glowny.PTabela()->grid()->shownColumn(0), 0);
    QVERIFY(glowny.PTabela()->grid()->shownColumn(1) > 1);
    keep(*glowny.PTlo(), u"main-skills.png"_s);
    clickItem("LMenuWykresy", "LWykresSlupkowy");
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->wykres()));
    keep(m_shell->wykres(), u"chart-skills.png"_s);
    m_shell->wykres().hide();

    bool ran = false;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        ran = true;
        keep(*modal, u"dialog-kartoteka.png"_s);
        modal->close();
    });
    clickItem("LMenuEdycja", "LEdycjaKartoteka");
    QVERIFY(ran);
}

QTEST_MAIN(TestBlueprintDialog)
#include "tst_blueprintdialog.moc"
