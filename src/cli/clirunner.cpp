#include "cli/clirunner.h"

#include "cases/calculators.h"
#include "common/io/outputfiles.h"
#include "common/io/reportdate.h"

#include <QDate>
#include <QString>

#include <optional>
#include <ostream>

namespace blachorys::cli {
namespace {

struct Options {
    const core::Calculator* calculator = nullptr;
    std::size_t development = 0;
    std::vector<std::string> fieldTexts;
    std::optional<std::string> txtPath;
    std::optional<std::string> dxfPath;
    std::optional<std::string> date;
};

void printUsage(std::ostream& err) {
    err << "usage: blachorys-cli CALCULATOR [--development NAME] [FIELD=TEXT]... [--txt FILE] "
           "[--dxf FILE] [--date TEXT]\n"
           "calculators:";
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& definition = calculator->definition();
        err << ' ' << definition.key;
        if (!definition.developments.empty()) {
            err << " (--development";
            for (const auto& development : definition.developments) {
                err << ' ' << development.key;
            }
            err << ')';
        }
    }
    err << '\n';
}

/** Reads the command line; on a usage error returns nothing after saying what is wrong. */
std::optional<Options> parse(const std::vector<std::string>& arguments, std::ostream& err) {
    if (arguments.empty()) {
        err << "blachorys-cli: no calculator named\n";
        return std::nullopt;
    }
    Options options;
    options.calculator = core::findCalculator(arguments[0]);
    if (options.calculator == nullptr) {
        err << "blachorys-cli: unknown calculator '" << arguments[0] << "'\n";
        return std::nullopt;
    }
    const auto& definition = options.calculator->definition();
    for (const auto& field : definition.fields) {
        options.fieldTexts.push_back(field.defaultText);
    }
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "--development" || argument == "--txt" ||
                                argument == "--dxf" || argument == "--date";
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                err << "blachorys-cli: " << argument << " needs a value\n";
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (argument == "--txt") {
                options.txtPath = value;
            } else if (argument == "--dxf") {
                options.dxfPath = value;
            } else if (argument == "--date") {
                options.date = value;
            } else {
                std::size_t found = definition.developments.size();
                for (std::size_t d = 0; d < definition.developments.size(); ++d) {
                    if (definition.developments[d].key == value) {
                        found = d;
                    }
                }
                if (found == definition.developments.size()) {
                    err << "blachorys-cli: " << definition.key << " has no development '" << value
                        << "'\n";
                    return std::nullopt;
                }
                options.development = found;
            }
            continue;
        }
        const auto equals = argument.find('=');
        if (equals == std::string::npos || argument.starts_with("--")) {
            err << "blachorys-cli: unexpected argument '" << argument << "'\n";
            return std::nullopt;
        }
        const std::string name = argument.substr(0, equals);
        bool known = false;
        for (std::size_t f = 0; f < definition.fields.size(); ++f) {
            if (definition.fields[f].name == name) {
                options.fieldTexts[f] = argument.substr(equals + 1);
                known = true;
            }
        }
        if (!known) {
            err << "blachorys-cli: " << definition.key << " has no field '" << name << "'\n";
            return std::nullopt;
        }
    }
    return options;
}

bool writeRequested(const std::optional<std::string>& path, const char* what,
                    const std::optional<QString>& failure, std::ostream& err) {
    if (path && failure) {
        err << "blachorys-cli: cannot write the " << what << " file '" << *path
            << "': " << failure->toStdString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const auto options = parse(arguments, err);
    if (!options) {
        printUsage(err);
        return kExitUsage;
    }
    const std::string date =
        options->date.value_or(io::reportDateText(QDate::currentDate()).toStdString());
    const core::CalculationResult result =
        options->calculator->calculate(options->fieldTexts, options->development, date);
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
    for (const auto& line : outputs.report.resultLines) {
        out << line << '\n';
    }
    std::optional<QString> txtFailure;
    std::optional<QString> dxfFailure;
    if (options->txtPath) {
        txtFailure = io::writeReportFile(QString::fromStdString(*options->txtPath), outputs.report);
    }
    if (options->dxfPath) {
        dxfFailure = io::writeDxfFile(QString::fromStdString(*options->dxfPath), outputs.dxfLines);
    }
    const bool txtWritten = writeRequested(options->txtPath, "TXT", txtFailure, err);
    const bool dxfWritten = writeRequested(options->dxfPath, "DXF", dxfFailure, err);
    return txtWritten && dxfWritten ? kExitCalculated : kExitCannotWrite;
}

} // namespace blachorys::cli
