#include "cli/clirunner.h"

#include "cases/calculators.h"
#include "common/core/numbertext.h"
#include "common/io/atomicfile.h"
#include "common/io/outputfiles.h"
#include "common/io/reportdate.h"
#include "common/io/windows1250.h"
#include "common/render/templatepainter.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <optional>
#include <ostream>

#include <sys/stat.h>

namespace blachorys::cli {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** The name that sends a file to standard output. */
const std::string kStandardOutput = "-";

struct Options {
    const core::Calculator* calculator = nullptr;
    std::size_t development = 0;
    std::vector<std::string> fieldTexts;
    std::vector<bool> fieldGiven;
    std::optional<std::string> txtPath;
    std::optional<std::string> dxfPath;
    std::optional<std::string> templatePath;
    core::TemplateSettings templateSettings;
    bool templateSettingsGiven = false;
    std::optional<std::string> date;
    bool strict = false;
};

void printUsage(std::ostream& err) {
    err << "usage: blachorys-cli CALCULATOR [--development NAME] [FIELD=TEXT]... [--txt FILE] "
           "[--dxf FILE] [--date TEXT] [--strict]\n"
           "         [--template-pdf FILE [--paper A4|A3|Letter] "
           "[--orientation auto|portrait|landscape]\n"
           "          [--overlap MM] [--scale-x PCT] [--scale-y PCT]]\n"
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
    const QString first = QDir::cleanPath(QFileInfo(QString::fromUtf8(a)).absoluteFilePath());
    const QString second = QDir::cleanPath(QFileInfo(QString::fromUtf8(b)).absoluteFilePath());
    if (first == second) {
        return true;
    }
    struct stat firstStat {};
    struct stat secondStat {};
    return ::stat(a.c_str(), &firstStat) == 0 && ::stat(b.c_str(), &secondStat) == 0 &&
           firstStat.st_dev == secondStat.st_dev && firstStat.st_ino == secondStat.st_ino;
}

bool isTemplateOption(const std::string& argument) {
    return argument == "--paper" || argument == "--orientation" || argument == "--overlap" ||
           argument == "--scale-x" || argument == "--scale-y";
}

/** Takes one of the template's options; false after saying what is wrong with its value. */
bool setTemplateOption(core::TemplateSettings& settings, const std::string& option,
                       const std::string& value, std::ostream& err) {
    if (option == "--paper") {
        if (value == "A4" || value == "A3" || value == "Letter") {
            settings.paper = value == "A3"       ? core::PaperSize::A3
                             : value == "Letter" ? core::PaperSize::Letter
                                                 : core::PaperSize::A4;
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
    err << "blachorys-cli: " << option << " does not take '" << value << "'\n";
    return false;
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
    options.fieldGiven.assign(definition.fields.size(), false);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--strict") {
            options.strict = true;
            continue;
        }
        const bool takesValue = argument == "--development" || argument == "--txt" ||
                                argument == "--dxf" || argument == "--date" ||
                                argument == "--template-pdf" || isTemplateOption(argument);
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                err << "blachorys-cli: " << argument << " needs a value\n";
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (isTemplateOption(argument)) {
                if (!setTemplateOption(options.templateSettings, argument, value, err)) {
                    return std::nullopt;
                }
                options.templateSettingsGiven = true;
            } else if (argument == "--template-pdf") {
                options.templatePath = value;
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
                err << "blachorys-cli: " << definition.key << " has no development '" << value
                    << "'\n";
                return std::nullopt;
            }
            continue;
        }
        const auto equals = argument.find('=');
        if (equals == std::string::npos || argument.starts_with("--")) {
            err << "blachorys-cli: unexpected argument '" << argument << "'\n";
            return std::nullopt;
        }
        const std::string name = argument.substr(0, equals);
        const auto field = core::fieldIndex(definition, name);
        if (!field) {
            err << "blachorys-cli: " << definition.key << " has no field '" << name << "'\n";
            return std::nullopt;
        }
        options.fieldTexts[*field] = argument.substr(equals + 1);
        options.fieldGiven[*field] = true;
    }
    if (options.templateSettingsGiven && !options.templatePath) {
        err << "blachorys-cli: the template's options need --template-pdf\n";
        return std::nullopt;
    }
    if (const auto problem = core::settingsProblem(options.templateSettings)) {
        err << "blachorys-cli: " << *problem << '\n';
        return std::nullopt;
    }
    const std::pair<const char*, const std::optional<std::string>*> outputs[] = {
        {"--txt", &options.txtPath},
        {"--dxf", &options.dxfPath},
        {"--template-pdf", &options.templatePath}};
    for (const auto& [option, path] : outputs) {
        if (*path && **path != kStandardOutput && !filePath(**path)) {
            err << "blachorys-cli: the file name '" << **path << "' is not valid UTF-8\n";
            return std::nullopt;
        }
    }
    for (std::size_t a = 0; a < std::size(outputs); ++a) {
        for (std::size_t b = a + 1; b < std::size(outputs); ++b) {
            const auto& first = *outputs[a].second;
            const auto& second = *outputs[b].second;
            if (first && second && sameFile(*first, *second)) {
                err << "blachorys-cli: " << outputs[a].first << " and " << outputs[b].first
                    << " name the same file '" << *first << "'\n";
                return std::nullopt;
            }
        }
    }
    return options;
}

/**
 * The texts the first pass turns into "0": a warning for each, or with --strict a usage error.
 * Returns false when the command line is refused.
 */
bool checkFieldTexts(const Options& options, std::ostream& err) {
    const auto& fields = options.calculator->definition().fields;
    bool accepted = true;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (!options.fieldGiven[f] || core::parseReal(options.fieldTexts[f])) {
            continue;
        }
        if (options.strict) {
            err << "blachorys-cli: " << fields[f].name << "='" << options.fieldTexts[f]
                << "' is not a number\n";
            accepted = false;
        } else {
            err << "Uwaga: " << fields[f].name << "='" << options.fieldTexts[f]
                << "' nie jest liczba - przyjeto 0\n";
        }
    }
    return accepted;
}

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

/** The full-scale template as a PDF, when it was asked for. */
bool writeTemplate(const Options& options, const core::CalculationOutputs& outputs,
                   std::ostream& out, std::ostream& err) {
    if (!options.templatePath) {
        return true;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        err << "blachorys-cli: the template needs the program's drawing layer, which did not "
               "start\n";
        return false;
    }
    // A PDF has no unprintable edge of its own; the plan keeps the usual margin anyway.
    const core::TemplatePlanning planning =
        core::planTemplate(outputs.dxfLines, outputs.pointMarks, options.templateSettings, 0.0);
    if (!planning.plan) {
        err << "blachorys-cli: cannot make the template: " << planning.problem << '\n';
        return false;
    }
    const render::TemplateTitle title{q(options.calculator->definition().printHeading),
                                      &outputs.report};
    const QByteArray bytes = render::templatePdf(*planning.plan, outputs.dxfLines, title);
    if (bytes.isEmpty()) {
        err << "blachorys-cli: cannot draw the template\n";
        return false;
    }
    return writeRequested(options.templatePath, "PDF", bytes, out, err);
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const auto options = parse(arguments, err);
    if (!options || !checkFieldTexts(*options, err)) {
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
    const bool filesToOutput = options->txtPath == kStandardOutput ||
                               options->dxfPath == kStandardOutput ||
                               options->templatePath == kStandardOutput;
    if (!filesToOutput) {
        for (const auto& line : outputs.report.resultLines) {
            out << line << '\n';
        }
    }
    const bool txtWritten =
        writeRequested(options->txtPath, "TXT", io::reportFileBytes(outputs.report), out, err);
    const bool dxfWritten =
        writeRequested(options->dxfPath, "DXF", io::dxfFileBytes(outputs.dxfLines), out, err);
    const bool templateWritten = writeTemplate(*options, outputs, out, err);
    out.flush();
    if (!out) {
        err << "blachorys-cli: cannot write to standard output\n";
    }
    if (!txtWritten || !dxfWritten || !templateWritten) {
        return kExitCannotWrite;
    }
    return out ? kExitCalculated : kExitOutputError;
}

} // namespace blachorys::cli
