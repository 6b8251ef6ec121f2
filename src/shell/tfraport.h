#pragma once

#include "results/reportnotes.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace zavevad {

class Shell;

/// "Wnioski i dane raportu ...": the school, the teacher and the teacher's
/// conclusions and recommendations for the report. "Zapisz" writes
/// `Raport.txt` beside the result files through the checked save (the one
/// loaded input it may replace is that file itself); "Anuluj", Esc and the
/// close spot change nothing.
class TFRaport : public QDialog
{
    Q_OBJECT

public:
    explicit TFRaport(Shell &shell, QWidget *parent = nullptr);
    ~TFRaport() override;

    /// The notes the fields hold.
    ReportNotes fieldNotes() const;

    void BZapiszClick();
    void BAnulujClick();

private:
    Shell &m_shell;
    QLineEdit *m_school = nullptr;
    QLineEdit *m_teacher = nullptr;
    QPlainTextEdit *m_conclusions = nullptr;
};

} // namespace zavevad
