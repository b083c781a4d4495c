#include "cli/commandline.h"

#include "cases/calculators.h"
#include "common/core/base/numbertext.h"
#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/fieldreading.h"
#include "common/core/calculator/platetexts.h"
#include "common/io/platformfiles.h"

#include <QString>

#include <algorithm>

namespace blachorys::cli {
namespace {

/** The path as Qt takes it, or nothing when its bytes are not UTF-8 (it would name another file).
 */
bool isUtf8(const std::string& bytes) {
    return QString::fromUtf8(bytes).toUtf8() == QByteArray::fromStdString(bytes);
}

/** Whether two file names reach the same file: the same place, or one file by two names. */
bool sameFile(const std::string& a, const std::string& b) {
    if (a == kStandardOutput || b == kStandardOutput) {
        return a == b;
    }
    return io::namesSameFile(QString::fromUtf8(a), QString::fromUtf8(b));
}

/** The option's place among the plate texts, or nullptr when it is none of them. */
std::string* plateText(core::PlateTexts& texts, const std::string& argument) {
    return argument == "--plate"      ? &texts.plate
           : argument == "--material" ? &texts.material
           : argument == "--gap"      ? &texts.gap
           : argument == "--parts"    ? &texts.parts
                                      : nullptr;
}

/** The option's place among the edge's size texts, or nullptr when it is none of them. */
std::string* edgeText(core::EdgeTexts& texts, const std::string& argument) {
    return argument == "--groove-angle"  ? &texts.grooveAngle
           : argument == "--root-face"   ? &texts.rootFace
           : argument == "--root-gap"    ? &texts.rootGap
           : argument == "--bevel-limit" ? &texts.bevelLimit
                                         : nullptr;
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

bool isViewOption(const std::string& argument) {
    return argument == "--view" || argument == "--size";
}

/** Takes one of the 3-D view's options; false when it does not take the value. */
bool setViewOption(core::ViewImageSettings& settings, const std::string& option,
                   const std::string& value) {
    if (option == "--view") {
        const auto preset = core::viewPresetNamed(value);
        if (preset) {
            settings.preset = *preset;
        }
        return preset.has_value();
    }
    const auto size = core::imageSizeNamed(value);
    if (size) {
        settings.width = size->first;
        settings.height = size->second;
    }
    return size.has_value();
}

/** The row whose command-line option this is, or nullptr. */
const render::OutputRow* fileOption(const std::string& argument) {
    for (const render::OutputRow& row : render::outputRows()) {
        if (row.cliOption != nullptr && argument == row.cliOption) {
            return &row;
        }
    }
    return nullptr;
}

/** A field's text as the field holds it typed: "," enters as ".". */
std::string enteredText(std::string text) {
    std::replace(text.begin(), text.end(), ',', static_cast<char>(core::enteredCharacter(U',')));
    return text;
}

ParsedCommandLine usageError(const std::string& problem) {
    return {std::nullopt, {"blachorys-cli: " + problem}};
}

/** What is wrong with the files asked for, or nothing. */
std::optional<std::string> filesProblem(const std::vector<RequestedFile>& files) {
    for (const RequestedFile& file : files) {
        if (file.path != kStandardOutput && !isUtf8(file.path)) {
            return "the file name '" + file.path + "' is not valid UTF-8";
        }
    }
    for (std::size_t a = 0; a < files.size(); ++a) {
        for (std::size_t b = a + 1; b < files.size(); ++b) {
            if (sameFile(files[a].path, files[b].path)) {
                return std::string(files[a].row->cliOption) + " and " + files[b].row->cliOption +
                       " name the same file '" + files[a].path + "'";
            }
        }
    }
    return std::nullopt;
}

} // namespace

const RequestedFile* CliOptions::file(render::OutputKind kind) const {
    const auto found = std::find_if(files.begin(), files.end(),
                                    [kind](const RequestedFile& f) { return f.row->kind == kind; });
    return found == files.end() ? nullptr : &*found;
}

namespace {

/** A command line being read: the options so far, and what is known only at the end. */
struct Reading {
    CliOptions options;
    core::PlateTexts plateTexts;
    core::EdgeTexts edgeTexts;
    bool grooveSizesGiven = false;
    bool bevelLimitGiven = false;
    bool templateSettingsGiven = false;
    bool dxfVersionGiven = false;
    bool viewSettingsGiven = false;
    std::optional<std::string> seamText;
    bool alternateSeams = false;

    const core::CalculatorDefinition& definition() const {
        return options.calculator->definition();
    }
    /** The selector an option names ("--joint"), or none. */
    std::optional<std::size_t> selectorOf(const std::string& argument) const {
        return argument.starts_with("--") ? core::selectorIndex(definition(), argument.substr(2))
                                          : std::nullopt;
    }
    bool takesValue(const std::string& argument) {
        return selectorOf(argument) || fileOption(argument) || argument == "--development" ||
               argument == "--date" || argument == "--dxf-version" || isViewOption(argument) ||
               isTemplateOption(argument) || plateText(plateTexts, argument) != nullptr ||
               argument == "--edge" || edgeText(edgeTexts, argument) != nullptr ||
               argument == "--seam";
    }
};

std::string doesNotTake(const std::string& option, const std::string& value) {
    return option + " does not take '" + value + "'";
}

/** Takes an option and its value; what is wrong with them, or nothing. */
std::optional<std::string> takeOption(Reading& reading, const std::string& option,
                                      const std::string& value) {
    CliOptions& options = reading.options;
    const core::CalculatorDefinition& definition = reading.definition();
    if (const auto selector = reading.selectorOf(option)) {
        const auto choice = core::choiceIndex(definition.selectors[*selector], value);
        if (!choice) {
            return doesNotTake(option, value);
        }
        options.inputs.choices[*selector] = *choice;
    } else if (const render::OutputRow* file = fileOption(option)) {
        std::erase_if(options.files, [file](const RequestedFile& f) { return f.row == file; });
        options.files.push_back({file, value});
    } else if (isTemplateOption(option)) {
        if (!setTemplateOption(options.templateSettings, option, value)) {
            return doesNotTake(option, value);
        }
        reading.templateSettingsGiven = true;
    } else if (std::string* text = plateText(reading.plateTexts, option)) {
        *text = value;
    } else if (option == "--edge") {
        const auto choice = core::edgeChoiceNamed(value);
        if (!choice) {
            return doesNotTake(option, value);
        }
        reading.edgeTexts.choice = *choice;
    } else if (std::string* text = edgeText(reading.edgeTexts, option)) {
        *text = value;
        (option == "--bevel-limit" ? reading.bevelLimitGiven : reading.grooveSizesGiven) = true;
    } else if (option == "--dxf-version") {
        if (value != "R12" && value != "R2000") {
            return doesNotTake(option, value);
        }
        options.dxfVersion = value == "R12" ? cnc::DxfVersion::R12 : cnc::DxfVersion::R2000;
        reading.dxfVersionGiven = true;
    } else if (isViewOption(option)) {
        if (!setViewOption(options.viewImage, option, value)) {
            return doesNotTake(option, value);
        }
        reading.viewSettingsGiven = true;
    } else if (option == "--date") {
        options.date = value;
    } else if (option == "--seam") {
        reading.seamText = value;
    } else {
        const auto found = core::developmentIndex(definition, value);
        if (!found || value.empty() || definition.developments.empty()) {
            return definition.key + " has no development '" + value + "'";
        }
        options.development = *found;
    }
    return std::nullopt;
}

/** Takes a field's text, FIELD=TEXT; what is wrong with it, or nothing. */
std::optional<std::string> takeFieldText(Reading& reading, const std::string& argument) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || argument.starts_with("--")) {
        return "unexpected argument '" + argument + "'";
    }
    const std::string name = argument.substr(0, equals);
    const auto field = core::fieldIndex(reading.definition(), name);
    if (!field) {
        return reading.definition().key + " has no field '" + name + "'";
    }
    reading.options.inputs.fieldTexts[*field] = enteredText(argument.substr(equals + 1));
    return std::nullopt;
}

/**
 * --seam as the text of the field that places the development's seam, --alternate-seams as the
 * seams' choice; what is wrong with them, or nothing.
 */
std::optional<std::string> seamProblem(Reading& reading) {
    const core::CalculatorDefinition& definition = reading.definition();
    CliOptions& options = reading.options;
    if (reading.seamText) {
        const std::size_t development = options.development;
        const std::string field = development < definition.seamFields.size()
                                      ? definition.seamFields[development]
                                      : std::string();
        const auto index = core::fieldIndex(definition, field);
        if (field.empty() || !index) {
            return "--seam: this development's seam stays where the construction puts it";
        }
        options.inputs.fieldTexts[*index] = enteredText(*reading.seamText);
    }
    if (reading.alternateSeams) {
        const auto selector = core::selectorIndex(definition, "seams");
        const auto choice = selector
                                ? core::choiceIndex(definition.selectors[*selector], "alternate")
                                : std::nullopt;
        if (!choice) {
            return "--alternate-seams: " + definition.key + " has no seams to alternate";
        }
        options.inputs.choices[*selector] = *choice;
    }
    return std::nullopt;
}

/** What the options given together get wrong, or nothing; the plate is read and the files put
 * in order on the way. */
std::optional<std::string> finishedProblem(Reading& reading) {
    CliOptions& options = reading.options;
    if (const auto problem = seamProblem(reading)) {
        return *problem;
    }
    if (reading.templateSettingsGiven && !options.file(render::OutputKind::TemplatePdf)) {
        return "the template's options need --template-pdf";
    }
    if (reading.dxfVersionGiven && !options.file(render::OutputKind::CncDxf) &&
        !options.file(render::OutputKind::NestingDxf)) {
        return "--dxf-version needs --cnc-dxf or --nesting-dxf";
    }
    if (reading.viewSettingsGiven && !options.file(render::OutputKind::View3d)) {
        return "--view and --size need --view-png";
    }
    if (const auto problem = core::settingsProblem(options.templateSettings)) {
        return *problem;
    }
    const core::PlateReading plate = core::readPlateTexts(reading.plateTexts);
    if (!plate.settings) {
        return plate.problem;
    }
    options.plate = *plate.settings;
    if (reading.grooveSizesGiven && reading.edgeTexts.choice != core::EdgeChoice::Groove) {
        return "--groove-angle, --root-face and --root-gap need --edge groove";
    }
    if (reading.bevelLimitGiven && reading.edgeTexts.choice == core::EdgeChoice::Square) {
        return "--bevel-limit needs --edge fit or --edge groove";
    }
    const core::EdgeReading edge = core::readEdgeTexts(reading.edgeTexts);
    if (!edge.settings) {
        return edge.problem;
    }
    options.edge = *edge.settings;
    // In the table's order, so that the files are written as the window lists them.
    std::sort(options.files.begin(), options.files.end(),
              [](const RequestedFile& a, const RequestedFile& b) { return a.row < b.row; });
    return filesProblem(options.files);
}

/**
 * The options with their fields read: a warning for each text the first pass turns into "0",
 * or with --strict a usage error for each.
 */
ParsedCommandLine withFieldsRead(CliOptions options) {
    const core::CalculatorDefinition& definition = options.calculator->definition();
    options.fields = core::readFields(definition, options.inputs);
    ParsedCommandLine parsed;
    for (const std::size_t f : options.fields.notNumbers) {
        const std::string& name = definition.fields[f].name;
        const std::string& text = options.inputs.fieldTexts[f];
        parsed.messages.push_back(
            options.strict ? "blachorys-cli: " + name + "='" + text + "' is not a number"
                           : "Uwaga: " + name + "='" + text + "' nie jest liczba - przyjeto 0");
    }
    if (!options.strict || parsed.messages.empty()) {
        parsed.options = std::move(options);
    }
    return parsed;
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && arguments[0] == "--list") {
        CliOptions options;
        options.list = true;
        return {std::move(options), {}};
    }
    if (arguments.empty()) {
        return usageError("no calculator named");
    }
    Reading reading;
    reading.options.calculator = core::findCalculator(arguments[0]);
    if (reading.options.calculator == nullptr) {
        return usageError("unknown calculator '" + arguments[0] + "'");
    }
    reading.options.inputs = core::defaultInputs(reading.definition());
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::optional<std::string> problem;
        if (argument == "--strict") {
            reading.options.strict = true;
        } else if (argument == "--alternate-seams") {
            reading.alternateSeams = true;
        } else if (!reading.takesValue(argument)) {
            problem = takeFieldText(reading, argument);
        } else if (i + 1 >= arguments.size()) {
            problem = argument + " needs a value";
        } else {
            problem = takeOption(reading, argument, arguments[++i]);
        }
        if (problem) {
            return usageError(*problem);
        }
    }
    if (const auto problem = finishedProblem(reading)) {
        return usageError(*problem);
    }
    return withFieldsRead(std::move(reading.options));
}

bool needsDrawingLayer(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        const render::OutputRow* row = fileOption(argument);
        return row != nullptr && row->needsDrawing;
    });
}

std::string usageText() {
    std::string text =
        "usage: blachorys-cli CALCULATOR [--development NAME] [--SELECTOR CHOICE]... "
        "[FIELD=TEXT]...\n        ";
    for (const render::OutputRow& row : render::outputRows()) {
        if (row.cliOption != nullptr) {
            text += std::string(" [") + row.cliOption + " FILE]";
        }
    }
    text += "\n         [--date TEXT] [--strict]\n"
            "         [--paper A4|A3|Letter] [--orientation auto|portrait|landscape]\n"
            "         [--overlap MM] [--scale-x PCT] [--scale-y PCT] (with --template-pdf)\n"
            "         [--dxf-version R12|R2000] (with --cnc-dxf or --nesting-dxf)\n"
            "         [--view front|side|top|iso] [--size WxH] (with --view-png)\n"
            "         [--plate WxH] [--material steel|stainless|aluminium|KG/DM3] [--gap MM] "
            "[--parts K]\n"
            "         [--edge square|fit|groove] [--bevel-limit DEG] (the welded cut's edge)\n"
            "         [--groove-angle DEG] [--root-face MM] [--root-gap MM] (with --edge groove)\n"
            "         [--seam DEG] (where the rolled piece's seam lies) [--alternate-seams]\n"
            "       blachorys-cli job FILE [--txt FILE] [--nesting-dxf FILE] [--nesting-pdf FILE]\n"
            "         [--cnc-dir DIR] [--dxf-version R12|R2000] [--date TEXT]\n"
            "       blachorys-cli --list\n"
            "calculators:";
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& definition = calculator->definition();
        text += ' ' + definition.key;
        if (!definition.developments.empty()) {
            text += " (--development";
            for (const auto& development : definition.developments) {
                text += ' ' + development.key;
            }
            text += ')';
        }
        for (const auto& selector : definition.selectors) {
            text += " (--" + selector.name;
            for (const auto& choice : selector.choices) {
                text += ' ' + choice.key;
            }
            text += ')';
        }
    }
    text += "\n"
            "A field text that is not a number counts as 0, as in the window, with a warning;\n"
            "--strict refuses it instead; \",\" is a decimal point. FILE \"-\" is standard output\n"
            "(then the result lines are not printed).\n"
            "exit: 0 calculated, 1 inputs refused, 2 calculation failed, 64 usage,\n"
            "73 a file could not be written, 74 standard output could not be written\n";
    return text;
}

std::string calculatorList() {
    std::string text;
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& definition = calculator->definition();
        text += definition.key + "\n";
        for (const auto& development : definition.developments) {
            text += "  development " + development.key + "\n";
        }
        for (const auto& selector : definition.selectors) {
            text += "  selector " + selector.name;
            for (const auto& choice : selector.choices) {
                text += ' ' + choice.key;
            }
            text += "\n";
        }
        for (const auto& field : definition.fields) {
            text += "  field " + field.name + ' ' + field.defaultText + "\n";
        }
        text += "  largest-N " + std::to_string(definition.largestN) + "\n";
    }
    return text;
}

} // namespace blachorys::cli
