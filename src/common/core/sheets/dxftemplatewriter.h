#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** Layer of outlines: pattern edges, curves, hole outlines. */
inline constexpr const char* kLayerOutlines = "KONTURY";
/** Layer of generator lines, along which the sheet is marked or bent. */
inline constexpr const char* kLayerGenerators = "TWORZACE";

/** One LINE entity of a template, in millimetres; colour is an AutoCAD Colour Index. */
struct DxfLine {
    std::string layer;
    int colour = 7;
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

/**
 * The template DXF: an ENTITIES section of LINE entities on named layers, nothing else.
 * Every line of the text ends with CR LF. Coordinates must be finite.
 */
class DxfTemplateWriter {
public:
    static std::string headerText();
    static std::string lineText(std::string_view layer, std::string_view colourText, double x1,
                                double y1, double x2, double y2);
    static std::string footerText();
    /** Header, every line in order, footer. */
    static std::string documentText(const std::vector<DxfLine>& lines);
};

} // namespace blachorys::core
