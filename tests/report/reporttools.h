#pragma once

// Reading the report's files back with the tools a reader would use:
// pdftotext and pdfinfo (poppler-utils) for PDF files, unzip for workbooks.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

namespace zavevad::test {

/// The program's output, or a null array when it is missing or failed.
inline QByteArray runTool(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
        return {};
    QByteArray out = process.readAllStandardOutput();
    if (out.isNull())
        out = QByteArray("");
    return out;
}

/// `bytes` in a temporary file of the given suffix, for the tools to read.
class TempFile
{
public:
    TempFile(const QByteArray &bytes, const QString &suffix)
        : m_file(QStringLiteral("XXXXXX.") + suffix)
    {
        if (m_file.open()) {
            m_file.write(bytes);
            m_file.flush();
        }
    }
    QString path() const { return m_file.fileName(); }

private:
    QTemporaryFile m_file;
};

/// The text of each page of a PDF file, in reading order.
/// `layout`: each text where it stands on the page, so that two files
/// painted alike read alike whatever order their texts were drawn in.
inline QStringList pdfPageTexts(const QByteArray &pdf, bool layout = false)
{
    const TempFile file(pdf, QStringLiteral("pdf"));
    QStringList arguments{file.path(), QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    const QByteArray text = runTool(QStringLiteral("pdftotext"), arguments);
    QStringList pages = QString::fromUtf8(text).split(QChar(u'\f'));
    // Every page ends with a form feed, the last one too.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

/// Width and height in points of each page of a PDF file.
inline QList<QSizeF> pdfPageSizes(const QByteArray &pdf)
{
    const TempFile file(pdf, QStringLiteral("pdf"));
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"),
            {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                    QStringLiteral("100000"), file.path()}));
    QList<QSizeF> sizes;
    static const QRegularExpression line(
            QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts"));
    for (auto it = line.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        sizes.append(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()));
    }
    return sizes;
}

/// One member of a zip file (a workbook's XML part).
inline QString zipMember(const QByteArray &zip, const QString &member)
{
    const TempFile file(zip, QStringLiteral("zip"));
    return QString::fromUtf8(
            runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), file.path(), member}));
}

} // namespace zavevad::test
