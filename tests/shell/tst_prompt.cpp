#include "modalhelper.h"
#include "platform/commanderror.h"
#include "shell/tfabout.h"
#include "shell/tfmonit.h"
#include "ui/bevel.h"
#include "ui/clickablelabel.h"
#include "ui/gradientbutton.h"
#include "ui/runcommand.h"

#include <QLabel>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

class TestPrompt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void layout();
    void answers_data();
    void answers();
    void lineBreaks();
    void escapeCancels();
    void messagesFitTheirPlace_data();
    void messagesFitTheirPlace();
    void aboutBox();
    void runCommandShowsErrorOnce();
    void runCommandPassesOtherFaultsOn();
};

void TestPrompt::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

void TestPrompt::layout()
{
    TFMonit monit;
    QCOMPARE(monit.size(), QSize(284, 121));
    QVERIFY(monit.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(monit.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(monit.palette().color(QPalette::Window), QColor(141, 146, 141));
    auto *text = monit.findChild<QLabel *>(u"LTesktMonitu"_s);
    QVERIFY(text);
    QCOMPARE(text->geometry(), QRect(24, 16, 241, 57));
    QVERIFY(text->wordWrap());
    QCOMPARE(text->text(), u"Dokument został zmieniony. Czy zapisać zmiany?"_s);

    const struct
    {
        const char *name;
        const char *caption;
        QRect geometry;
    } buttons[] = {{"BCloseTak", "Tak", {16, 80, 81, 25}}, {"BCloseNie", "Nie", {104, 80, 81, 25}},
            {"BCloseAnuluj", "Anuluj", {192, 80, 81, 25}},
            {"BCloseOK", "Zamknij", {192, 80, 81, 25}}};
    for (const auto &expected : buttons) {
        auto *button = monit.findChild<GradientButton *>(QLatin1String(expected.name));
        QVERIFY2(button, expected.name);
        QCOMPARE(button->text(), QString::fromUtf8(expected.caption));
        QCOMPARE(button->geometry(), expected.geometry);
    }
    auto *bevel = monit.findChild<Bevel *>();
    QVERIFY(bevel);
    QCOMPARE(bevel->color(), QColor(255, 255, 0));
    QCOMPARE(bevel->style(), Bevel::Raised);
    QCOMPARE(bevel->geometry(), monit.rect());
}

void TestPrompt::answers_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<bool>("ownText");

    const QStringList three{u"BCloseTak"_s, u"BCloseNie"_s, u"BCloseAnuluj"_s};
    QTest::newRow("0 Tak") << 0 << u"BCloseTak"_s << 1 << three << true;
    QTest::newRow("0 Nie") << 0 << u"BCloseNie"_s << 2 << three << true;
    QTest::newRow("0 Anuluj") << 0 << u"BCloseAnuluj"_s << 0 << three << true;
    QTest::newRow("1 Tak") << 1 << u"BCloseTak"_s << 1 << three << false;
    QTest::newRow("2 Zamknij") << 2 << u"BCloseOK"_s << 0 << QStringList{u"BCloseOK"_s} << true;
}

void TestPrompt::answers()
{
    QFETCH(int, mode);
    QFETCH(QString, button);
    QFETCH(int, answer);
    QFETCH(QStringList, visible);
    QFETCH(bool, ownText);

    TFMonit monit;
    // A previous answer must not leak into this prompt.
    QTest::mouseClick(monit.findChild<GradientButton *>(u"BCloseTak"_s), Qt::LeftButton);
    QCOMPARE(monit.answer(), 1);

    int answerWhileShown = -1;
    QStringList shown;
    QString text;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        QCOMPARE(modal, &monit);
        answerWhileShown = monit.answer();
        for (auto *candidate : monit.findChildren<GradientButton *>()) {
            if (candidate->isVisible())
                shown.append(candidate->objectName());
        }
        text = monit.findChild<QLabel *>(u"LTesktMonitu"_s)->text();
        QTest::mouseClick(monit.findChild<GradientButton *>(button), Qt::LeftButton);
    });
    QCOMPARE(monit.Monit(mode, u"Czy usunąć?"_s), answer);
    QCOMPARE(monit.answer(), answer);
    QCOMPARE(answerWhileShown, 2);
    shown.sort();
    visible.sort();
    QCOMPARE(shown, visible);
    QCOMPARE(text, ownText ? u"Czy usunąć?"_s : TFMonit::defaultText());
    QVERIFY(!monit.isVisible());
}

void TestPrompt::lineBreaks()
{
    TFMonit monit;
    QString text;
    test::ModalAnswerer answerer([&text, &monit](QWidget *) {
        text = monit.findChild<QLabel *>(u"LTesktMonitu"_s)->text();
        monit.BCloseAnulujClick();
    });
    monit.Monit(2, u"Uwaga. Wczytano tylko pliki testu \"A\".\rPozostałe pominięto"_s);
    QCOMPARE(text, u"Uwaga. Wczytano tylko pliki testu \"A\".\nPozostałe pominięto"_s);
}

void TestPrompt::escapeCancels()
{
    TFMonit monit;
    test::ModalAnswerer answerer([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(monit.Monit(0, u"?"_s), 0);
}

void TestPrompt::messagesFitTheirPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("structure") << u"Uwaga. Wystąpiły błędy podczas wczytywania wyników.\r"
                                  "Niektóre z plików mają niepoprawną strukturę."_s;
    QTest::newRow("longest test name")
            << u"Uwaga. Wczytano tylko pliki testu \"Sprawdzian - ułamki zwykłe ŁŚŻ\".\r"
               "Pozostałe pominięto"_s;
}

void TestPrompt::messagesFitTheirPlace()
{
    QFETCH(QString, text);
    TFMonit monit;
    int needed = 0;
    test::ModalAnswerer answerer([&needed, &monit](QWidget *) {
        auto *label = monit.findChild<QLabel *>(u"LTesktMonitu"_s);
        needed = label->heightForWidth(label->width());
        monit.BCloseAnulujClick();
    });
    monit.Monit(2, text);
    QVERIFY(needed > 0);
    QVERIFY2(needed <= 57, qPrintable(QString::number(needed)));
}

void TestPrompt::aboutBox()
{
    TFAbout about;
    QCOMPARE(about.size(), QSize(258, 139));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(154, 154, 154));
    QVERIFY(about.windowFlags().testFlag(Qt::FramelessWindowHint));
    // Never beneath the chart window, which stays on top.
    QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto *bevel = about.findChild<Bevel *>();
    QVERIFY(bevel);
    QCOMPARE(bevel->color(), QColor(0, 0, 0));

    QStringList texts;
    for (auto *label : about.findChildren<QLabel *>())
        texts.append(label->text());
    QVERIFY(texts.contains(u"Kalmo - Zavevad 1.0"_s));
    QVERIFY(texts.contains(u"         Program do analizy wyników testu - moduł wspomagający do "
                           "programu \"Kalmo\"."_s));
    auto *description = about.findChild<QLabel *>(u"Label2"_s);
    QVERIFY(description);
    QCOMPARE(description->geometry(), QRect(16, 64, 225, 33));
    QVERIFY(description->heightForWidth(225) <= 33);
    auto *icon = about.findChild<QLabel *>(u"Image1"_s);
    QVERIFY(icon);
    QCOMPARE(icon->geometry(), QRect(16, 24, 32, 32));
    QVERIFY(!icon->pixmap().isNull());
    // The artwork is really there, not a transparent stand-in.
    const QImage image = icon->pixmap().toImage();
    QVERIFY(qAlpha(image.pixel(16, 16)) > 0);

    auto *close = about.findChild<ClickableLabel *>(u"Label4"_s);
    QVERIFY(close);
    QCOMPARE(close->pos(), QPoint(238, 6));
    test::ModalAnswerer answerer([close](QWidget *) { QTest::mouseClick(close, Qt::LeftButton); });
    about.showModal();
    QVERIFY(!about.isVisible());
}

void TestPrompt::runCommandShowsErrorOnce()
{
    int boxes = 0;
    QString text;
    bool onTop = false;
    test::ModalAnswerer answerer([&boxes, &text, &onTop](QWidget *modal) {
        ++boxes;
        text = modal->findChild<QLabel *>(u"qt_msgbox_label"_s)->text();
        onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        modal->close();
    });
    int done = 0;
    const bool ran = runCommand(nullptr, [&done] {
        throw CommandError(u"Cannot create file /brak/tabela.txt"_s);
        ++done;
    });
    QVERIFY(!ran);
    QCOMPARE(done, 0);
    QCOMPARE(boxes, 1);
    QCOMPARE(text, u"Cannot create file /brak/tabela.txt"_s);
    QVERIFY(onTop);
    QVERIFY(runCommand(nullptr, [&done] { ++done; }));
    QCOMPARE(done, 1);
}

void TestPrompt::runCommandPassesOtherFaultsOn()
{
    // Program faults are not swallowed as if they were the user's problem.
    QVERIFY_THROWS_EXCEPTION(
            std::logic_error, runCommand(nullptr, [] { throw std::logic_error("bug"); }));
}

QTEST_MAIN(TestPrompt)
#include "tst_prompt.moc"
