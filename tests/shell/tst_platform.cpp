#include "modalhelper.h"
#include "platform/commanderror.h"
#include "scriptedplatform.h"
#include "shell/qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMimeData>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtFilter_data();
    void qtFilter();
    void defaultExtension_data();
    void defaultExtension();
    void saveDialogKeepsFilterAndExtension();
    void cancelledSaveReturnsNothing();
    void scriptedPlatformIsCurrentWhileItLives();
    void scriptedClipboardFailure();
    void qtClipboardReplacesContent();
    void desktopDialogsComeAboveTheChartWindow_data();
    void desktopDialogsComeAboveTheChartWindow();
};

void TestPlatform::qtFilter_data()
{
    QTest::addColumn<QString>("paired");
    QTest::addColumn<QString>("qt");
    QTest::newRow("results") << u"Pliki wyniku testu (*.dat)|*.dat"_s
                             << u"Pliki wyniku testu (*.dat)"_s;
    QTest::newRow("template") << u"Plik tekstowy (*.ssw)|*.ssw"_s << u"Plik tekstowy (*.ssw)"_s;
    QTest::newRow("no patterns in description")
            << u"Strona html|*.html;*.htm"_s << u"Strona html (*.html *.htm)"_s;
    QTest::newRow("two pairs") << u"Tekst (*.txt)|*.txt|Wszystkie|*.*"_s
                               << u"Tekst (*.txt);;Wszystkie (*.*)"_s;
    QTest::newRow("description only") << u"Wszystko"_s << u"Wszystko"_s;
}

void TestPlatform::qtFilter()
{
    QFETCH(QString, paired);
    QFETCH(QString, qt);
    QCOMPARE(qtFileFilter(paired), qt);
}

void TestPlatform::defaultExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare name") << u"/tmp/wyniki"_s << u"txt"_s << u"/tmp/wyniki.txt"_s;
    QTest::newRow("own extension kept") << u"/tmp/wyniki.csv"_s << u"txt"_s << u"/tmp/wyniki.csv"_s;
    QTest::newRow("same extension") << u"/tmp/a.ssw"_s << u"ssw"_s << u"/tmp/a.ssw"_s;
    QTest::newRow("dot in folder only")
            << u"/tmp/klasa.3b/wyniki"_s << u"html"_s << u"/tmp/klasa.3b/wyniki.html"_s;
    QTest::newRow("no default") << u"/tmp/wyniki"_s << QString() << u"/tmp/wyniki"_s;
}

void TestPlatform::defaultExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    QCOMPARE(withDefaultExtension(path, extension), expected);
}

void TestPlatform::saveDialogKeepsFilterAndExtension()
{
    test::ScriptedPlatform platform;
    platform.saveAnswers = {u"/tmp/tabela"_s, u"/tmp/wzor"_s};
    Platform::current().setSaveFilter(u"Plik tekstowy (*.txt)|*.txt"_s, u"txt"_s);
    QCOMPARE(Platform::current().saveTabele(), std::optional<QString>(u"/tmp/tabela.txt"_s));

    Platform::current().setSaveFilter(u"Plik tekstowy (*.ssw)|*.ssw"_s, u"ssw"_s);
    QCOMPARE(Platform::current().saveTabele(), std::optional<QString>(u"/tmp/wzor.ssw"_s));
    // The last settings stay on the dialog for the next user.
    QCOMPARE(platform.saveFilter(), u"Plik tekstowy (*.ssw)|*.ssw"_s);
    QCOMPARE(platform.saveDefaultExtension(), u"ssw"_s);

    QCOMPARE(platform.calls.size(), 2);
    QCOMPARE(platform.calls.at(0).title, u"Zapisz tabelę jako..."_s);
    QCOMPARE(platform.calls.at(0).filter, u"Plik tekstowy (*.txt)"_s);
    QCOMPARE(platform.calls.at(1).filter, u"Plik tekstowy (*.ssw)"_s);
    QCOMPARE(platform.calls.at(1).defaultExtension, u"ssw"_s);
}

void TestPlatform::cancelledSaveReturnsNothing()
{
    test::ScriptedPlatform platform;
    platform.saveAnswers = {std::nullopt, u""_s};
    QVERIFY(!platform.saveTabele());
    QVERIFY(!platform.saveTabele());
    // Nothing queued: cancelled rather than waiting.
    QVERIFY(!platform.saveTabele());
    QVERIFY(!platform.chooseColor(Qt::red));
    QCOMPARE(platform.calls.size(), 4);
}

void TestPlatform::scriptedPlatformIsCurrentWhileItLives()
{
    test::ScriptedPlatform outer;
    {
        test::ScriptedPlatform inner;
        QCOMPARE(&Platform::current(), &inner);
    }
    QCOMPARE(&Platform::current(), &outer);
}

void TestPlatform::scriptedClipboardFailure()
{
    test::ScriptedPlatform platform;
    platform.setClipboardText(u"a\tb\r\n"_s);
    platform.clipboardFails = true;
    try {
        platform.setClipboardText(u"x"_s);
        QFAIL("no error");
    } catch (const CommandError &error) {
        QCOMPARE(error.message(), u"Cannot open clipboard"_s);
    }
    QCOMPARE(platform.clipboardText(), u"a\tb\r\n"_s);
    QCOMPARE(platform.clipboardWrites, 1);
}

void TestPlatform::qtClipboardReplacesContent()
{
    QtPlatform platform;
    platform.setClipboardText(u"Ocena\tIlość ocen\r\n"_s);
    QCOMPARE(QApplication::clipboard()->text(), u"Ocena\tIlość ocen\r\n"_s);

    auto data = std::make_unique<QMimeData>();
    data->setHtml(u"<table><tr><td>Łuczak</td></tr></table>"_s);
    data->setText(u"Łuczak\r\n"_s);
    platform.setClipboardMimeData(std::move(data));
    const QMimeData *held = QApplication::clipboard()->mimeData();
    QVERIFY(held);
    QVERIFY(held->hasHtml());
    QCOMPARE(held->text(), u"Łuczak\r\n"_s);
}

void TestPlatform::desktopDialogsComeAboveTheChartWindow_data()
{
    QTest::addColumn<int>("dialog");
    QTest::newRow("open files") << 0;
    QTest::newRow("save") << 1;
    QTest::newRow("colour") << 2;
    QTest::newRow("font") << 3;
    QTest::newRow("picture") << 4;
}

void TestPlatform::desktopDialogsComeAboveTheChartWindow()
{
    QFETCH(int, dialog);
    // The chart window stays on top and its commands ask for dialogs too: a
    // dialog must come up over it, not beneath it out of sight.
    QWidget main;
    QWidget chart(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    main.show();
    chart.show();
    chart.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chart));
    QtPlatform platform(&main);

    QWidget *parent = nullptr;
    bool onTop = false;
    bool shown = false;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        shown = true;
        parent = modal->parentWidget();
        onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (auto *box = qobject_cast<QDialog *>(modal))
            box->reject();
    });
    switch (dialog) {
    case 0:
        QVERIFY(!platform.openFiles(u"Wybierz pliki"_s, u"Pliki (*.dat)|*.dat"_s, QString()));
        break;
    case 1:
        QVERIFY(!platform.saveTabele());
        break;
    case 2:
        QVERIFY(!platform.chooseColor(Qt::red));
        break;
    case 3:
        QVERIFY(!platform.chooseFont(FontChoice{QFont(), Qt::black}));
        break;
    default:
        QVERIFY(!platform.openPicture());
    }
    QVERIFY(shown);
    QVERIFY(onTop);
    QCOMPARE(parent, &chart);
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
