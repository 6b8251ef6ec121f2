// The chart window inside the whole program: the "Wykresy" items of the menu
// and the real appearance dialog behind "Formatuj".

#include "../../shell/modalhelper.h"
#include "appearance/dialog/tfustawwykres.h"
#include "chartengine/chartrenderer.h"
#include "charts/window/tfwykres.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace zavevad;

class TestChartWindowShell : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;

    void load()
    {
        QStringList paths;
        const char *surnames[] = {"Nowak", "Lis", "Bąk"};
        for (int i = 0; i < 3; ++i) {
            test::ResultFileSpec fileSpec;
            fileSpec.surname = QString::fromUtf8(surnames[i]);
            paths.append(test::writeResultFile(
                    m_dir.path(), QStringLiteral("u%1.dat").arg(i), fileSpec));
        }
        m_platform->openFilesAnswers.push_back(paths);
        m_shell->glowny().Wczytaj();
        QVERIFY(m_shell->session().analysis.dataLoaded);
    }

    void menuItem(const char *item)
    {
        QTest::mouseClick(m_shell->glowny().findChild<QLabel *>(QStringLiteral("LMenuWykresy")),
                Qt::LeftButton);
        QLabel *label = m_shell->menu().findChild<QLabel *>(QLatin1String(item));
        QVERIFY(label);
        QTest::mouseClick(label, Qt::LeftButton);
    }

    QWidget *dialogChild(const char *name) const
    {
        return m_shell->ustawWykres().findChild<QWidget *>(QLatin1String(name));
    }

    struct Boxes3D
    {
        bool view = false;
        bool walls = false;
        bool wallsShown = false;
    };

    /// Opens "Formatuj", reads the "Efekty 3D" boxes as the page shows them,
    /// clicks the named box when one is given, and closes the dialog.
    Boxes3D format3D(const char *click = nullptr)
    {
        Boxes3D boxes;
        test::ModalAnswerer answerer([&](QWidget *modal) {
            auto *tabs = modal->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
            tabs->setCurrentWidget(modal->findChild<QWidget *>(QStringLiteral("TabSheet1")));
            QWidget *page = modal->findChild<QWidget *>(QStringLiteral("TabSheet5"));
            tabs->setCurrentWidget(page);
            auto *view = modal->findChild<QCheckBox *>(QStringLiteral("CWykres3d"));
            auto *walls = modal->findChild<QCheckBox *>(QStringLiteral("C3dosie"));
            boxes = Boxes3D{view->isChecked(), walls->isChecked(), walls->isVisibleTo(page)};
            if (click)
                modal->findChild<QCheckBox *>(QLatin1String(click))->click();
            modal->close();
        });
        QTest::mouseClick(
                m_shell->wykres().findChild<QLabel *>(QStringLiteral("LWykresMenuFormat")),
                Qt::LeftButton);
        return boxes;
    }

    void loadTemplate(const QString &path)
    {
        TFWykres &wykres = m_shell->wykres();
        QTest::mouseClick(
                wykres.findChild<QLabel *>(QStringLiteral("LWykresMenuPlik")), Qt::LeftButton);
        m_platform->saveAnswers.push_back(path);
        QTest::mouseClick(
                wykres.findChild<QLabel *>(QStringLiteral("LWczytajFormat")), Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
    }

    void init()
    {
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_shell = std::make_unique<Shell>(m_platform.get());
        m_shell->start();
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
    }

    void cleanup()
    {
        m_shell.reset();
        m_platform.reset();
        QDir::setCurrent(m_previousDir);
    }

    void nothingBeforeALoad()
    {
        const Session &session = m_shell->session();
        const QByteArray before = session.appearances.CurrentAppearance.toBytes();
        menuItem("LWykresSlupkowy");
        QVERIFY(m_shell->menu().isHidden());
        QCOMPARE(session.chartKind.ChartKind, int(ChartKindNone));
        QCOMPARE(session.appearances.CurrentAppearance.toBytes(), before);
        QVERIFY(m_shell->wykres().isHidden());
    }

    void menuItemsShowKindInWindowAndDialog_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("panel");
        QTest::newRow("bar") << QByteArray("LWykresSlupkowy") << 1 << QByteArray("PSlupek");
        QTest::newRow("pie") << QByteArray("LWykresKolowy") << 2 << QByteArray("PKola");
        QTest::newRow("line") << QByteArray("LWykresLiniowy") << 3 << QByteArray("PLinia");
    }
    void menuItemsShowKindInWindowAndDialog()
    {
        QFETCH(QByteArray, item);
        QFETCH(int, kind);
        QFETCH(QByteArray, panel);
        load();
        menuItem(item.constData());

        TFWykres &wykres = m_shell->wykres();
        QVERIFY(wykres.isVisible());
        QCOMPARE(wykres.kindState().ShownChartKind, kind);
        QCOMPARE(wykres.chart().series(kind - 1).count(), 3);
        QVERIFY(wykres.chart().series(kind - 1).active);
        for (const char *name : {"PSlupek", "PKola", "PLinia"}) {
            QWidget *widget = dialogChild(name);
            QVERIFY2(widget, name);
            QCOMPARE(!widget->isHidden(), panel == name);
        }
        QCOMPARE(dialogChild("TabSheet2")->isEnabled(), kind != ChartKindPie);
    }

    void formatujWithTheRealDialog_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<bool>("orthogonal");
        QTest::newRow("bar") << QByteArray("LWykresSlupkowy") << true;
        QTest::newRow("pie") << QByteArray("LWykresKolowy") << false;
    }
    void formatujWithTheRealDialog()
    {
        QFETCH(QByteArray, item);
        QFETCH(bool, orthogonal);
        load();
        menuItem(item.constData());
        TFWykres &wykres = m_shell->wykres();

        QWidget *shown = nullptr;
        {
            test::ModalAnswerer answerer([&shown](QWidget *modal) {
                shown = modal;
                modal->close();
            });
            QTest::mouseClick(wykres.findChild<QLabel *>(QStringLiteral("LWykresMenuFormat")),
                    Qt::LeftButton);
        }
        QCOMPARE(shown, static_cast<QWidget *>(&m_shell->ustawWykres()));
        // Tied to the chart window, which stays on top, so it is not hidden behind it.
        QCOMPARE(m_shell->ustawWykres().windowHandle()->transientParent(), wykres.windowHandle());
        QCOMPARE(wykres.chart().view3D.orthogonal, orthogonal);
        QCOMPARE(bool(m_shell->session().appearances.CurrentAppearance.Perspective), orthogonal);
    }

    void classChartsAtTheDesignSize_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QString>("file");
        QTest::newRow("bar") << QByteArray("LWykresSlupkowy") << QStringLiteral("chart-bar");
        QTest::newRow("pie") << QByteArray("LWykresKolowy") << QStringLiteral("chart-pie");
        QTest::newRow("line") << QByteArray("LWykresLiniowy") << QStringLiteral("chart-line");
    }
    void classChartsAtTheDesignSize()
    {
        QFETCH(QByteArray, item);
        QFETCH(QString, file);
        // The sample class of 28, without the two files of another test.
        const QDir examples(QStringLiteral(ZAVEVAD_EXAMPLES_DIR));
        QStringList paths;
        for (const QString &name : examples.entryList({QStringLiteral("*.dat")}, QDir::Files))
            if (!name.startsWith(QLatin1String("inny_test")))
                paths.append(examples.filePath(name));
        QCOMPARE(paths.size(), 28);
        m_platform->openFilesAnswers.push_back(paths);
        m_shell->glowny().Wczytaj();
        menuItem(item.constData());

        TFWykres &wykres = m_shell->wykres();
        QWidget *grip = wykres.findChild<QWidget *>(QStringLiteral("PRozciong"));
        QVERIFY(grip);
        QWidget *chartWidget = grip->parentWidget();
        QCOMPARE(wykres.size(), QSize(555, 420));
        QCOMPARE(chartWidget->size(), QSize(555, 376));
        const QImage shot = wykres.grab().toImage();
        const chart::ChartGeometry g = chart::chartGeometry(
                wykres.chart(), QRectF(QPointF(), QSizeF(chartWidget->size())), {}, chartWidget);
        // Every student in the legend, whole, and the grip off it.
        QCOMPARE(g.legendTexts.size(), 28);
        for (const chart::MarkGeometry &text : g.legendTexts)
            QVERIFY2(!text.text.contains(QChar(0x2026)), qPrintable(text.text));
        QVERIFY(!g.legend.intersects(QRectF(grip->geometry())));
        QCOMPARE(g.marks.size(), 28);
        // And every student named under the plot of a bar or line chart.
        QCOMPARE(g.categoryLabels.size(), file == QLatin1String("chart-pie") ? 0 : 28);

        const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            QVERIFY(shot.save(QDir(dir).filePath(file + QStringLiteral(".png"))));
    }

    void boxes3DTellWhatTheChartShows()
    {
        load();
        const chart::Chart &chart = m_shell->wykres().chart();
        auto agree = [&](const char *step) {
            const Boxes3D boxes = format3D();
            QVERIFY2(boxes.view == chart.view3D.view3D, step);
            if (m_shell->wykres().kindState().ShownChartKind == ChartKindPie)
                QVERIFY2(!boxes.wallsShown, step);
            else
                QVERIFY2(boxes.wallsShown && boxes.walls == chart.view3D.walls3D, step);
        };

        menuItem("LWykresSlupkowy");
        QVERIFY(chart.view3D.walls3D);
        agree("first bar chart");

        // Walls off by hand stay off through the next commands, and the box says so.
        format3D("C3dosie");
        QVERIFY(!chart.view3D.walls3D);
        menuItem("LWykresSlupkowy");
        QVERIFY(!chart.view3D.walls3D);
        agree("bar chart after walls off");
        menuItem("LWykresLiniowy");
        QVERIFY(!chart.view3D.walls3D);
        agree("line chart after walls off");

        // A template asking for walls changes neither the chart nor the box.
        TChartAppearance record = m_shell->session().appearances.DefaultAppearance;
        record.View3DWalls = true;
        record.View3D = false;
        const QString path = m_dir.filePath(QStringLiteral("sciany.ssw"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(record.toBytes()), qint64(944));
        }
        loadTemplate(path);
        QVERIFY(chart.view3D.view3D);
        QVERIFY(!chart.view3D.walls3D);
        agree("template on a line chart");

        // The pie's coupling takes the walls; leaving the pie gives them back.
        menuItem("LWykresKolowy");
        QVERIFY(!chart.view3D.walls3D);
        agree("pie chart");
        loadTemplate(path);
        agree("template on a pie chart");
        menuItem("LWykresSlupkowy");
        QVERIFY(chart.view3D.walls3D);
        agree("bar chart after the pie");

        // The same for the 3D view itself.
        format3D("CWykres3d");
        QVERIFY(!chart.view3D.view3D);
        menuItem("LWykresKolowy");
        agree("pie chart after 3D off");
        menuItem("LWykresSlupkowy");
        QVERIFY(!chart.view3D.view3D);
        agree("bar chart after 3D off");
    }
};

QTEST_MAIN(TestChartWindowShell)
#include "tst_chartwindowshell.moc"
