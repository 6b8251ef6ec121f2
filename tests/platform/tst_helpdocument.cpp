#include "platform/help.h"
#include "platform/helpdocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestHelpDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_start = m_dir.filePath(u"klasa"_s);
        QVERIFY(QDir().mkpath(m_start));
        m_installed = m_dir.filePath(u"usr/share/zavevad/pomoc.html"_s);
        m_source = m_dir.filePath(u"src/docs/guide/pomoc.html"_s);
    }
    void cleanup() { QVERIFY(QDir(m_dir.path()).removeRecursively()); }

    void choice_data()
    {
        QTest::addColumn<bool>("chm");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("source");
        QTest::addColumn<QString>("opened");
        // The help file wins whenever it is there; then the guides in order;
        // with none of them, the help file's path all the same.
        QTest::newRow("help file alone") << true << false << false << u"chm"_s;
        QTest::newRow("help file before guides") << true << true << true << u"chm"_s;
        QTest::newRow("installed guide") << false << true << true << u"installed"_s;
        QTest::newRow("source guide") << false << false << true << u"source"_s;
        QTest::newRow("nothing") << false << false << false << u"chm"_s;
    }
    void choice()
    {
        QFETCH(bool, chm);
        QFETCH(bool, installed);
        QFETCH(bool, source);
        QFETCH(QString, opened);
        const QString chmPath = QDir(m_start).filePath(u"Kalmo_Analiza.chm"_s);
        if (chm)
            touch(chmPath);
        if (installed)
            touch(m_installed);
        if (source)
            touch(m_source);
        const QString expected = opened == u"chm"_s ? chmPath
                : opened == u"installed"_s          ? m_installed
                                                    : m_source;
        QCOMPARE(helpDocumentPath(m_start, {m_installed, m_source}), expected);
    }

    void folderNamedLikeTheHelpFileIsNoHelpFile()
    {
        QVERIFY(QDir(m_start).mkdir(u"Kalmo_Analiza.chm"_s));
        touch(m_installed);
        QCOMPARE(helpDocumentPath(m_start, {m_installed}), m_installed);
    }

    void helpFileNameIsExact()
    {
        // Linux file names are case-sensitive: another spelling is not the help file.
        touch(QDir(m_start).filePath(u"kalmo_analiza.CHM"_s));
        touch(m_source);
        QCOMPARE(helpDocumentPath(m_start, {m_source}), m_source);
    }

    void buildTreeRunFindsOurGuide()
    {
        // Run from the build folder, nothing is installed beside the
        // executable, so the guide of the source tree is the one opened.
        const QString path = helpDocumentPath(m_start);
        QVERIFY2(path.endsWith(u"/docs/guide/pomoc.html"_s), qPrintable(path));
        QVERIFY(QFileInfo(path).isFile());

        QFile guide(path);
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(guide.readAll());
        QVERIFY(html.contains(u"<html lang=\"pl\">"_s));
        QVERIFY(html.contains(u"Progi.txt"_s));

        touch(QDir(m_start).filePath(u"Kalmo_Analiza.chm"_s));
        QCOMPARE(helpDocumentPath(m_start), helpFilePath(m_start));
    }

    void installedLayoutComesFirst()
    {
        const QStringList candidates = userGuideCandidates();
        QVERIFY(candidates.size() >= 3);
        const QString bin = QCoreApplication::applicationDirPath();
        QCOMPARE(candidates.at(0), QDir::cleanPath(bin + u"/../share/zavevad/pomoc.html"_s));
        QCOMPARE(candidates.at(1), QDir::cleanPath(bin + u"/../share/doc/zavevad/pomoc.html"_s));
        QVERIFY(candidates.last().endsWith(u"/docs/guide/pomoc.html"_s));
    }

private:
    QTemporaryDir m_dir;
    QString m_start;
    QString m_installed;
    QString m_source;
};

QTEST_GUILESS_MAIN(TestHelpDocument)
#include "tst_helpdocument.moc"
