#include "cli/commandline.h"

#include "cases/calculators.h"
#include "common/core/fieldreading.h"
#include "common/core/numbertext.h"
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

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && arguments[0] == "--list") {
        CliOptions options;
        options.list = true;
        return {std::move(options), {}};
    }
    if (arguments.empty()) {
        return usageError("no calculator named");
    }
    CliOptions options;
    options.calculator = core::findCalculator(arguments[0]);
    if (options.calculator == nullptr) {
        return usageError("unknown calculator '" + arguments[0] + "'");
    }
    const auto& definition = options.calculator->definition();
    options.inputs = core::defaultInputs(definition);
    core::PlateTexts plateTexts;
    bool templateSettingsGiven = false;
    bool dxfVersionGiven = false;
    bool viewSettingsGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--strict") {
            options.strict = true;
            continue;
        }
        // A selector's name after "--", or the selectors' count for none.
        const std::size_t selector =
            argument.starts_with("--")
                ? core::selectorIndex(definition, argument.substr(2)).value_or(
                      definition.selectors.size())
                : definition.selectors.size();
        const bool choosing = selector < definition.selectors.size();
        const render::OutputRow* file = fileOption(argument);
        const bool takesValue = choosing || file || argument == "--development" ||
                                argument == "--date" || argument == "--dxf-version" ||
                                isViewOption(argument) || isTemplateOption(argument) ||
                                plateText(plateTexts, argument) != nullptr;
        if (takesValue && i + 1 >= arguments.size()) {
            return usageError(argument + " needs a value");
        }
        if (choosing) {
            const std::string& value = arguments[++i];
            const auto choice = core::choiceIndex(definition.selectors[selector], value);
            if (!choice) {
                return usageError(argument + " does not take '" + value + "'");
            }
            options.inputs.choices[selector] = *choice;
        } else if (file) {
            std::erase_if(options.files, [file](const RequestedFile& f) { return f.row == file; });
            options.files.push_back({file, arguments[++i]});
        } else if (isTemplateOption(argument)) {
            const std::string& value = arguments[++i];
            if (!setTemplateOption(options.templateSettings, argument, value)) {
                return usageError(argument + " does not take '" + value + "'");
            }
            templateSettingsGiven = true;
        } else if (std::string* text = plateText(plateTexts, argument)) {
            *text = arguments[++i];
        } else if (argument == "--dxf-version") {
            const std::string& value = arguments[++i];
            if (value != "R12" && value != "R2000") {
                return usageError(argument + " does not take '" + value + "'");
            }
            options.dxfVersion = value == "R12" ? cnc::DxfVersion::R12 : cnc::DxfVersion::R2000;
            dxfVersionGiven = true;
        } else if (isViewOption(argument)) {
            const std::string& value = arguments[++i];
            if (!setViewOption(options.viewImage, argument, value)) {
                return usageError(argument + " does not take '" + value + "'");
            }
            viewSettingsGiven = true;
        } else if (argument == "--date") {
            options.date = arguments[++i];
        } else if (argument == "--development") {
            const std::string& value = arguments[++i];
            const auto found = core::developmentIndex(definition, value);
            if (!found || value.empty() || definition.developments.empty()) {
                return usageError(definition.key + " has no development '" + value + "'");
            }
            options.development = *found;
        } else {
            const auto equals = argument.find('=');
            if (equals == std::string::npos || argument.starts_with("--")) {
                return usageError("unexpected argument '" + argument + "'");
            }
            const std::string name = argument.substr(0, equals);
            const auto field = core::fieldIndex(definition, name);
            if (!field) {
                return usageError(definition.key + " has no field '" + name + "'");
            }
            options.inputs.fieldTexts[*field] = enteredText(argument.substr(equals + 1));
        }
    }
    if (templateSettingsGiven && !options.file(render::OutputKind::TemplatePdf)) {
        return usageError("the template's options need --template-pdf");
    }
    if (dxfVersionGiven && !options.file(render::OutputKind::CncDxf) &&
        !options.file(render::OutputKind::NestingDxf)) {
        return usageError("--dxf-version needs --cnc-dxf or --nesting-dxf");
    }
    if (viewSettingsGiven && !options.file(render::OutputKind::View3d)) {
        return usageError("--view and --size need --view-png");
    }
    if (const auto problem = core::settingsProblem(options.templateSettings)) {
        return usageError(*problem);
    }
    const core::PlateReading plate = core::readPlateTexts(plateTexts);
    if (!plate.settings) {
        return usageError(plate.problem);
    }
    options.plate = *plate.settings;
    // In the table's order, so that the files are written as the window lists them.
    std::sort(options.files.begin(), options.files.end(),
              [](const RequestedFile& a, const RequestedFile& b) { return a.row < b.row; });
    if (const auto problem = filesProblem(options.files)) {
        return usageError(*problem);
    }
    // The texts the first pass turns into "0": a warning for each, or with --strict a usage
    // error for each.
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
            "         [--plate WxH] [--material steel|stainless|aluminium|KG/DM3] [--gap MM] [--parts K]\n"
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
