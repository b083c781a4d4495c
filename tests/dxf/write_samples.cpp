// Writes template DXF files through the program's own writer, each with a JSON file of the lines
// it is meant to hold, for check_dxf.py to read back with an independent DXF reader.
//
//   dxf_samples DIR    writes DIR/good/*.dxf|json and DIR/tampered/*.dxf|json; in the tampered
//                      set one expected coordinate is 0.01 off, which the reader check must see.
//                      The good set holds every example and calculated sets of the hostile-input
//                      sweep: the first few of each calculator, and its widest.

#include "cases/calculators.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/io/outputfiles.h"
#include "support/hostileinputs.h"

#include <QDir>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace blachorys;

std::string number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
            continue;
        }
        if (c == '"' || c == '\\') {
            json += '\\';
        }
        json += c;
    }
    return json + "\"";
}

std::string expectationJson(const core::CalculatorDefinition& definition,
                            const std::string& development, const core::CalculatorInputs& inputs,
                            const std::vector<core::DxfLine>& lines) {
    std::string json = "{\"calculator\": " + quoted(definition.key) +
                       ", \"development\": " + quoted(development) + ",\n \"fields\": {";
    for (std::size_t f = 0; f < definition.fields.size(); ++f) {
        json += (f == 0 ? "" : ", ") + quoted(definition.fields[f].name) + ": " +
                quoted(inputs.fieldTexts[f]);
    }
    // The selectors' choices by their keys.
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        const auto& selector = definition.selectors[k];
        const auto choice = inputs.choices.at(k);
        json += ", " + quoted(selector.name) + ": " + quoted(selector.choices.at(choice).key);
    }
    json += "},\n \"lines\": [";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const core::DxfLine& l = lines[i];
        json += std::string(i == 0 ? "\n  " : ",\n  ") + "{\"layer\": " + quoted(l.layer) +
                ", \"colour\": " + std::to_string(l.colour) + ", \"x1\": " + number(l.x1) +
                ", \"y1\": " + number(l.y1) + ", \"x2\": " + number(l.x2) +
                ", \"y2\": " + number(l.y2) + "}";
    }
    return json + "]}\n";
}

bool writeSample(const core::CalculatorDefinition& definition, const std::string& name,
                 const core::CalculatorInputs& texts, const std::string& development,
                 std::vector<core::DxfLine> expected, const QDir& directory, bool tamper) {
    const QString dxf = directory.filePath(QString::fromStdString(name + ".dxf"));
    if (const auto failure = io::writeDxfFile(dxf, expected)) {
        std::cerr << name << ": " << failure->toStdString() << '\n';
        return false;
    }
    if (tamper) {
        expected.at(4).x1 += 0.01;
    }
    std::ofstream json(directory.filePath(QString::fromStdString(name + ".json")).toStdString(),
                       std::ios::binary);
    json << expectationJson(definition, development, texts, expected);
    return static_cast<bool>(json.flush());
}

bool writeExample(const core::Calculator& calculator, const core::ExampleInputs& example,
                  const QDir& directory, bool tamper) {
    const auto& definition = calculator.definition();
    const std::string name = definition.key + "_" + example.name;
    const core::CalculatorInputs texts = core::exampleInputs(definition, example);
    const auto development = core::developmentIndex(definition, example.development);
    const core::CalculationResult result =
        calculator.calculate(texts, development.value_or(0), "-");
    if (!development || !result.outputs) {
        std::cerr << name << ": not calculated\n";
        return false;
    }
    return writeSample(definition, name, texts, example.development,
                       core::dxfLinesOf(*result.outputs), directory, tamper);
}

/** Calculated sets of the hostile-input sweep: the first few, and the widest of many. */
bool writeSweepSamples(const core::Calculator& calculator, const QDir& directory) {
    constexpr std::uint64_t kSeed = 17;
    constexpr std::uint64_t kFirst = 3;
    constexpr std::uint64_t kSearched = 2000;
    const auto& definition = calculator.definition();
    std::vector<std::uint64_t> chosen;
    std::uint64_t widest = 0;
    double widestExtent = -1.0;
    for (std::uint64_t index = 0; index < kSearched; ++index) {
        const auto set = test::hostileSet(definition, kSeed, index);
        const auto result = calculator.calculate(set.inputs, set.development, "-");
        if (!result.outputs) {
            continue;
        }
        if (chosen.size() < kFirst) {
            chosen.push_back(index);
        }
        for (const core::DxfLine& l : core::dxfLinesOf(*result.outputs)) {
            const double extent =
                std::max({std::fabs(l.x1), std::fabs(l.y1), std::fabs(l.x2), std::fabs(l.y2)});
            if (extent > widestExtent) {
                widestExtent = extent;
                widest = index;
            }
        }
    }
    if (widestExtent >= 0.0 && std::find(chosen.begin(), chosen.end(), widest) == chosen.end()) {
        chosen.push_back(widest);
    }
    bool ok = !chosen.empty();
    for (const std::uint64_t index : chosen) {
        const auto set = test::hostileSet(definition, kSeed, index);
        const auto result = calculator.calculate(set.inputs, set.development, "-");
        const std::string development =
            definition.developments.empty() ? "" : definition.developments[set.development].key;
        ok = writeSample(definition, definition.key + "_sweep_" + std::to_string(index), set.inputs,
                         development, core::dxfLinesOf(*result.outputs), directory, false) &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dxf_samples DIR\n";
        return 64;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QDir good(root.filePath("good"));
    const QDir tampered(root.filePath("tampered"));
    for (QDir directory : {good, tampered}) {
        if (!directory.removeRecursively() || !QDir().mkpath(directory.path())) {
            std::cerr << "cannot prepare " << directory.path().toStdString() << '\n';
            return 73;
        }
    }
    bool ok = true;
    // Every example of every calculator; the first one of the first again, with one expected
    // coordinate off, for the reader check to catch.
    for (const core::Calculator* calculator : core::calculators()) {
        for (const core::ExampleInputs& example : calculator->definition().examples) {
            ok = writeExample(*calculator, example, good, false) && ok;
        }
        ok = writeSweepSamples(*calculator, good) && ok;
    }
    const core::Calculator& first = *core::calculators().front();
    ok = writeExample(first, first.definition().examples.front(), tampered, true) && ok;
    return ok ? 0 : 1;
}
