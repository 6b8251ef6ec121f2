#include "scriptedplatform.h"

#include "platform/commanderror.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace zavevad::test {

namespace {

template<typename T>
std::optional<T> takeAnswer(std::deque<std::optional<T>> &answers)
{
    if (answers.empty())
        return std::nullopt;
    // A copy, not a move: Qt's values share their data, and moving out of the
    // optional trips GCC's maybe-uninitialized warning in optimised builds.
    const std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

/// A printer as real ones are: its paper keeps the orientation of the first
/// page for the whole job.
class FixedPaperPrinter : public QPdfWriter
{
public:
    using QPdfWriter::QPdfWriter;
    bool setPageLayout(const QPageLayout &layout) override
    {
        return !paintingActive() && QPdfWriter::setPageLayout(layout);
    }
};

} // namespace

ScriptedPlatform::ScriptedPlatform() : m_previous(Platform::setCurrent(this)) { }

ScriptedPlatform::~ScriptedPlatform()
{
    // Restore the previous platform unless someone else took over meanwhile.
    Platform *now = Platform::setCurrent(m_previous);
    if (now != this)
        Platform::setCurrent(now);
}

std::optional<QStringList> ScriptedPlatform::openFiles(
        const QString &title, const QString &filter, const QString &initialDirectory)
{
    calls.append({DialogCall::OpenFiles, title, filter, initialDirectory, {}, {}, {}});
    return takeAnswer(openFilesAnswers);
}

std::optional<QString> ScriptedPlatform::openFolder(
        const QString &title, const QString &initialDirectory)
{
    calls.append({DialogCall::OpenFolder, title, {}, initialDirectory, {}, {}, {}});
    return takeAnswer(openFolderAnswers);
}

std::optional<QString> ScriptedPlatform::runSaveDialog(
        const QString &title, const QString &filter, const QString &defaultExtension)
{
    calls.append({DialogCall::Save, title, filter, lastFolder(), defaultExtension, {}, {}});
    return takeAnswer(saveAnswers);
}

bool ScriptedPlatform::confirmReplace(const QString &path)
{
    replaceQuestions.append(path);
    if (replaceAnswers.empty())
        return false;
    const bool answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
}

std::optional<QColor> ScriptedPlatform::chooseColor(const QColor &initial)
{
    calls.append({DialogCall::Color, {}, {}, {}, {}, initial, {}});
    return takeAnswer(colorAnswers);
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(const FontChoice &initial)
{
    calls.append({DialogCall::Font, {}, {}, {}, {}, {}, initial});
    return takeAnswer(fontAnswers);
}

std::optional<QString> ScriptedPlatform::openPicture()
{
    calls.append({DialogCall::Picture, {}, {}, {}, {}, {}, {}});
    return takeAnswer(pictureAnswers);
}

void ScriptedPlatform::checkClipboard() const
{
    if (clipboardFails)
        throw CommandError(QStringLiteral("Cannot open clipboard"));
}

void ScriptedPlatform::setClipboardText(const QString &text)
{
    checkClipboard();
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    m_clipboard = std::move(data);
    ++clipboardWrites;
}

void ScriptedPlatform::setClipboardMimeData(std::unique_ptr<QMimeData> data)
{
    checkClipboard();
    m_clipboard = std::move(data);
    ++clipboardWrites;
}

void ScriptedPlatform::openDocument(const QString &path)
{
    openedDocuments.append(path);
}

bool ScriptedPlatform::printDocument(const QString &title, const PagePainter &paint)
{
    const bool print = !printAnswers.empty() && printAnswers.front();
    if (!printAnswers.empty())
        printAnswers.pop_front();
    if (!print)
        return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        FixedPaperPrinter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        if (!paint(writer))
            throw CommandError(QStringLiteral("Nie można wydrukować: %1").arg(title));
    }
    printed.append({title, buffer.data()});
    return true;
}

} // namespace zavevad::test
