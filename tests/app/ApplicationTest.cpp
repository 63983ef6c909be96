#include "app/Application.h"
#include "ReportCatcher.h"

#include "platform/Errors.h"

#include <QEvent>
#include <gtest/gtest.h>

namespace {

class Throwing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw EInOutError("Диск не отвечает");
        return QObject::event(e);
    }
};

} // namespace

TEST(Application, AnErrorEscapingAHandlerIsShownAndTheLoopGoesOn) {
    ReportCatcher reports;
    Throwing target;
    QEvent sent(QEvent::User);
    QCoreApplication::sendEvent(&target, &sent);
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(reports.shown, (QStringList{"Диск не отвечает", "Диск не отвечает"}));
}

TEST(Application, GuardedReportsAndStopsOnlyThatWork) {
    ReportCatcher reports;
    bool after = false;
    TApplication::Guarded([] { throw std::runtime_error("плохо"); });
    TApplication::Guarded([&] { after = true; });
    EXPECT_EQ(reports.shown, QStringList{"плохо"});
    EXPECT_TRUE(after);
}
