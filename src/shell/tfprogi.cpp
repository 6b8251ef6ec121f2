#include "shell/tfprogi.h"

#include "charts/window/tfwykres.h"
#include "platform/savefile.h"
#include "results/regrading.h"
#include "results/thresholds.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "tables/view/tablepanel.h"
#include "ui/accessiblenames.h"
#include "ui/accessiblerenew.h"
#include "ui/bevel.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"
#include "ui/gradientbutton.h"
#include "ui/runcommand.h"
#include "ui/spinedit.h"
#include "ui/windowplacement.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

namespace zavevad {

namespace {

constexpr QSize kSize{304, 258};
const QColor kBackground(141, 146, 141);
const QColor kFieldColour(255, 255, 255);
const QColor kFieldText(0, 0, 0);
const QColor kMarkedField(255, 200, 200);
const QColor kMarkedText(200, 0, 0);

struct FieldSpec
{
    const char *name;
    const char *caption;
};

// In the order of the keys of `Progi.txt`: Dp, Dst, Db, Bdb, cel.
constexpr std::array<FieldSpec, 5> kFieldSpecs{{
        {"SDp", "Dopuszczający"},
        {"SDst", "Dostateczny"},
        {"SDb", "Dobry"},
        {"SBdb", "Bardzo dobry"},
        {"SCel", "Celujący"},
}};

std::array<std::int32_t, 5> asList(const Thresholds &t)
{
    return {t.dop, t.dst, t.db, t.bdb, t.cel};
}

} // namespace

TFProgi::TFProgi(Shell &shell, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_shell(shell), m_before(shell.session().state())
{
    setObjectName(QStringLiteral("FProgi"));
    setUpFixedWindow(*this, kSize, kBackground);
    // Named as its menu item for a screen reader; the strip draws no title.
    setWindowTitle(QStringLiteral("Progi ocen"));
    setModal(true);

    addTitle();
    addFields(m_before.analysis.thresholds);
    addMessage();
    addButtons();
    // The values from Progi.txt are checked as typed ones are: a file edited
    // by hand may hold thresholds that fall or lie out of range.
    fieldsChanged();

    ClickableLabel *close = addCloseMark(*this, QStringLiteral("LCloseProgi"));

    auto *bevel = new Bevel(QColor(255, 255, 0), Bevel::Raised, this);
    bevel->setGeometry(rect());
    bevel->raise();
    nameControlsByLabels(this);
    renewAccessibleInterfaces(this);
    close->raise();

    move(besideWhatItChanges());
    m_fields[0]->lineEdit()->setFocus();
}

void TFProgi::addTitle()
{
    auto *title = new QLabel(QStringLiteral("Progi ocen"), this);
    title->setObjectName(QStringLiteral("LTytul"));
    QFont bold = font();
    bold.setBold(true);
    title->setFont(bold);
    title->move(16, 12);
    title->adjustSize();

    auto *hint = new QLabel(QStringLiteral("Najniższy procent punktów, który daje ocenę:"), this);
    hint->setObjectName(QStringLiteral("LOpis"));
    hint->setGeometry(16, 32, 272, 16);
}

void TFProgi::addFields(const Thresholds &now)
{
    const std::array<std::int32_t, 5> values = asList(now);
    for (int i = 0; i < 5; ++i) {
        const int top = 56 + i * 26;
        auto *caption = new QLabel(QString::fromUtf8(kFieldSpecs[i].caption), this);
        caption->setGeometry(32, top + 3, 120, 16);
        auto *field = new SpinEdit(this);
        field->setObjectName(QLatin1String(kFieldSpecs[i].name));
        field->setRange(kMinimum, kMaximum);
        field->setGeometry(160, top, 64, 21);
        field->setColors(kFieldColour, kFieldText);
        field->setText(QString::number(values[i]));
        caption->setBuddy(field->lineEdit());
        auto *percent = new QLabel(QStringLiteral("%"), this);
        percent->setGeometry(230, top + 3, 20, 16);
        m_fields[i] = field;
        connect(field, &SpinEdit::changed, this, &TFProgi::fieldsChanged);
    }
}

void TFProgi::addMessage()
{
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("LKomunikat"));
    m_message->setGeometry(16, 186, 272, 28);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = m_message->palette();
    red.setColor(QPalette::WindowText, kMarkedText);
    m_message->setPalette(red);
}

void TFProgi::addButtons()
{
    auto makeButton = [this](const char *name, const QString &caption, int left) {
        auto *button = new GradientButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, 220, 64, 25);
        return button;
    };
    m_zapisz = makeButton("BZapisz", QStringLiteral("Zapisz"), 12);
    m_zastosuj = makeButton("BZastosuj", QStringLiteral("Zastosuj"), 84);
    GradientButton *domyslne = makeButton("BDomyslne", QStringLiteral("Domyślne"), 156);
    GradientButton *anuluj = makeButton("BAnuluj", QStringLiteral("Anuluj"), 228);
    m_zapisz->setToolTip(QStringLiteral("Zapisuje progi w pliku Progi.txt i stosuje je"));
    m_zastosuj->setToolTip(QStringLiteral("Stosuje progi do końca pracy programu"));
    domyslne->setToolTip(QStringLiteral("Progi 50, 60, 75, 85 i 95"));
    connect(m_zapisz, &GradientButton::clicked, this, &TFProgi::BZapiszClick);
    connect(m_zastosuj, &GradientButton::clicked, this, &TFProgi::BZastosujClick);
    connect(domyslne, &GradientButton::clicked, this, &TFProgi::BDomyslneClick);
    connect(anuluj, &GradientButton::clicked, this, &TFProgi::BAnulujClick);
}

QPoint TFProgi::besideWhatItChanges() const
{
    // The live change shows in the chart window, when one is open, and in
    // the table on display (its grade columns): the window opens clear of them.
    QList<QRect> keep;
    TFWykres &wykres = m_shell.wykres();
    if (wykres.isVisible())
        keep.append(wykres.frameGeometry());
    if (const QWidget *table = m_shell.glowny().PTabela(); table && table->isVisible())
        keep.append(QRect(table->mapToGlobal(QPoint(0, 0)), table->size()));
    QRect screen(QPoint(0, 0), QSize(1024, 768));
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        screen = primary->availableGeometry();
    return placeBeside(kSize, screen, keep);
}

void TFProgi::mousePressEvent(QMouseEvent *event)
{
    // The title row is the strip the window is moved by.
    if (event->button() == Qt::LeftButton && event->position().y() < kStripHeight) {
        m_drag.press(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void TFProgi::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag.isActive()) {
        m_drag.moveTo(*this, event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void TFProgi::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_drag.isActive() && event->button() == Qt::LeftButton) {
        m_drag.release();
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

TFProgi::~TFProgi() = default;

QString TFProgi::risingMessage()
{
    return QStringLiteral("Progi muszą rosnąć od dopuszczającego do celującego");
}

QString TFProgi::rangeMessage()
{
    return QStringLiteral("Próg to liczba całkowita od 0 do 101");
}

std::optional<Thresholds> TFProgi::fieldThresholds() const
{
    std::array<std::int32_t, 5> values{};
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> v = m_fields[i]->value();
        if (!v || *v < kMinimum || *v > kMaximum)
            return std::nullopt;
        values[i] = *v;
    }
    Thresholds t;
    t.dop = values[0];
    t.dst = values[1];
    t.db = values[2];
    t.bdb = values[3];
    t.cel = values[4];
    return t;
}

void TFProgi::setFields(const Thresholds &thresholds)
{
    // One change for all five: the fields filled one by one would pass
    // through thresholds that do not rise.
    const std::array<std::int32_t, 5> values = asList(thresholds);
    m_filling = true;
    for (int i = 0; i < 5; ++i)
        m_fields[i]->setText(QString::number(values[i]));
    m_filling = false;
    fieldsChanged();
}

bool TFProgi::isFieldMarked(int index) const
{
    return index >= 0 && index < 5 && m_marked[static_cast<std::size_t>(index)];
}

void TFProgi::fieldsChanged()
{
    if (m_filling)
        return;
    // Red: a field that is no whole number from 0 to 101, and both fields of
    // every neighbouring pair that falls.
    std::array<std::optional<int>, 5> values;
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> v = m_fields[i]->value();
        values[i] = v && *v >= kMinimum && *v <= kMaximum ? v : std::nullopt;
    }
    const std::array<bool, 5> markedBefore = m_marked;
    m_marked.fill(false);
    bool falling = false;
    for (int i = 0; i < 5; ++i) {
        if (!values[i])
            m_marked[i] = true;
        if (i > 0 && values[i] && values[i - 1] && *values[i] < *values[i - 1]) {
            m_marked[i] = m_marked[i - 1] = true;
            falling = true;
        }
    }
    for (int i = 0; i < 5; ++i) {
        if (m_marked[i] == markedBefore[i])
            continue;
        m_fields[i]->setColors(
                m_marked[i] ? kMarkedField : kFieldColour, m_marked[i] ? kMarkedText : kFieldText);
    }
    const bool outOfRange = std::any_of(
            values.begin(), values.end(), [](const std::optional<int> &v) { return !v; });
    if (outOfRange)
        m_message->setText(rangeMessage());
    else
        m_message->setText(falling ? risingMessage() : QString());

    const std::optional<Thresholds> t = fieldThresholds();
    const bool valid = t && thresholdsRise(*t);
    m_zapisz->setEnabled(valid);
    m_zastosuj->setEnabled(valid);
    if (valid)
        applyLive(*t);
}

void TFProgi::applyLive(const Thresholds &thresholds)
{
    Session &session = m_shell.session();
    if (session.analysis.thresholds == thresholds)
        return;
    regradeAnalysis(session.analysis, thresholds);
    if (session.analysis.dataLoaded)
        m_shell.glowny().PokazTabele(session.analysis.tableMode);
    m_shell.wykres().rebuildAfterRegrading();
}

void TFProgi::restore()
{
    // The whole state in one assignment: a field added to it is restored too.
    SessionState &state = m_shell.session().state();
    if (state == m_before)
        return;
    state = m_before;
    m_shell.glowny().PTabela()->refresh();
    m_shell.wykres().refreshChart();
}

void TFProgi::BZapiszClick()
{
    const std::optional<Thresholds> t = fieldThresholds();
    if (!t || !thresholdsRise(*t))
        return;
    const QString path = QDir(m_shell.session().analysis.startDirectory)
                                 .filePath(kThresholdsFileName.toString());
    // A failed write keeps the old file and this window open.
    if (!runCommand(this, [&] { saveEditedInput(path, thresholdsFileBytes(*t)); }))
        return;
    // Read at every start: from now on no other save may replace it.
    Session &session = m_shell.session();
    if (session.analysis.dataLoaded && !session.loadedInputs.contains(path))
        session.loadedInputs.append(path);
    accept();
}

void TFProgi::BZastosujClick()
{
    const std::optional<Thresholds> t = fieldThresholds();
    if (t && thresholdsRise(*t))
        accept();
}

void TFProgi::BDomyslneClick()
{
    setFields(Thresholds{});
}

void TFProgi::BAnulujClick()
{
    reject();
}

void TFProgi::reject()
{
    restore();
    QDialog::reject();
}

} // namespace zavevad
