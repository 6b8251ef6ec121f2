#include "scriptedplatform.h"

#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/tfabout.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

// Runs at a device-pixel ratio of 2, as on a screen set to 200 %.
class TestArtworkScale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pixelRatioIsTwo();
    void picturesAreDrawnForTheScreen_data();
    void picturesAreDrawnForTheScreen();
    void sharperThanAScaledPicture();
};

void TestArtworkScale::pixelRatioIsTwo()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void TestArtworkScale::picturesAreDrawnForTheScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("artwork");
    QTest::addColumn<QSize>("size");
    QTest::newRow("main window") << u"FGlowny"_s << u"ImTloGlowny"_s << u"glowny"_s
                                 << QSize(750, 560);
    QTest::newRow("menu Plik") << u"FMenu"_s << u"ImPlik"_s << u"menu-plik"_s << QSize(160, 171);
    QTest::newRow("About icon") << u"FAbout"_s << u"Image1"_s << u"icon"_s << QSize(32, 32);
}

void TestArtworkScale::picturesAreDrawnForTheScreen()
{
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QString, artwork);
    QFETCH(QSize, size);

    test::ScriptedPlatform platform;
    Shell shell(&platform);
    shell.start();
    QWidget *top = window == u"FGlowny"_s ? static_cast<QWidget *>(&shell.glowny())
            : window == u"FMenu"_s        ? static_cast<QWidget *>(&shell.menu())
                                          : static_cast<QWidget *>(&shell.about());
    auto *picture = top->findChild<QLabel *>(label);
    QVERIFY(picture);
    const QPixmap pixmap = picture->pixmap();
    QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    QCOMPARE(pixmap.size(), size * 2);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
    QCOMPARE(pixmap.toImage(), artwork::picture(artwork, size, 2.0).toImage());
}

void TestArtworkScale::sharperThanAScaledPicture()
{
    // The same picture drawn for 100 % and blown up differs from the one drawn
    // for 200 %: the test above would catch a picture that is only scaled.
    const QSize size(750, 560);
    const QImage sharp = artwork::picture(u"glowny"_s, size, 2.0).toImage();
    const QImage scaled = artwork::picture(u"glowny"_s, size, 1.0)
                                  .toImage()
                                  .scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(sharp.format());
    QCOMPARE(scaled.size(), sharp.size());
    QVERIFY(scaled != sharp);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    TestArtworkScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_artworkscale.moc"
