#pragma once
// Answers the next modal dialog or message box the code under test opens, the way a
// user would, from a timer that waits for it to appear.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

// Calls answer(dialog) once the next modal widget is shown (within timeoutMs).
inline void AnswerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto left = std::make_shared<int>(timeoutMs / 10);
    QObject::connect(timer, &QTimer::timeout, [timer, left, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        } else if (--*left <= 0) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// Reads a message box's caption and text, then presses its default button.
struct SeenMessage {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline std::shared_ptr<SeenMessage> AcceptNextMessage() {
    auto seen = std::make_shared<SeenMessage>();
    AnswerNextModal([seen](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            seen->caption = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            box->accept();
        } else {
            w->close();
        }
    });
    return seen;
}
