#include "shell/tfmonit.h"

#include "ui/bevel.h"
#include "ui/fixedwindow.h"
#include "ui/gradientbutton.h"

#include <QLabel>

namespace zavevad {

TFMonit::TFMonit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FMonit"));
    setUpFixedWindow(*this, QSize(284, 121), QColor(141, 146, 141));
    setModal(true);

    m_text = new QLabel(defaultText(), this);
    m_text->setObjectName(QStringLiteral("LTesktMonitu"));
    m_text->setGeometry(24, 16, 241, 57);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);

    auto makeButton = [this](const char *name, const QString &caption, int left) {
        auto *button = new GradientButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, 80, 81, 25);
        return button;
    };
    m_tak = makeButton("BCloseTak", QStringLiteral("Tak"), 16);
    m_nie = makeButton("BCloseNie", QStringLiteral("Nie"), 104);
    m_anuluj = makeButton("BCloseAnuluj", QStringLiteral("Anuluj"), 192);
    m_ok = makeButton("BCloseOK", QStringLiteral("Zamknij"), 192);
    connect(m_tak, &GradientButton::clicked, this, &TFMonit::BCloseTakClick);
    connect(m_nie, &GradientButton::clicked, this, &TFMonit::BCloseNieClick);
    connect(m_anuluj, &GradientButton::clicked, this, &TFMonit::BCloseAnulujClick);
    connect(m_ok, &GradientButton::clicked, this, &TFMonit::BCloseAnulujClick);

    auto *bevel = new Bevel(QColor(255, 255, 0), Bevel::Raised, this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(rect());
    bevel->raise();
}

QString TFMonit::defaultText()
{
    return QStringLiteral("Dokument został zmieniony. Czy zapisać zmiany?");
}

int TFMonit::Monit(int mode, const QString &text)
{
    const bool question = mode != ModeMessage;
    m_tak->setVisible(question);
    m_nie->setVisible(question);
    m_anuluj->setVisible(question);
    m_ok->setVisible(!question);
    // A carriage return alone is the line break of the messages.
    QString shown = mode == ModeSaveChanges ? defaultText() : text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text->setText(shown);
    // A screen reader reads the message with the window, before the button.
    setAccessibleDescription(shown);

    centreOnScreen(*this);
    m_answer = AnswerNo;
    (question ? m_tak : m_ok)->setFocus();
    exec();
    return m_answer;
}

void TFMonit::BCloseTakClick()
{
    m_answer = AnswerYes;
    done(QDialog::Accepted);
}

void TFMonit::BCloseNieClick()
{
    m_answer = AnswerNo;
    done(QDialog::Accepted);
}

void TFMonit::BCloseAnulujClick()
{
    m_answer = AnswerCancel;
    done(QDialog::Rejected);
}

void TFMonit::reject()
{
    // Escape closes the prompt like "Anuluj" or "Zamknij".
    BCloseAnulujClick();
}

} // namespace zavevad
