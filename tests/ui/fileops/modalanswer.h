#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Answers the next modal dialog once it shows, as a person would, with the events the test
// sends from `answer`. A dialog the answer leaves open is cancelled so that no test hangs.
class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<void(QDialog*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    bool answered() const { return m_answered; }
    bool leftOpen() const { return m_leftOpen; }

private:
    void poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        m_timer.stop();
        m_answered = true;
        m_answer(dialog);
        if (dialog->isVisible()) {
            m_leftOpen = true;
            dialog->reject();
        }
    }

    std::function<void(QDialog*)> m_answer;
    QTimer m_timer;
    bool m_answered = false;
    bool m_leftOpen = false;
};
