#include "cli/clirunner.h"

#include "cases/calculators.h"
#include "common/core/numbertext.h"
#include "common/io/atomicfile.h"
#include "common/io/platformfiles.h"
#include "common/io/reportdate.h"
#include "common/render/outputfile.h"

#include <QDate>
#include <QGuiApplication>
#include <QString>

#include <optional>
#include <ostream>

namespace blachorys::cli {
namespace {

/** The name that sends a file to standard output. */
const std::string kStandardOutput = "-";

void printUsage(std::ostream& err) {
    err << "usage: blachorys-cli CALCULATOR [--development NAME] [--SELECTOR CHOICE]... "
           "[FIELD=TEXT]... [--txt FILE]\n"
           "         [--dxf FILE] [--date TEXT] [--strict]\n"
           "         [--template-pdf FILE [--paper A4|A3|Letter] "
           "[--orientation auto|portrait|landscape]\n"
           "          [--overlap MM] [--scale-x PCT] [--scale-y PCT]]\n"
           "         [--cnc-dxf FILE [--dxf-version R12|R2000]]\n"
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
        for (const auto& selector : definition.selectors) {
            err << " (--" << selector.name;
            for (const auto& choice : selector.choices) {
                err << ' ' << choice.key;
            }
            err << ')';
        }
    }
    err << "\n"
           "A field text that is not a number counts as 0, as in the window, with a warning;\n"
           "--strict refuses it instead. FILE \"-\" is standard output (then the result lines\n"
           "are not printed).\n"
           "exit: 0 calculated, 1 inputs refused, 2 calculation failed, 64 usage,\n"
           "73 a file could not be written, 74 standard output could not be written\n";
}

/** The path as Qt takes it, or nothing when its bytes are not UTF-8 (it would name another file).
 */
std::optional<QString> filePath(const std::string& bytes) {
    QString path = QString::fromUtf8(bytes);
    if (path.toUtf8() != QByteArray::fromStdString(bytes)) {
        return std::nullopt;
    }
    return path;
}

/** Whether two file names reach the same file: the same place, or one file by two names. */
bool sameFile(const std::string& a, const std::string& b) {
    if (a == kStandardOutput || b == kStandardOutput) {
        return a == b;
    }
    return io::namesSameFile(QString::fromUtf8(a), QString::fromUtf8(b));
}

bool isTemplateOption(const std::string& argument) {
    return argument == "--paper" || argument == "--orientation" || argument == "--overlap" ||
           argument == "--scale-x" || argument == "--scale-y";
}

/** Takes one of the template's options; false when it does not take the value. */
bool setTemplateOption(core::TemplateSettings& settings, const std::string& option,
                       const std::string& value) {
    if (option == "--paper") {
        if (const auto paper = core::paperNamed(value)) {
            settings.paper = *paper;
            return true;
        }
    } else if (option == "--orientation") {
        if (value == "auto" || value == "portrait" || value == "landscape") {
            settings.orientation = value == "portrait"    ? core::PageOrientation::Portrait
                                   : value == "landscape" ? core::PageOrientation::Landscape
                                                          : core::PageOrientation::Automatic;
            return true;
        }
    } else if (const auto number = core::parseReal(value)) {
        (option == "--overlap"   ? settings.overlapMm
         : option == "--scale-x" ? settings.scaleXPercent
                                 : settings.scaleYPercent) = *number;
        return true;
    }
    return false;
}

ParsedCommandLine usageError(const std::string& problem) {
    return {std::nullopt, {"blachorys-cli: " + problem}};
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return usageError("no calculator named");
    }
    CliOptions options;
    options.calculator = core::findCalculator(arguments[0]);
    if (options.calculator == nullptr) {
        return usageError("unknown calculator '" + arguments[0] + "'");
    }
    const auto& definition = options.calculator->definition();
    // The defaults: each field's text, then each selector's first choice, as the window saves them.
    options.fieldTexts = core::exampleFieldTexts(definition, {});
    bool templateSettingsGiven = false;
    bool dxfVersionGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--strict") {
            options.strict = true;
            continue;
        }
        if (const auto selector = argument.starts_with("--")
                                      ? core::selectorIndex(definition, argument.substr(2))
                                      : std::nullopt) {
            if (i + 1 >= arguments.size()) {
                return usageError(argument + " needs a value");
            }
            const std::string& value = arguments[++i];
            const auto choice = core::choiceIndex(definition.selectors[*selector], value);
            if (!choice) {
                return usageError(argument + " does not take '" + value + "'");
            }
            options.fieldTexts[definition.fields.size() + *selector] = std::to_string(*choice);
            continue;
        }
        const bool takesValue = argument == "--development" || argument == "--txt" ||
                                argument == "--dxf" || argument == "--date" ||
                                argument == "--template-pdf" || argument == "--cnc-dxf" ||
                                argument == "--dxf-version" || isTemplateOption(argument);
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                return usageError(argument + " needs a value");
            }
            const std::string& value = arguments[++i];
            if (isTemplateOption(argument)) {
                if (!setTemplateOption(options.templateSettings, argument, value)) {
                    return usageError(argument + " does not take '" + value + "'");
                }
                templateSettingsGiven = true;
            } else if (argument == "--template-pdf") {
                options.templatePath = value;
            } else if (argument == "--cnc-dxf") {
                options.cncDxfPath = value;
            } else if (argument == "--dxf-version") {
                if (value != "R12" && value != "R2000") {
                    return usageError(argument + " does not take '" + value + "'");
                }
                options.dxfVersion = value == "R12" ? cnc::DxfVersion::R12 : cnc::DxfVersion::R2000;
                dxfVersionGiven = true;
            } else if (argument == "--txt") {
                options.txtPath = value;
            } else if (argument == "--dxf") {
                options.dxfPath = value;
            } else if (argument == "--date") {
                options.date = value;
            } else if (const auto found = core::developmentIndex(definition, value);
                       found && !value.empty() && !definition.developments.empty()) {
                options.development = *found;
            } else {
                return usageError(definition.key + " has no development '" + value + "'");
            }
            continue;
        }
        const auto equals = argument.find('=');
        if (equals == std::string::npos || argument.starts_with("--")) {
            return usageError("unexpected argument '" + argument + "'");
        }
        const std::string name = argument.substr(0, equals);
        const auto field = core::fieldIndex(definition, name);
        if (!field) {
            return usageError(definition.key + " has no field '" + name + "'");
        }
        options.fieldTexts[*field] = argument.substr(equals + 1);
    }
    if (templateSettingsGiven && !options.templatePath) {
        return usageError("the template's options need --template-pdf");
    }
    if (dxfVersionGiven && !options.cncDxfPath) {
        return usageError("--dxf-version needs --cnc-dxf");
    }
    if (const auto problem = core::settingsProblem(options.templateSettings)) {
        return usageError(*problem);
    }
    const std::pair<const char*, const std::optional<std::string>*> outputs[] = {
        {"--txt", &options.txtPath},
        {"--dxf", &options.dxfPath},
        {"--template-pdf", &options.templatePath},
        {"--cnc-dxf", &options.cncDxfPath}};
    for (const auto& [option, path] : outputs) {
        if (*path && **path != kStandardOutput && !filePath(**path)) {
            return usageError("the file name '" + **path + "' is not valid UTF-8");
        }
    }
    for (std::size_t a = 0; a < std::size(outputs); ++a) {
        for (std::size_t b = a + 1; b < std::size(outputs); ++b) {
            const auto& first = *outputs[a].second;
            const auto& second = *outputs[b].second;
            if (first && second && sameFile(*first, *second)) {
                return usageError(std::string(outputs[a].first) + " and " + outputs[b].first +
                                  " name the same file '" + *first + "'");
            }
        }
    }
    // The texts the first pass turns into "0": a warning for each, or with --strict a usage
    // error for each.
    options.fields = core::readFields(definition, options.fieldTexts);
    ParsedCommandLine parsed;
    for (const std::size_t f : options.fields.notNumbers) {
        const std::string& name = definition.fields[f].name;
        const std::string& text = options.fieldTexts[f];
        parsed.messages.push_back(
            options.strict ? "blachorys-cli: " + name + "='" + text + "' is not a number"
                           : "Uwaga: " + name + "='" + text + "' nie jest liczba - przyjeto 0");
    }
    if (!options.strict || parsed.messages.empty()) {
        parsed.options = std::move(options);
    }
    return parsed;
}

namespace {

/** Writes one requested file (or standard output); says so on `err` when it fails. */
bool writeRequested(const std::optional<std::string>& path, const char* what,
                    const QByteArray& bytes, std::ostream& out, std::ostream& err) {
    if (!path) {
        return true;
    }
    if (*path == kStandardOutput) {
        out.write(bytes.constData(), bytes.size());
        return true; // checked with the rest of standard output
    }
    if (const auto failure = io::writeFileAtomically(*filePath(*path), bytes)) {
        err << "blachorys-cli: cannot write the " << what << " file '" << *path
            << "': " << failure->toStdString() << '\n';
        return false;
    }
    return true;
}

/** Makes and writes one requested file; says so on `err` when it cannot. */
bool writeOutput(const std::optional<std::string>& path, render::OutputKind kind,
                 const render::OutputSource& source, std::ostream& out, std::ostream& err) {
    if (!path) {
        return true;
    }
    const bool drawn = kind == render::OutputKind::TemplatePdf;
    if (drawn && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        err << "blachorys-cli: the template needs the program's drawing layer, which did not "
               "start\n";
        return false;
    }
    const render::OutputFile file = render::makeOutputFile(kind, source);
    if (file.problem) {
        err << (kind == render::OutputKind::CncDxf ? "blachorys-cli: cannot make the CNC DXF: "
                                                   : "blachorys-cli: cannot make the template: ")
            << file.problem->toStdString() << '\n';
        return false;
    }
    const char* what = kind == render::OutputKind::Txt      ? "TXT"
                       : kind == render::OutputKind::Dxf    ? "DXF"
                       : kind == render::OutputKind::CncDxf ? "CNC DXF"
                                                            : "PDF";
    return writeRequested(path, what, file.bytes, out, err);
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    for (const auto& message : parsed.messages) {
        err << message << '\n';
    }
    if (!parsed.options) {
        printUsage(err);
        return kExitUsage;
    }
    const CliOptions* options = &*parsed.options;
    const std::string date =
        options->date.value_or(io::reportDateText(QDate::currentDate()).toStdString());
    const core::CalculationResult result =
        options->calculator->calculate(options->fields, options->development, date);
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
        options->txtPath == kStandardOutput || options->dxfPath == kStandardOutput ||
        options->templatePath == kStandardOutput || options->cncDxfPath == kStandardOutput;
    if (!filesToOutput) {
        for (const auto& line : outputs.report.resultLines()) {
            out << line << '\n';
        }
    }
    const render::OutputSource source{options->calculator->definition(), outputs,
                                      options->templateSettings, options->dxfVersion};
    const bool txtWritten =
        writeOutput(options->txtPath, render::OutputKind::Txt, source, out, err);
    const bool dxfWritten =
        writeOutput(options->dxfPath, render::OutputKind::Dxf, source, out, err);
    const bool templateWritten =
        writeOutput(options->templatePath, render::OutputKind::TemplatePdf, source, out, err);
    const bool cncDxfWritten =
        writeOutput(options->cncDxfPath, render::OutputKind::CncDxf, source, out, err);
    out.flush();
    if (!out) {
        err << "blachorys-cli: cannot write to standard output\n";
    }
    if (!txtWritten || !dxfWritten || !templateWritten || !cncDxfWritten) {
        return kExitCannotWrite;
    }
    return out ? kExitCalculated : kExitOutputError;
}

} // namespace blachorys::cli
