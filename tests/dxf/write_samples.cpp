// Writes template DXF files through the program's own writer, each with a JSON file of the lines
// it is meant to hold, for check_dxf.py to read back with an independent DXF reader.
//
//   dxf_samples DIR    writes DIR/good/*.dxf|json and DIR/tampered/*.dxf|json; in the tampered
//                      set one expected coordinate is 0.01 off, which the reader check must see.

#include "cases/calculators.h"
#include "common/io/outputfiles.h"

#include <QDir>
#include <QString>

#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace blachorys;

struct Sample {
    std::string name;
    std::string calculator;
    std::string development; ///< empty for a calculator without a selector
    std::vector<std::pair<std::string, std::string>> fields;
};

const std::vector<Sample> kSamples = {
    {"defaults_smaller", "rurarura", "mniejsza", {}},
    {"defaults_larger", "rurarura", "wieksza", {}},
    {"inclined_smaller", "rurarura", "mniejsza", {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}}},
    {"inclined_larger", "rurarura", "wieksza", {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}}},
    {"below_base_smaller", "rurarura", "mniejsza", {{"H", "100"}}},
    {"touching_smaller", "rurarura", "mniejsza", {{"P", "250"}, {"N", "36"}}},
    {"equal_diameters_larger", "rurarura", "wieksza", {{"Dm", "800"}, {"P", "0"}, {"Lm", "-50.5"}}},
    {"most_divisions_smaller", "rurarura", "mniejsza", {{"N", "2000"}}},
    {"most_divisions_larger", "rurarura", "wieksza", {{"N", "2000"}, {"Beta", "120"}}},
    {"cone_defaults", "stozek", "", {}},
    {"cone_right", "stozek", "", {{"E", "0"}}},
    {"cone_two_divisions", "stozek", "", {{"N", "2"}}},
    {"cone_first_edge_larger", "stozek", "", {{"Dsm", "1000"}, {"alfa", "-30"}, {"E", "-150"}}},
    {"cone_past_half_turn", "stozek", "", {{"Hs", "50"}, {"N", "36"}}},
    {"cone_most_divisions", "stozek", "", {{"N", "2000"}, {"alfa", "45.5"}}},
};

std::string number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string quoted(const std::string& text) {
    std::string json = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
        }
        json += c;
    }
    return json + "\"";
}

std::string expectationJson(const Sample& sample, const std::vector<std::string>& fieldNames,
                            const std::vector<std::string>& fieldTexts,
                            const std::vector<core::DxfLine>& lines) {
    std::string json = "{\"calculator\": " + quoted(sample.calculator) +
                       ", \"development\": " + quoted(sample.development) + ",\n \"fields\": {";
    for (std::size_t f = 0; f < fieldNames.size(); ++f) {
        json += (f == 0 ? "" : ", ") + quoted(fieldNames[f]) + ": " + quoted(fieldTexts[f]);
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

bool writeSample(const Sample& sample, const QDir& directory, bool tamper) {
    const core::Calculator& calculator = *core::findCalculator(sample.calculator);
    const auto& definition = calculator.definition();
    std::vector<std::string> names;
    std::vector<std::string> texts;
    for (const auto& field : definition.fields) {
        names.push_back(field.name);
        texts.push_back(field.defaultText);
        for (const auto& [name, text] : sample.fields) {
            if (name == field.name) {
                texts.back() = text;
            }
        }
    }
    std::size_t development = 0;
    while (development < definition.developments.size() &&
           definition.developments[development].key != sample.development) {
        ++development;
    }
    const core::CalculationResult result = calculator.calculate(texts, development, "-");
    if (!result.outputs) {
        std::cerr << sample.name << ": not calculated\n";
        return false;
    }
    std::vector<core::DxfLine> expected = result.outputs->dxfLines;
    const QString dxf = directory.filePath(QString::fromStdString(sample.name + ".dxf"));
    if (const auto failure = io::writeDxfFile(dxf, expected)) {
        std::cerr << sample.name << ": " << failure->toStdString() << '\n';
        return false;
    }
    if (tamper) {
        expected.at(4).x1 += 0.01;
    }
    std::ofstream json(
        directory.filePath(QString::fromStdString(sample.name + ".json")).toStdString(),
        std::ios::binary);
    json << expectationJson(sample, names, texts, expected);
    return static_cast<bool>(json.flush());
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
    for (const Sample& sample : kSamples) {
        ok = writeSample(sample, good, false) && ok;
    }
    ok = writeSample(kSamples.front(), tampered, true) && ok;
    return ok ? 0 : 1;
}
