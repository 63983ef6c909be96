#pragma once
// Answers the modal dialogs and message boxes the code under test opens, the way a user
// would: a timer waits for each to appear and hands it to the next step of a script.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class ModalScript {
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    ModalScript(const ModalScript&) = delete;

    ModalScript& Then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }

    // What a message box showed before the script pressed its default button.
    struct Message {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    ModalScript& AcceptMessage(std::shared_ptr<Message> seen = nullptr) {
        return Then([seen](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (seen && box) *seen = {box->windowTitle(), box->text(), box->icon()};
            box ? box->accept() : (void)w->close();
        });
    }

    // What an input dialog showed before the script typed its answer (nullopt cancels).
    struct Input {
        QString caption, label, initial;
    };
    ModalScript& Type(std::optional<QString> text, std::shared_ptr<Input> seen = nullptr) {
        return Then([seen, text](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            if (!dialog) {
                w->close();
                return;
            }
            if (seen) *seen = {dialog->windowTitle(), dialog->labelText(), dialog->textValue()};
            if (text) {
                dialog->setTextValue(*text);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
    }

    bool Done() const { return steps_.empty(); }

private:
    void Poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w->property("murvaneAnswered").toBool() || steps_.empty()) return;
        w->setProperty("murvaneAnswered", true);
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(w);
    }

    QTimer timer_;
    std::deque<Step> steps_;
};
