// The chart window inside the whole program: the "Wykresy" items of the menu
// and the real appearance dialog behind "Formatuj".

#include "../../shell/modalhelper.h"
#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/tfwykres.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"

#include <QDir>
#include <QLabel>
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
};

QTEST_MAIN(TestChartWindowShell)
#include "tst_chartwindowshell.moc"
