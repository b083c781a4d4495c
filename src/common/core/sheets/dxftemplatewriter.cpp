#include "common/core/sheets/dxftemplatewriter.h"

#include "common/core/base/numbertext.h"

namespace blachorys::core {
namespace {

constexpr const char* kLineEnd = "\r\n";

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += kLineEnd;
}

/** A point's group codes and coordinates, its z 0, appended to `text`. */
void appendPoint(std::string& text, std::string_view xCode, std::string_view yCode,
                 std::string_view zCode, double x, double y) {
    appendLine(text, xCode);
    appendFixed(text, x, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, yCode);
    appendFixed(text, y, kDxfDecimals);
    text += kLineEnd;
    appendLine(text, zCode);
    appendLine(text, "0.0");
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
    appendPoint(text, " 10", " 20", " 30", x1, y1);
    appendPoint(text, " 11", " 21", " 31", x2, y2);
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
