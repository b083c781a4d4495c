#include "cli/clirunner.h"

#include "cases/calculators.h"
#include "common/core/numbertext.h"
#include "common/io/atomicfile.h"
#include "common/io/outputfiles.h"
#include "common/io/reportdate.h"
#include "common/io/windows1250.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <optional>
#include <ostream>

#include <sys/stat.h>

namespace blachorys::cli {
namespace {

/** The name that sends a file to standard output. */
const std::string kStandardOutput = "-";

struct Options {
    const core::Calculator* calculator = nullptr;
    std::size_t development = 0;
    std::vector<std::string> fieldTexts;
    std::vector<bool> fieldGiven;
    std::optional<std::string> txtPath;
    std::optional<std::string> dxfPath;
    std::optional<std::string> date;
    bool strict = false;
};

void printUsage(std::ostream& err) {
    err << "usage: blachorys-cli CALCULATOR [--development NAME] [FIELD=TEXT]... [--txt FILE] "
           "[--dxf FILE] [--date TEXT] [--strict]\n"
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

/** The path as Qt takes it, or nothing when its bytes are not UTF-8 (it would name another file). */
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
    for (const auto* path : {&options.txtPath, &options.dxfPath}) {
        if (*path && **path != kStandardOutput && !filePath(**path)) {
            err << "blachorys-cli: the file name '" << **path << "' is not valid UTF-8\n";
            return std::nullopt;
        }
    }
    if (options.txtPath && options.dxfPath && sameFile(*options.txtPath, *options.dxfPath)) {
        err << "blachorys-cli: --txt and --dxf name the same file '" << *options.txtPath
            << "'\n";
        return std::nullopt;
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
    const bool filesToOutput =
        options->txtPath == kStandardOutput || options->dxfPath == kStandardOutput;
    if (!filesToOutput) {
        for (const auto& line : outputs.report.resultLines) {
            out << line << '\n';
        }
    }
    const bool txtWritten = writeRequested(options->txtPath, "TXT",
                                           io::reportFileBytes(outputs.report), out, err);
    const bool dxfWritten =
        writeRequested(options->dxfPath, "DXF", io::dxfFileBytes(outputs.dxfLines), out, err);
    out.flush();
    if (!out) {
        err << "blachorys-cli: cannot write to standard output\n";
    }
    if (!txtWritten || !dxfWritten) {
        return kExitCannotWrite;
    }
    return out ? kExitCalculated : kExitOutputError;
}

} // namespace blachorys::cli
