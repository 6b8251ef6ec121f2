#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zavevad::test {

/// While it lives, waits (inside the event loop that the code under test is
/// about to enter) for a modal window to appear and hands it to `answer`,
/// which must close it. Polling ends with the object, after the first modal
/// answered or after `timeoutMs`, so no answer outlives the test step that
/// expects it. A modal that `answer` leaves open is closed a little later,
/// so a faulty test fails instead of hanging.
class ModalAnswerer
{
public:
    explicit ModalAnswerer(std::function<void(QWidget *)> answer, int timeoutMs = 5000)
        : m_timer(new QTimer(qApp))
    {
        const QDeadlineTimer deadline(timeoutMs);
        QTimer *timer = m_timer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, answer] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                timer->stop();
                QPointer<QWidget> guard(modal);
                answer(modal);
                QTimer::singleShot(2000, qApp, [guard] {
                    if (guard && guard->isVisible())
                        guard->close();
                });
            } else if (deadline.hasExpired()) {
                timer->stop();
            }
        });
        timer->start();
    }

    ~ModalAnswerer() { delete m_timer; }

    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

private:
    QPointer<QTimer> m_timer;
};

} // namespace zavevad::test
