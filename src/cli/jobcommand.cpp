#include "cli/jobcommand.h"

#include "cases/calculators.h"
#include "cli/clirunner.h"
#include "cli/commandline.h"
#include "common/core/job/jobgroups.h"
#include "common/io/atomicfile.h"
#include "common/io/jobfile.h"
#include "common/io/platformfiles.h"
#include "common/io/reportdate.h"
#include "common/render/jobfiles.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QGuiApplication>

#include <optional>
#include <ostream>

namespace blachorys::cli {
namespace {

/** One file the job command makes, and where it goes. */
struct JobFileRequest {
    std::string option; ///< "--txt"
    std::string path;
};

struct JobOptions {
    std::string jobFile;
    std::vector<JobFileRequest> files;
    std::optional<std::string> cncDirectory;
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
    std::optional<std::string> date;
};

bool isJobFileOption(const std::string& argument) {
    return argument == "--txt" || argument == "--nesting-dxf" || argument == "--nesting-pdf";
}

/** What is wrong with the command line, or nothing; `options` filled from it. */
std::optional<std::string> parseJob(const std::vector<std::string>& arguments,
                                    JobOptions& options) {
    if (arguments.empty() || arguments[0].starts_with("--")) {
        return "job needs a job file";
    }
    options.jobFile = arguments[0];
    bool dxfVersionGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = isJobFileOption(argument) || argument == "--cnc-dir" ||
                                argument == "--dxf-version" || argument == "--date";
        if (!takesValue) {
            return "unexpected argument '" + argument + "'";
        }
        if (i + 1 >= arguments.size()) {
            return argument + " needs a value";
        }
        const std::string& value = arguments[++i];
        if (isJobFileOption(argument)) {
            std::erase_if(options.files,
                          [&argument](const JobFileRequest& f) { return f.option == argument; });
            options.files.push_back({argument, value});
        } else if (argument == "--cnc-dir") {
            options.cncDirectory = value;
        } else if (argument == "--date") {
            options.date = value;
        } else if (value == "R12" || value == "R2000") {
            options.dxfVersion = value == "R12" ? cnc::DxfVersion::R12 : cnc::DxfVersion::R2000;
            dxfVersionGiven = true;
        } else {
            return argument + " does not take '" + value + "'";
        }
    }
    if (dxfVersionGiven && !options.cncDirectory &&
        std::none_of(options.files.begin(), options.files.end(),
                     [](const JobFileRequest& f) { return f.option == "--nesting-dxf"; })) {
        return "--dxf-version needs --cnc-dir or --nesting-dxf";
    }
    for (std::size_t a = 0; a < options.files.size(); ++a) {
        for (std::size_t b = a + 1; b < options.files.size(); ++b) {
            const std::string& first = options.files[a].path;
            const std::string& second = options.files[b].path;
            const bool same =
                first == kStandardOutput || second == kStandardOutput
                    ? first == second
                    : io::namesSameFile(QString::fromUtf8(first), QString::fromUtf8(second));
            if (same) {
                return options.files[a].option + " and " + options.files[b].option +
                       " name the same file '" + first + "'";
            }
        }
    }
    return std::nullopt;
}

render::OutputFile madeFile(const std::string& option, const render::JobOutputs& outputs,
                            cnc::DxfVersion version) {
    if (option == "--txt") {
        return render::jobReportFile(outputs);
    }
    if (option == "--nesting-dxf") {
        return render::jobNestingDxfFile(outputs, version);
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {
            {},
            QStringLiteral("the nesting needs the program's drawing layer, which did not start")};
    }
    return render::jobNestingPdfFile(outputs);
}

/** Writes bytes to the path, or to standard output for "-"; says so on `err` when it cannot. */
bool written(const std::string& what, const std::string& path, const render::OutputFile& made,
             std::ostream& out, std::ostream& err) {
    if (made.problem) {
        err << "blachorys-cli: cannot make " << what << ": " << made.problem->toStdString() << '\n';
        return false;
    }
    if (path == kStandardOutput) {
        out.write(made.bytes.constData(), made.bytes.size());
        return true;
    }
    if (const auto failure = io::writeFileAtomically(QString::fromUtf8(path), made.bytes)) {
        err << "blachorys-cli: cannot write " << what << " '" << path
            << "': " << failure->toStdString() << '\n';
        return false;
    }
    return true;
}

} // namespace

std::string jobUsageText() {
    return "usage: blachorys-cli job FILE [--txt FILE] [--nesting-dxf FILE] [--nesting-pdf FILE]\n"
           "         [--cnc-dir DIR] [--dxf-version R12|R2000] [--date TEXT]\n";
}

int runJob(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    JobOptions options;
    if (const auto problem = parseJob(arguments, options)) {
        err << "blachorys-cli: " << *problem << '\n' << jobUsageText();
        return kExitUsage;
    }
    const core::CalculatorLookup lookup = core::findCalculator;
    const io::JobReading reading = io::loadJobFile(QString::fromUtf8(options.jobFile), lookup);
    if (!reading.job) {
        err << reading.problem.toStdString() << '\n';
        return kExitRefused;
    }
    const std::string date =
        options.date.value_or(io::reportDateText(QDate::currentDate()).toStdString());
    const render::JobOutputs outputs = render::jobOutputsOf(*reading.job, lookup, date);
    if (!outputs.calculation.ok()) {
        for (const std::string& problem : outputs.calculation.problems) {
            err << problem << '\n';
        }
        return kExitRefused;
    }
    const bool toOutput =
        std::any_of(options.files.begin(), options.files.end(),
                    [](const JobFileRequest& f) { return f.path == kStandardOutput; });
    if (!toOutput) {
        for (const std::string& line :
             core::jobMaterialListLines(outputs.job, outputs.calculation, outputs.groups)) {
            out << line << '\n';
        }
    }
    bool allWritten = true;
    for (const JobFileRequest& file : options.files) {
        allWritten = written("the " + file.option.substr(2) + " file", file.path,
                             madeFile(file.option, outputs, options.dxfVersion), out, err) &&
                     allWritten;
    }
    if (options.cncDirectory) {
        const QString directory = QString::fromUtf8(*options.cncDirectory);
        if (!QDir().mkpath(directory)) {
            err << "blachorys-cli: cannot make the folder '" << *options.cncDirectory << "'\n";
            allWritten = false;
        } else {
            for (const render::NamedFile& file : render::jobCncFiles(outputs, options.dxfVersion)) {
                allWritten =
                    written("the CNC DXF", QDir(directory).filePath(file.name).toStdString(),
                            file.file, out, err) &&
                    allWritten;
            }
        }
    }
    out.flush();
    if (!out) {
        err << "blachorys-cli: cannot write to standard output\n";
        return kExitOutputError;
    }
    return allWritten ? kExitCalculated : kExitCannotWrite;
}

} // namespace blachorys::cli
