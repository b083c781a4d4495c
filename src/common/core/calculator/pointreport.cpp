#include "common/core/calculator/pointreport.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/makercontact.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kPointNumberWidth = 3;
constexpr int kCoordinateWidth = 8;
constexpr int kFooterRuleLength = 58;

/** Cuts every line to the capacity, noting whether one was longer. */
class LineCutter {
public:
    std::string cut(const std::string& line, int capacity = kReportLineCapacity) {
        std::string kept = truncateCharacters(line, capacity);
        m_cut = m_cut || kept.size() != line.size();
        return kept;
    }
    void cutAll(std::vector<std::string>& lines) {
        for (std::string& line : lines) {
            line = cut(line);
        }
    }
    bool anyCut() const { return m_cut; }

private:
    bool m_cut = false;
};

} // namespace

std::vector<std::string> PointReport::headerLines() const {
    std::vector<std::string> lines{heading.title, repeated('-', heading.titleRule), "DANE :"};
    lines.insert(lines.end(), heading.inputLines.begin(), heading.inputLines.end());
    lines.insert(lines.end(), heading.wallLines.begin(), heading.wallLines.end());
    lines.push_back(repeated('-', heading.inputsRule));
    lines.emplace_back(heading.captionSpace ? "WYNIKI : " : "WYNIKI :");
    return lines;
}

std::vector<std::string> PointReport::resultLines() const {
    std::vector<std::string> lines = resultBody;
    lines.push_back(repeated('-', sheet.rule));
    lines.emplace_back(kSheetCaption);
    lines.push_back(sheet.size);
    lines.insert(lines.end(), edgeTable.begin(), edgeTable.end());
    lines.insert(lines.end(), materialList.begin(), materialList.end());
    return lines;
}

std::vector<std::string> PointReport::memoLines() const {
    std::vector<std::string> lines = heading.wallLines;
    if (!lines.empty()) {
        lines.push_back(repeated('-', heading.inputsRule));
    }
    const std::vector<std::string> results = resultLines();
    lines.insert(lines.end(), results.begin(), results.end());
    return lines;
}

std::array<std::string, 4> PointReport::footerLines() const {
    return {std::string(), repeated('=', kFooterRuleLength), dateLine, makerLine};
}

std::vector<std::string> PointReport::bodyLines() const {
    std::vector<std::string> lines = headerLines();
    const std::vector<std::string> results = resultLines();
    lines.insert(lines.end(), results.begin(), results.end());
    return lines;
}

std::vector<std::string> PointReport::allLines() const {
    std::vector<std::string> lines = bodyLines();
    const auto footer = footerLines();
    lines.insert(lines.end(), footer.begin(), footer.end());
    return lines;
}

std::string PointReport::sheetLine() const {
    return std::string(kSheetCaption) + " " + sheet.size;
}

PointReport makePointReport(ReportHeading heading, std::vector<std::string> resultBody,
                            ReportSheet sheet, std::string_view dateText) {
    LineCutter cutter;
    heading.title = cutter.cut(heading.title);
    cutter.cutAll(heading.inputLines);
    cutter.cutAll(heading.wallLines);
    cutter.cutAll(resultBody);
    sheet.size = cutter.cut(sheet.size);
    PointReport report;
    report.heading = std::move(heading);
    report.resultBody = std::move(resultBody);
    report.sheet = std::move(sheet);
    report.dateLine = truncateCharacters("Obliczenia wykonano w dniu : " + std::string(dateText) +
                                             " programem - Blachorys",
                                         kFooterLineCapacity);
    report.makerLine = truncateCharacters(kMakerWebLine, kFooterLineCapacity);
    report.linesCut = cutter.anyCut();
    return report;
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

ReportSheet sheetOf(int ruleLength, double width, double height) {
    return {ruleLength, sheetSizeText(width, height)};
}

std::string cncTitleLine(const std::string& heading, const PointReport& report) {
    std::string line = heading;
    for (const auto* lines :
         {&report.heading.inputLines, &report.heading.wallLines, &report.cutNotes}) {
        for (const std::string& text : *lines) {
            line += " ; " + text;
        }
    }
    if (!report.dateLine.empty()) {
        line += " ; " + report.dateLine;
    }
    return line;
}

} // namespace blachorys::core
