#include "scriptedplatform.h"

#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/stripartwork.h"
#include "charts/window/tfwykres.h"
#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/tfabout.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/arrowpicture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <map>

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
    QTest::addColumn<QSize>("size");
    // The picture drawn for 200 %; none where only its pixel ratio is checked.
    QTest::addColumn<QImage>("expected");
    auto svg = [](const QString &name, QSize size) {
        return artwork::picture(name, size, 2.0).toImage();
    };
    QTest::newRow("main window") << u"FGlowny"_s << u"ImTloGlowny"_s << QSize(750, 560)
                                 << svg(u"glowny"_s, QSize(750, 560));
    QTest::newRow("menu Plik") << u"FMenu"_s << u"ImPlik"_s << QSize(172, 264)
                               << svg(u"menu-plik"_s, QSize(172, 264));
    QTest::newRow("About icon") << u"FAbout"_s << u"Image1"_s << QSize(32, 32)
                                << svg(u"icon"_s, QSize(32, 32));
    QTest::newRow("table arrow") << u"FGlowny"_s << u"ImTabelaWDol"_s << QSize(25, 25)
                                 << arrowPicture(Qt::DownArrow, 2.0);
    QTest::newRow("chart strip") << u"FWykres"_s << u"ImListwaLeft"_s << QSize(339, 44)
                                 << stripartwork::leftPicture(2.0).toImage();
    QTest::newRow("chart strip end") << u"FWykres"_s << u"ImListwaRight"_s << QSize(30, 44)
                                     << stripartwork::rightPicture(2.0).toImage();
    QTest::newRow("chart grip") << u"FWykres"_s << u"ImCiongnij"_s << QSize(15, 15)
                                << stripartwork::gripPicture(2.0).toImage();
    QTest::newRow("dialog strip") << u"FUstawwykres"_s << u"ImListwa"_s << QSize(359, 12)
                                  << QImage();
}

void TestArtworkScale::picturesAreDrawnForTheScreen()
{
    QFETCH(QString, window);
    QFETCH(QString, label);
    QFETCH(QSize, size);
    QFETCH(QImage, expected);

    test::ScriptedPlatform platform;
    Shell shell(&platform);
    shell.start();
    const std::map<QString, QWidget *> windows{{u"FGlowny"_s, &shell.glowny()},
            {u"FMenu"_s, &shell.menu()}, {u"FAbout"_s, &shell.about()},
            {u"FWykres"_s, &shell.wykres()}, {u"FUstawwykres"_s, &shell.ustawWykres()}};
    auto *picture = windows.at(window)->findChild<QLabel *>(label);
    QVERIFY(picture);
    const QPixmap pixmap = picture->pixmap();
    QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    QCOMPARE(pixmap.size(), size * 2);
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
    if (!expected.isNull())
        QCOMPARE(pixmap.toImage(), expected.convertToFormat(pixmap.toImage().format()));
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
