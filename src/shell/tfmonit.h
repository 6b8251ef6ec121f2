#pragma once

#include <QDialog>

class QLabel;

namespace zavevad {

class GradientButton;

/// The modal prompt window through which the program shows its messages.
class TFMonit : public QDialog
{
    Q_OBJECT

public:
    /// The prompt's answers.
    enum Answer { AnswerCancel = 0, AnswerYes = 1, AnswerNo = 2 };
    /// Tak/Nie/Anuluj with the caller's text; the same with the default text;
    /// Zamknij alone with the caller's text.
    enum Mode { ModeQuestion = 0, ModeSaveChanges = 1, ModeMessage = 2 };

    explicit TFMonit(QWidget *parent = nullptr);

    /// Configures the window for `mode`, shows it modally and returns the answer.
    /// In the text a carriage return alone breaks the line.
    int Monit(int mode, const QString &text);

    /// The answer of the last prompt (1 yes, 2 no, 0 cancel or close).
    int answer() const { return m_answer; }

    static QString defaultText();

    void BCloseTakClick();
    void BCloseNieClick();
    void BCloseAnulujClick();

    void reject() override;

private:
    QLabel *m_text = nullptr;
    GradientButton *m_tak = nullptr;
    GradientButton *m_nie = nullptr;
    GradientButton *m_anuluj = nullptr;
    GradientButton *m_ok = nullptr;
    int m_answer = AnswerNo;
};

} // namespace zavevad
