#include "shell/tfkartoteka.h"

#include "charts/window/tfwykres.h"
#include "platform/savefile.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "ui/bevel.h"
#include "ui/clickablelabel.h"
#include "ui/fixedwindow.h"
#include "ui/gradientbutton.h"
#include "ui/runcommand.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace zavevad {

namespace {

constexpr QSize kSize{520, 440};
const QColor kBackground(141, 146, 141);

enum Column { ColQuestion, ColSkill, ColRequirement };

// What a screen reader calls the field of a cell: its column and its question.
QString fieldName(const QModelIndex &index)
{
    const QString column = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    const QString question = index.model()->index(index.row(), ColQuestion).data().toString();
    return column + QStringLiteral(", pytanie ") + question;
}

// A cell's field, named for a screen reader. Tab and Shift+Tab end the typing
// and leave the table, as they do from the table itself; Ctrl+Tab goes on to
// the next cell.
class FieldDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
            const QModelIndex &index) const override
    {
        QWidget *editor = makeEditor(parent, option, index);
        if (editor)
            editor->setAccessibleName(fieldName(index));
        return editor;
    }

protected:
    virtual QWidget *makeEditor(
            QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
    {
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (!editor || event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(object, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab || (key->modifiers() & Qt::ControlModifier))
            return QStyledItemDelegate::eventFilter(object, event);
        // The field is in the view's viewport; once it is closed, the view
        // has the focus, and the same key takes it on out of the table.
        QWidget *view = editor->parentWidget() ? editor->parentWidget()->parentWidget() : nullptr;
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (view)
            QCoreApplication::postEvent(
                    view, new QKeyEvent(QEvent::KeyPress, key->key(), key->modifiers()));
        return true;
    }
};

// The skill's editor offers the skills typed so far in any row.
class SkillDelegate : public FieldDelegate
{
public:
    using FieldDelegate::FieldDelegate;

protected:
    QWidget *makeEditor(
            QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        QStringList names;
        const QAbstractItemModel *model = index.model();
        for (int r = 0; r < model->rowCount(); ++r) {
            const QString name = model->index(r, ColSkill).data().toString().trimmed();
            if (!name.isEmpty() && !names.contains(name))
                names.append(name);
        }
        auto *completer = new QCompleter(names, editor);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchContains);
        editor->setCompleter(completer);
        return editor;
    }
};

} // namespace

TFKartoteka::TFKartoteka(Shell &shell, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_shell(shell)
{
    setObjectName(QStringLiteral("FKartoteka"));
    setUpFixedWindow(*this, kSize, kBackground);
    setWindowTitle(QStringLiteral("Kartoteka testu"));
    setAccessibleName(windowTitle());
    setModal(true);

    const AnalysisState &analysis = shell.session().analysis;
    m_questionCount = usableQuestionCount(analysis.questionCount);

    auto *title = new QLabel(QStringLiteral("Kartoteka testu"), this);
    title->setObjectName(QStringLiteral("LTytul"));
    QFont bold = font();
    bold.setBold(true);
    title->setFont(bold);
    title->move(16, 12);
    title->adjustSize();

    auto *hint = new QLabel(
            QStringLiteral("Co sprawdza każde pytanie (pytanie bez umiejętności zostaw puste):"),
            this);
    hint->setObjectName(QStringLiteral("LOpis"));
    hint->setGeometry(16, 32, kSize.width() - 32, 16);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("TKartoteka"));
    m_table->setGeometry(16, 54, kSize.width() - 32, 330);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Pytanie"), QStringLiteral("Umiejętność"),
            QStringLiteral("Wymaganie")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(20);
    m_table->setColumnWidth(ColQuestion, 60);
    m_table->setColumnWidth(ColSkill, 280);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_table->setItemDelegateForColumn(ColSkill, new SkillDelegate(m_table));
    m_table->setItemDelegateForColumn(ColRequirement, new FieldDelegate(m_table));
    m_table->setAccessibleName(QStringLiteral("Pytania i umiejętności"));
    // Tab leaves the table for the buttons; the arrows move between its cells.
    m_table->setTabKeyNavigation(false);
    fillRows(analysis.blueprint);

    auto makeButton = [this](const char *name, const QString &caption, int left, int width) {
        auto *button = new GradientButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, kSize.height() - 44, width, 25);
        return button;
    };
    GradientButton *dodaj = makeButton("BDodaj", QStringLiteral("Dodaj umiejętność"), 16, 130);
    GradientButton *zapisz =
            makeButton("BZapisz", QStringLiteral("Zapisz"), kSize.width() - 160, 64);
    GradientButton *anuluj =
            makeButton("BAnuluj", QStringLiteral("Anuluj"), kSize.width() - 84, 64);
    dodaj->setToolTip(QStringLiteral("Dodaje wiersz dla jeszcze jednej umiejętności pytania"));
    zapisz->setToolTip(QStringLiteral("Zapisuje kartotekę w pliku Kartoteka.txt i stosuje ją"));
    connect(dodaj, &GradientButton::clicked, this, &TFKartoteka::BDodajClick);
    connect(zapisz, &GradientButton::clicked, this, &TFKartoteka::BZapiszClick);
    connect(anuluj, &GradientButton::clicked, this, &TFKartoteka::BAnulujClick);

    ClickableLabel *close = addCloseMark(*this, QStringLiteral("LCloseKartoteka"));

    auto *bevel = new Bevel(QColor(255, 255, 0), Bevel::Raised, this);
    bevel->setGeometry(rect());
    bevel->raise();
    close->raise();

    setTabOrder(m_table, dodaj);
    setTabOrder(dodaj, zapisz);
    setTabOrder(zapisz, anuluj);
    centreOnScreen(*this);
    m_table->setFocus();
}

void TFKartoteka::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Enter presses the button that has the focus, and saves from anywhere else.
    if (auto *button = qobject_cast<GradientButton *>(focusWidget()))
        button->click();
    else
        BZapiszClick();
}

TFKartoteka::~TFKartoteka() = default;

void TFKartoteka::fillRows(const Blueprint &blueprint)
{
    for (int q = 1; q <= m_questionCount; ++q) {
        bool any = false;
        for (const Skill &skill : blueprint.skills) {
            if (skill.questions & (1u << (q - 1))) {
                appendRow(q, skill.name, skill.requirement);
                any = true;
            }
        }
        if (!any)
            appendRow(q, QString(), QString());
    }
}

void TFKartoteka::appendRow(int question, const QString &skill, const QString &requirement)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto *number = new QTableWidgetItem(QString::number(question));
    number->setFlags(Qt::ItemIsEnabled);
    number->setData(Qt::UserRole, question);
    number->setTextAlignment(Qt::AlignCenter);
    m_table->setItem(row, ColQuestion, number);
    m_table->setItem(row, ColSkill, new QTableWidgetItem(skill));
    m_table->setItem(row, ColRequirement, new QTableWidgetItem(requirement));
}

Blueprint TFKartoteka::fieldBlueprint() const
{
    Blueprint blueprint;
    QHash<QString, std::size_t> index;
    auto text = [this](int row, int column) {
        const QTableWidgetItem *item = m_table->item(row, column);
        return item ? item->text().trimmed() : QString();
    };
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int question = m_table->item(row, ColQuestion)->data(Qt::UserRole).toInt();
        const QString name = text(row, ColSkill);
        if (name.isEmpty() || question < 1 || question > m_questionCount)
            continue;
        auto found = index.constFind(name);
        if (found == index.cend()) {
            found = index.insert(name, blueprint.skills.size());
            blueprint.skills.push_back(Skill{name, QString(), 0});
        }
        Skill &skill = blueprint.skills[*found];
        skill.questions |= 1u << (question - 1);
        if (skill.requirement.isEmpty())
            skill.requirement = text(row, ColRequirement);
    }
    return blueprint;
}

void TFKartoteka::addSkillRow(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    const int question = m_table->item(row, ColQuestion)->data(Qt::UserRole).toInt();
    // Below the question's last row, so that its rows stay together.
    int below = row + 1;
    while (below < m_table->rowCount()
            && m_table->item(below, ColQuestion)->data(Qt::UserRole).toInt() == question)
        ++below;
    m_table->insertRow(below);
    auto *number = new QTableWidgetItem(QString::number(question));
    number->setFlags(Qt::ItemIsEnabled);
    number->setData(Qt::UserRole, question);
    number->setTextAlignment(Qt::AlignCenter);
    m_table->setItem(below, ColQuestion, number);
    m_table->setItem(below, ColSkill, new QTableWidgetItem());
    m_table->setItem(below, ColRequirement, new QTableWidgetItem());
    m_table->setCurrentCell(below, ColSkill);
}

void TFKartoteka::BDodajClick()
{
    addSkillRow(std::max(m_table->currentRow(), 0));
}

void TFKartoteka::BZapiszClick()
{
    // A cell still being typed in counts: leaving it commits it.
    m_table->setCurrentIndex(QModelIndex());
    Session &session = m_shell.session();
    const Blueprint blueprint = fieldBlueprint();
    const QString path =
            QDir(session.analysis.blueprintFolder).filePath(kBlueprintFileName.toString());
    // A failed write keeps the old file, the old blueprint and this window open.
    if (!runCommand(this,
                [&] { saveEditedInput(path, blueprintFileBytes(blueprint, m_questionCount)); }))
        return;
    session.analysis.blueprint = blueprint;
    // The next load reads it: from now on no other save may replace it.
    if (session.analysis.dataLoaded && !session.loadedInputs.contains(path))
        session.loadedInputs.append(path);
    if (session.analysis.dataLoaded && session.analysis.tableMode == TableSkills) {
        m_shell.glowny().PokazTabele(TableSkills);
        m_shell.wykres().rebuildAfterRegrading();
    }
    accept();
}

void TFKartoteka::BAnulujClick()
{
    reject();
}

} // namespace zavevad
