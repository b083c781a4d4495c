#include "cli/clirunner.h"

#include "cli/jobcommand.h"
#include "common/core/calculator/edgeoutputs.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/cutparts.h"
#include "common/io/atomicfile.h"
#include "common/io/reportdate.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <ostream>

namespace blachorys::cli {
namespace {

/** Makes and writes one requested file (or standard output); says so on `err` when it cannot. */
bool writeRequested(const RequestedFile& file, const render::OutputSource& source,
                    std::ostream& out, std::ostream& err) {
    const render::OutputRow& row = *file.row;
    if (row.needsDrawing &&
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        err << "blachorys-cli: " << row.cliProblemName
            << " needs the program's drawing layer, which did not start\n";
        return false;
    }
    const render::OutputFile made = row.make(source);
    if (made.problem) {
        const std::string what = row.cliProblemName != nullptr
                                     ? row.cliProblemName
                                     : std::string("the ") + row.cliFileName + " file";
        err << "blachorys-cli: cannot make " << what << ": " << made.problem->toStdString() << '\n';
        return false;
    }
    if (file.path == kStandardOutput) {
        out.write(made.bytes.constData(), made.bytes.size());
        return true; // checked with the rest of standard output
    }
    if (const auto failure = io::writeFileAtomically(QString::fromUtf8(file.path), made.bytes)) {
        err << "blachorys-cli: cannot write the " << row.cliFileName << " file '" << file.path
            << "': " << failure->toStdString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (!arguments.empty() && arguments[0] == kJobCommand) {
        return runJob({arguments.begin() + 1, arguments.end()}, out, err);
    }
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    for (const auto& message : parsed.messages) {
        err << message << '\n';
    }
    if (!parsed.options) {
        err << usageText();
        return kExitUsage;
    }
    const CliOptions& options = *parsed.options;
    if (options.list) {
        out << calculatorList();
        out.flush();
        return out ? kExitCalculated : kExitOutputError;
    }
    const std::string date =
        options.date.value_or(io::reportDateText(QDate::currentDate()).toStdString());
    const core::CalculationResult result = core::forThePlate(
        core::withPreparedEdges(
            options.calculator->calculate(options.fields, options.development, date), options.edge),
        options.plate);
    for (const auto& message : result.messages) {
        err << message.text << '\n';
    }
    if (result.status == core::CalculationResult::Status::Refused) {
        return kExitRefused;
    }
    if (result.status == core::CalculationResult::Status::Failed) {
        return kExitFailed;
    }
    const core::CalculationOutputs& outputs = *result.outputs;
    const bool filesToOutput =
        std::any_of(options.files.begin(), options.files.end(),
                    [](const RequestedFile& file) { return file.path == kStandardOutput; });
    if (!filesToOutput) {
        for (const auto& line : outputs.report.memoLines()) {
            out << line << '\n';
        }
    }
    const render::OutputSource source{options.calculator->definition(),
                                      outputs,
                                      options.templateSettings,
                                      options.dxfVersion,
                                      options.plate,
                                      options.viewImage};
    bool allWritten = true;
    for (const RequestedFile& file : options.files) {
        allWritten = writeRequested(file, source, out, err) && allWritten;
    }
    out.flush();
    if (!out) {
        err << "blachorys-cli: cannot write to standard output\n";
    }
    if (!allWritten) {
        return kExitCannotWrite;
    }
    return out ? kExitCalculated : kExitOutputError;
}

} // namespace blachorys::cli
