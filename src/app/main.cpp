#include "app/tformblachorys.h"
#include "common/gui/pictures.h"
#include "common/gui/qtprompts.h"
#include "common/gui/translations.h"
#include "common/io/filesizesignal.h"
#include "common/io/savedinputs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    blachorys::io::ignoreFileSizeLimitSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Blachorys"));
    const QString icon = blachorys::gui::pictureResource(QStringLiteral(":/icons/blachorys.svg"));
    QApplication::setWindowIcon(QIcon(icon));
    blachorys::gui::installPolishTranslations(application);
    blachorys::gui::QtPrompts prompts;
    blachorys::gui::TFormBlachorys mainWindow(prompts, blachorys::io::savedInputsDirectory());
    mainWindow.show();
    return QApplication::exec();
}
