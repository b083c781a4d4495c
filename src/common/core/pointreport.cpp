#include "common/core/pointreport.h"

#include "common/core/makercontact.h"
#include "common/core/numbertext.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kPointNumberWidth = 3;
constexpr int kCoordinateWidth = 8;
constexpr int kFooterRuleLength = 58;

} // namespace

std::vector<std::string> PointReport::allLines() const {
    std::vector<std::string> lines = headerLines;
    lines.insert(lines.end(), resultLines.begin(), resultLines.end());
    lines.insert(lines.end(), footerLines.begin(), footerLines.end());
    return lines;
}

PointReport makePointReport(std::vector<std::string> headerLines,
                            std::vector<std::string> resultLines, std::string_view dateText) {
    PointReport report;
    const auto keep = [&report](std::vector<std::string>& kept, const std::string& line) {
        kept.push_back(truncateCharacters(line, kReportLineCapacity));
        report.linesCut = report.linesCut || kept.back().size() != line.size();
    };
    for (auto& line : headerLines) {
        keep(report.headerLines, line);
    }
    for (auto& line : resultLines) {
        keep(report.resultLines, line);
    }
    report.footerLines = {
        std::string(),
        repeated('=', kFooterRuleLength),
        truncateCharacters("Obliczenia wykonano w dniu : " + std::string(dateText) +
                               " programem - Blachorys",
                           kFooterLineCapacity),
        truncateCharacters(kMakerWebLine, kFooterLineCapacity),
    };
    return report;
}

std::string repeated(char c, int count) {
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), c);
}

std::string labelledValues(std::initializer_list<LabelledValue> values) {
    std::string line;
    for (const auto& [label, value] : values) {
        line += label;
        line += alignRight(formatReport(value), kCoordinateWidth);
    }
    return line;
}

std::string pointLine(int number, std::string_view gap,
                      std::initializer_list<LabelledValue> values) {
    return alignRight(std::to_string(number), kPointNumberWidth) + std::string(gap) +
           labelledValues(values);
}

std::string sheetSizeLine(double width, double height) {
    return formatReport(width) + " x " + formatReport(height);
}

void appendSheetSize(std::vector<std::string>& lines, int ruleLength, double width, double height) {
    lines.push_back(repeated('-', ruleLength));
    lines.emplace_back("Gabaryty arkusza blachy :");
    lines.push_back(sheetSizeLine(width, height));
}

} // namespace blachorys::core
