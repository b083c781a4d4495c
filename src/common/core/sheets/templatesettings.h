#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace blachorys::core {

enum class PaperSize { A4, A3, Letter };
enum class PageOrientation { Automatic, Portrait, Landscape };

/** What the user chooses for a full-scale template. */
struct TemplateSettings {
    PaperSize paper = PaperSize::A4;
    PageOrientation orientation = PageOrientation::Automatic;
    /** Pattern millimetres every page repeats of its neighbour's. */
    double overlapMm = 10.0;
    /** Printer scale correction: 101 % when the printer prints 1 % short. */
    double scaleXPercent = 100.0;
    double scaleYPercent = 100.0;
};

/** Limits of the settings, which the dialog and the command line both keep to. */
inline constexpr double kMinScalePercent = 80.0;
inline constexpr double kMaxScalePercent = 120.0;
inline constexpr double kMaxOverlapMm = 50.0;

/** The reason settings cannot be used, or nothing. */
std::optional<std::string> settingsProblem(const TemplateSettings& settings);

/** Paper width and height in millimetres, upright. */
struct PaperMm {
    double width = 0.0;
    double height = 0.0;
};

/** A paper the template is printed on: its name, as the dialog and the command line give it. */
struct Paper {
    PaperSize size = PaperSize::A4;
    const char* name = "";
    PaperMm mm;
};

/** The papers, in the order the dialog offers them. */
inline constexpr std::array<Paper, 3> kPapers{{
    {PaperSize::A4, "A4", {210.0, 297.0}},
    {PaperSize::A3, "A3", {297.0, 420.0}},
    {PaperSize::Letter, "Letter", {215.9, 279.4}},
}};

const Paper& paperOf(PaperSize size);
/** The paper of this name ("A4"), or nothing. */
std::optional<PaperSize> paperNamed(std::string_view name);
/** The paper of these millimetres, either way up, within a millimetre, or nothing. */
std::optional<PaperSize> paperMeasuring(double widthMm, double heightMm);

} // namespace blachorys::core
