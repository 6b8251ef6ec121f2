#pragma once

#include "results/blueprint.h"

#include <QDialog>

class QTableWidget;

namespace zavevad {

class Shell;

/// "Kartoteka testu ...": which skill (and requirement) each question of the
/// loaded test checks, one row per question and skill. "Zapisz" writes
/// `Kartoteka.txt` where the load found it (else beside the first result
/// file) and applies the blueprint at once; "Anuluj", Esc and the close spot
/// change nothing. Tab goes from the table to "Dodaj umiejętność", "Zapisz"
/// and "Anuluj".
class TFKartoteka : public QDialog
{
    Q_OBJECT

public:
    explicit TFKartoteka(Shell &shell, QWidget *parent = nullptr);
    ~TFKartoteka() override;

    /// The table of rows: question, skill, requirement.
    QTableWidget *table() const { return m_table; }
    /// The blueprint the rows give: rows without a skill are left out, a
    /// skill's requirement is the first one typed for it.
    Blueprint fieldBlueprint() const;
    /// Adds a row for one more skill of the question of `row`, below it.
    void addSkillRow(int row);

    void BDodajClick();
    void BZapiszClick();
    void BAnulujClick();

protected:
    /// Enter saves (or presses the button that has the focus); Escape cancels.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillRows(const Blueprint &blueprint);
    void appendRow(int question, const QString &skill, const QString &requirement);

    Shell &m_shell;
    QTableWidget *m_table = nullptr;
    int m_questionCount = 0;
};

} // namespace zavevad
