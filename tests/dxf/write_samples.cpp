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
        if (c == '"' || c == '\\') {
            json += '\\';
        }
        json += c;
    }
    return json + "\"";
}

std::string expectationJson(const core::CalculatorDefinition& definition,
                            const core::ExampleInputs& example,
                            const std::vector<std::string>& fieldTexts,
                            const std::vector<core::DxfLine>& lines) {
    std::string json = "{\"calculator\": " + quoted(definition.key) +
                       ", \"development\": " + quoted(example.development) + ",\n \"fields\": {";
    for (std::size_t f = 0; f < fieldTexts.size(); ++f) {
        json +=
            (f == 0 ? "" : ", ") + quoted(definition.fields[f].name) + ": " + quoted(fieldTexts[f]);
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

bool writeSample(const core::Calculator& calculator, const core::ExampleInputs& example,
                 const QDir& directory, bool tamper) {
    const auto& definition = calculator.definition();
    const std::string name = definition.key + "_" + example.name;
    const std::vector<std::string> texts = core::exampleFieldTexts(definition, example);
    const auto development = core::developmentIndex(definition, example.development);
    const core::CalculationResult result =
        calculator.calculate(texts, development.value_or(0), "-");
    if (!development || !result.outputs) {
        std::cerr << name << ": not calculated\n";
        return false;
    }
    std::vector<core::DxfLine> expected = result.outputs->dxfLines;
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
    json << expectationJson(definition, example, texts, expected);
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
    // Every example of every calculator; the first one of the first again, with one expected
    // coordinate off, for the reader check to catch.
    for (const core::Calculator* calculator : core::calculators()) {
        for (const core::ExampleInputs& example : calculator->definition().examples) {
            ok = writeSample(*calculator, example, good, false) && ok;
        }
    }
    const core::Calculator& first = *core::calculators().front();
    ok = writeSample(first, first.definition().examples.front(), tampered, true) && ok;
    return ok ? 0 : 1;
}
