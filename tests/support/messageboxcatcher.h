#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace zavevad::test {

/// While it lives, closes every message box a handler shows and keeps its
/// text, so that an error box never waits for a person. For GUI tests only.
class MessageBoxCatcher : public QObject
{
public:
    MessageBoxCatcher()
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxCatcher::closeBoxes);
        m_timer.start();
    }

    QStringList texts;

private:
    void closeBoxes()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible()) {
                texts.append(box->text());
                box->done(QMessageBox::Ok);
            }
        }
    }

    QTimer m_timer;
};

} // namespace zavevad::test
