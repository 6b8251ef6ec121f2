// The print preview through the desktop's own dialogs, and the pictures of it
// and of the grown "Plik" drop-down for the guide (written where
// ZAVEVAD_SCREENSHOT_DIR names, when it is set).

#include "../shell/modalhelper.h"
#include "../tables/analysisbuilder.h"
#include "reporttools.h"
#include "scriptedplatform.h"
#include "specialfiles.h"
#include "testsupport.h"

#include "platform/commanderror.h"
#include "report/reportdocument.h"
#include "shell/pagepreview.h"
#include "shell/qtplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScrollArea>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;

namespace {

void saveForDocs(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(image.save(QDir(dir).filePath(name)));
}

int darkPixels(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int dark = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            dark += line[x] < 128 ? 1 : 0;
    }
    return dark;
}

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void previewShowsEveryPage()
    {
        // Landscape and upright pages in one job, on Qt's own printer.
        AnalysisState analysis = makeAnalysis(28, 30);
        analysis.students.front().Nazwisko = QStringLiteral("Łuczak");
        const ReportDocument document(reportSections(analysis));
        int previewPages = -1;
        QImage picture;
        ModalAnswerer answerer([&](QWidget *modal) {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(modal);
            QVERIFY(dialog);
            auto *preview = dialog->findChild<QPrintPreviewWidget *>();
            QVERIFY(preview);
            previewPages = preview->pageCount();
            // The document turns its own pages: no orientation buttons that do nothing.
            int orientationButtons = 0;
            for (const QAction *action : dialog->findChildren<QAction *>()) {
                for (const char *text : {"Portrait", "Landscape"}) {
                    if (action->text()
                            == QCoreApplication::translate("QPrintPreviewDialog", text)) {
                        QVERIFY(!action->isVisible());
                        ++orientationButtons;
                    }
                }
            }
            QCOMPARE(orientationButtons, 2);
            preview->setZoomMode(QPrintPreviewWidget::FitInView);
            QTest::qWait(50);
            picture = dialog->grab().toImage();
            dialog->reject();
        });
        QtPlatform platform;
        const bool printed = platform.printDocument(QStringLiteral("Raport z analizy testu"),
                [&document](QPagedPaintDevice &device) { return document.paint(device); });
        QVERIFY(!printed);
        QCOMPARE(previewPages, document.pageCount());
        QVERIFY(!picture.isNull());
    }

    void previewPagesLieAsInThePdf()
    {
        // Landscape and upright pages in one report: the preview shows each
        // as the PDF has it, and makes only the pages looked at.
        const ReportDocument document(reportSections(makeAnalysis(120, 30)));
        const QString title = QStringLiteral("Raport z analizy testu");
        QList<bool> pdfLandscape;
        for (const QSizeF &size : pdfPageSizes(document.toPdf(title)))
            pdfLandscape.append(size.width() > size.height());
        QVERIFY(pdfLandscape.contains(true) && pdfLandscape.contains(false));
        QVERIFY(pdfLandscape.size() > 4);

        Platform::PreviewPages pages = reportPreviewPages(document);
        const auto paintPage = pages.paint;
        QSet<int> made;
        pages.paint = [&](QPainter &painter, int page) {
            made.insert(page);
            return paintPage(painter, page);
        };
        QList<bool> previewLandscape;
        ModalAnswerer answerer([&](QWidget *modal) {
            auto *dialog = qobject_cast<PagePreview *>(modal);
            QVERIFY(dialog);
            QTest::qWait(50);
            QVERIFY2(made.size() < pdfLandscape.size(), "every page made before it was looked at");
            // A landscape page among upright ones, for the guide.
            const int landscape = static_cast<int>(pdfLandscape.indexOf(true));
            dialog->scrollArea().ensureVisible(
                    0, dialog->canvas().pageRect(landscape).center().y());
            QTest::qWait(50);
            saveForDocs(dialog->grab().toImage(), QStringLiteral("report-preview.png"));
            PreviewCanvas &canvas = dialog->canvas();
            for (int page = 0; page < pdfLandscape.size(); ++page) {
                const QImage image = canvas.pageImage(page);
                QVERIFY(!image.isNull());
                previewLandscape.append(image.width() > image.height());
                // The page is drawn, not left blank.
                QVERIFY(darkPixels(image) > 100);
            }
            dialog->reject();
        });
        QtPlatform platform;
        QVERIFY(!platform.printDocument(
                title, [&document](QPagedPaintDevice &device) { return document.paint(device); },
                pages));
        QCOMPARE(previewLandscape, pdfLandscape);
    }

    void printToFileIsASave_data()
    {
        QTest::addColumn<bool>("pageByPage");
        QTest::newRow("whole job") << false;
        QTest::newRow("pages made as looked at") << true;
    }

    void printToFileIsASave()
    {
        // "Print to file" in the print dialog: the preview's printer writes a
        // PDF file, which must be the saved report's pages, written as any
        // save is, so that a failed write keeps the old file.
        QFETCH(bool, pageByPage);
        const ReportDocument document(reportSections(makeAnalysis(28, 30)));
        const QString title = QStringLiteral("Raport z analizy testu");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raport.pdf"));
        const QByteArray old("stary raport");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        const auto paint = [&document](QPagedPaintDevice &device) {
            return document.paint(device);
        };
        const auto printToFile = [&] {
            ModalAnswerer answerer([&](QWidget *modal) {
                // What the preview does once the print dialog chose a file.
                if (auto *paged = qobject_cast<PagePreview *>(modal)) {
                    paged->printer().setOutputFileName(path);
                    paged->printNow();
                    return;
                }
                auto *dialog = qobject_cast<QPrintPreviewDialog *>(modal);
                QVERIFY(dialog);
                dialog->printer()->setOutputFileName(path);
                dialog->findChild<QPrintPreviewWidget *>()->print();
                dialog->accept();
            });
            QtPlatform platform;
            return pageByPage ? platform.printDocument(title, paint, reportPreviewPages(document))
                              : platform.printDocument(title, paint);
        };
        {
            const FileSizeLimit full(old.size() + 1000);
            if (full.active()) {
                QVERIFY_THROWS_EXCEPTION(CommandError, printToFile());
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QCOMPARE(file.readAll(), old);
            }
        }
        QVERIFY(printToFile());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray printed = file.readAll();
        const QByteArray saved = document.toPdf(title);
        QCOMPARE(pdfPageSizes(printed), pdfPageSizes(saved));
        QCOMPARE(pdfPageTexts(printed, true), pdfPageTexts(saved, true));
    }

    void plikDropDownWithTheNewItems()
    {
        const QString previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(examplesPath()));
        ScriptedPlatform platform;
        Shell shell(&platform);
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.glowny()));
        QStringList files;
        for (const QString &name : QDir(examplesPath()).entryList({QStringLiteral("*.dat")})) {
            if (!name.startsWith(QLatin1String("inny_test")))
                files.append(examplesPath(name));
        }
        platform.openFilesAnswers.push_back(files);
        shell.menu().LPlikOpenClick();
        QVERIFY(shell.session().analysis.dataLoaded);

        QTest::mouseClick(
                shell.glowny().findChild<QLabel *>(QStringLiteral("LMenuPlik")), Qt::LeftButton);
        TFMenu &menu = shell.menu();
        QVERIFY(menu.isVisible());
        QDir::setCurrent(previousDir);
        // Every item of the grown drop-down lies inside it, one under another.
        int bottom = 0;
        for (const char *name : {"LPlikOpen", "LPlikOpenKlasy", "LPlikSaveTxt", "LPlikSaveHtml",
                     "LPlikSavePdf", "LPlikSaveXlsx", "LPlikPrint", "LZamknij"}) {
            auto *item = menu.findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(item && item->isVisible(), name);
            QVERIFY2(item->geometry().top() > bottom, name);
            QVERIFY2(item->parentWidget()->rect().contains(item->geometry()), name);
            bottom = item->geometry().bottom();
        }

        QWidget *backdrop = shell.glowny().PTlo();
        QImage image = backdrop->grab().toImage();
        {
            QPainter painter(&image);
            painter.drawImage(backdrop->mapFromGlobal(menu.pos()), menu.grab().toImage());
        }
        saveForDocs(image, QStringLiteral("main-menu-plik.png"));

        // The sample class's report, for a picture of its first page.
        const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
        QFile pdf(QDir(dir).filePath(QStringLiteral("report-example.pdf")));
        if (!dir.isEmpty() && pdf.open(QIODevice::WriteOnly))
            pdf.write(ReportDocument(reportSections(shell.session().analysis))
                              .toPdf(QStringLiteral("Raport z analizy testu")));
    }
};

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
