#include "shell/tfraport.h"

#include "platform/outputcheck.h"
#include "platform/savefile.h"
#include "shell/shell.h"
#include "ui/bevel.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"
#include "ui/gradientbutton.h"
#include "ui/runcommand.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zavevad {

namespace {

constexpr QSize kSize{520, 440};
const QColor kBackground(141, 146, 141);

QLabel *addLabel(QWidget &parent, const char *name, const QString &text, QWidget *buddy,
        const QRect &geometry)
{
    auto *label = new QLabel(text, &parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFRaport::TFRaport(Shell &shell, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_shell(shell)
{
    setObjectName(QStringLiteral("FRaport"));
    setUpFixedWindow(*this, kSize, kBackground);
    setModal(true);
    setAccessibleName(QStringLiteral("Wnioski i dane raportu"));

    auto *title = new QLabel(QStringLiteral("Wnioski i dane raportu"), this);
    title->setObjectName(QStringLiteral("LTytul"));
    QFont bold = font();
    bold.setBold(true);
    title->setFont(bold);
    title->move(16, 12);
    title->adjustSize();

    const int width = kSize.width() - 32;
    m_school = new QLineEdit(this);
    m_school->setObjectName(QStringLiteral("ESzkola"));
    m_school->setGeometry(130, 40, width - 114, 22);
    addLabel(*this, "LSzkola", QStringLiteral("&Szkoła:"), m_school, QRect(16, 40, 110, 22));
    m_teacher = new QLineEdit(this);
    m_teacher->setObjectName(QStringLiteral("ENauczyciel"));
    m_teacher->setGeometry(130, 68, width - 114, 22);
    addLabel(*this, "LNauczyciel", QStringLiteral("&Nauczyciel:"), m_teacher,
            QRect(16, 68, 110, 22));
    m_conclusions = new QPlainTextEdit(this);
    m_conclusions->setObjectName(QStringLiteral("MWnioski"));
    m_conclusions->setGeometry(16, 120, width, 260);
    // Tab moves on to the buttons, as in every other field of the window.
    m_conclusions->setTabChangesFocus(true);
    addLabel(*this, "LWnioski", QStringLiteral("&Wnioski i rekomendacje (drukowane w raporcie):"),
            m_conclusions, QRect(16, 98, width, 20));
    m_school->setAccessibleName(QStringLiteral("Szkoła"));
    m_teacher->setAccessibleName(QStringLiteral("Nauczyciel"));
    m_conclusions->setAccessibleName(QStringLiteral("Wnioski i rekomendacje"));

    const ReportNotes notes = readReportNotes(shell.session().analysis.blueprintFolder).notes;
    m_school->setText(notes.school);
    m_teacher->setText(notes.teacher);
    m_conclusions->setPlainText(notes.conclusions);

    auto makeButton = [this](const char *name, const QString &caption, int left) {
        auto *button = new GradientButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, kSize.height() - 44, 64, 25);
        return button;
    };
    GradientButton *zapisz = makeButton("BZapisz", QStringLiteral("Zapisz"), kSize.width() - 160);
    GradientButton *anuluj = makeButton("BAnuluj", QStringLiteral("Anuluj"), kSize.width() - 84);
    zapisz->setToolTip(QStringLiteral("Zapisuje dane w pliku Raport.txt obok plików wyników"));
    connect(zapisz, &GradientButton::clicked, this, &TFRaport::BZapiszClick);
    connect(anuluj, &GradientButton::clicked, this, &TFRaport::BAnulujClick);

    ClickableLabel *close = addCloseMark(*this, QStringLiteral("LCloseRaport"));
    auto *bevel = new Bevel(QColor(255, 255, 0), Bevel::Raised, this);
    bevel->setGeometry(rect());
    bevel->raise();
    close->raise();

    centreOnScreen(*this);
    m_school->setFocus();
}

TFRaport::~TFRaport() = default;

ReportNotes TFRaport::fieldNotes() const
{
    return {m_school->text().trimmed(), m_teacher->text().trimmed(), m_conclusions->toPlainText()};
}

void TFRaport::BZapiszClick()
{
    const QString path = reportNotesPath(m_shell.session().analysis.blueprintFolder);
    const QByteArray bytes = reportNotesFileBytes(fieldNotes());
    // The file is a loaded input that no other output may replace; this save
    // is the one that writes it, and every other check still holds.
    const QStringList inputs = loadedInputs();
    QStringList others = inputs;
    others.removeAll(path);
    const bool saved = runCommand(this, [&] {
        setLoadedInputs(others);
        try {
            saveFileSayingWhy(path, bytes);
        } catch (...) {
            setLoadedInputs(inputs);
            throw;
        }
        setLoadedInputs(inputs);
    });
    // A failed write keeps the old file and this window open.
    if (saved)
        accept();
}

void TFRaport::BAnulujClick()
{
    reject();
}

} // namespace zavevad
