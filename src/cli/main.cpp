#include "cli/clirunner.h"
#include "cli/programarguments.h"
#include "cli/vectorstate.h"
#include "common/io/filesizesignal.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    blachorys::io::ignoreFileSizeLimitSignal();
    blachorys::cli::prepareStandardStreams();
    const std::vector<std::string> arguments = blachorys::cli::programArguments(argc, argv);
    // Drawing the template needs Qt's drawing layer; off screen, it needs no display.
    std::unique_ptr<QGuiApplication> drawing;
    if (blachorys::cli::needsDrawingLayer(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        // Standard error carries the program's own messages; Qt's notes about the session
        // (no runtime directory, say) have no place there.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        drawing = std::make_unique<QGuiApplication>(argc, argv);
        blachorys::cli::clearUpperVectorState();
    }
    return blachorys::cli::runCli(arguments, std::cout, std::cerr);
}
