#include "common/core/sheets/dxftemplatewriter.h"

#include "common/core/base/numbertext.h"

namespace blachorys::core {
namespace {

constexpr const char* kLineEnd = "\r\n";

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

/** A LINE entity's text, appended to `text`. */
void appendLineText(std::string& text, std::string_view layer, std::string_view colourText,
                    double x1, double y1, double x2, double y2) {
    appendLine(text, "  0");
    appendLine(text, "LINE");
    appendLine(text, "  8");
    appendLine(text, layer);
    // The colour group code keeps its two leading spaces ("  62"); readers parse it as 62.
    appendLine(text, "  62");
    text += "     ";
    appendLine(text, colourText);
    appendLine(text, " 10");
    appendFixed(text, x1, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, " 20");
    appendFixed(text, y1, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, " 30");
    appendLine(text, "0.0");
    appendLine(text, " 11");
    appendFixed(text, x2, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, " 21");
    appendFixed(text, y2, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, " 31");
    appendLine(text, "0.0");
}

/** Room for one LINE entity's text: its 18 lines with coordinates of up to 10 characters. */
constexpr std::size_t kLineTextRoom = 160;

} // namespace

std::string DxfTemplateWriter::headerText() {
    std::string text;
    for (const char* line : {"  0", "SECTION", "  2", "ENTITIES"}) {
        appendLine(text, line);
    }
    return text;
}

std::string DxfTemplateWriter::lineText(std::string_view layer, std::string_view colourText,
                                        double x1, double y1, double x2, double y2) {
    std::string text;
    appendLineText(text, layer, colourText, x1, y1, x2, y2);
    return text;
}

std::string DxfTemplateWriter::footerText() {
    std::string text;
    for (const char* line : {"  0", "ENDSEC", "  0", "EOF"}) {
        appendLine(text, line);
    }
    return text;
}

std::string DxfTemplateWriter::documentText(const std::vector<DxfLine>& lines) {
    std::string text = headerText();
    // One allocation for the whole text, most of the time, instead of one for each line.
    text.reserve(text.size() + lines.size() * kLineTextRoom + footerText().size());
    for (const DxfLine& line : lines) {
        appendLineText(text, line.layer, std::to_string(line.colour), line.x1, line.y1, line.x2,
                       line.y2);
    }
    text += footerText();
    return text;
}

} // namespace blachorys::core
