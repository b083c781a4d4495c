#include "app/tformblachorys.h"
#include "common/gui/qtprompts.h"
#include "common/io/filesizesignal.h"
#include "common/io/savedinputs.h"

#include <QApplication>

int main(int argc, char** argv) {
    blachorys::io::ignoreFileSizeLimitSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Blachorys"));
    blachorys::gui::QtPrompts prompts;
    blachorys::gui::TFormBlachorys mainWindow(prompts, blachorys::io::savedInputsDirectory());
    mainWindow.show();
    return QApplication::exec();
}
