// The program's start-up up to the main window on the screen, for bench/startup.sh: it starts
// as blachorys does and prints, when the main window is first painted, the wall clock in
// nanoseconds (CLOCK_REALTIME), then quits. The script subtracts the moment it started it.
#include "app/tformblachorys.h"
#include "common/gui/qtprompts.h"
#include "common/gui/translations.h"
#include "common/io/filesizesignal.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

/** Notes the first paint of the main window and ends the run. */
class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv) {
    blachorys::io::ignoreFileSizeLimitSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Blachorys"));
    blachorys::gui::installPolishTranslations(application);
    blachorys::gui::QtPrompts prompts;
    QTemporaryDir savedInputs;
    blachorys::gui::TFormBlachorys mainWindow(prompts, savedInputs.path());
    FirstPaint probe;
    mainWindow.installEventFilter(&probe);
    mainWindow.show();
    return QApplication::exec();
}
