#include "dialogfixture.h"

#include <QDir>
#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;

/// Grabs every page of the dialog. With ZAVEVAD_SCREENSHOT_DIR set, the
/// pictures are written there as dialog-<page>.png for the documentation.
class TestDialogScreenshots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void pages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("file");
        QTest::newRow("wykres") << 1 << u"TabSheet6"_qs << u"dialog-wykres"_qs;
        QTest::newRow("wykres pie") << 2 << u"TabSheet6"_qs << u"dialog-wykres-kolo"_qs;
        QTest::newRow("wykres line") << 3 << u"TabSheet6"_qs << u"dialog-wykres-linia"_qs;
        QTest::newRow("naglowki") << 1 << u"TabSheet1"_qs << u"dialog-naglowki"_qs;
        QTest::newRow("osie") << 1 << u"TabSheet2"_qs << u"dialog-osie"_qs;
        QTest::newRow("legenda") << 1 << u"TabSheet3"_qs << u"dialog-legenda"_qs;
        QTest::newRow("tla") << 1 << u"TabSheet4"_qs << u"dialog-tla"_qs;
        QTest::newRow("efekty3d") << 1 << u"TabSheet5"_qs << u"dialog-efekty3d"_qs;
        QTest::newRow("wartosci") << 1 << u"TabSheet7"_qs << u"dialog-wartosci"_qs;
    }

    void pages()
    {
        QFETCH(int, kind);
        QFETCH(QString, page);
        QFETCH(QString, file);
        DialogFixture f(kind);
        f.showPage(page.toLatin1().constData());
        const QImage image = f.dialog.grab().toImage();
        QCOMPARE(image.size(), QSize(360, 262));
        const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            QVERIFY(image.save(QDir(dir).filePath(file + u".png"_qs)));
    }
};

QTEST_MAIN(TestDialogScreenshots)
#include "tst_dialogscreenshots.moc"
