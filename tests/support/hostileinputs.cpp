#include "support/hostileinputs.h"

#include "common/core/calculator/edgeoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/plate/cutparts.h"
#include "common/core/plate/jobpieces.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/dxftemplatewriter.h"
#include "common/core/sheets/nestingdrawing.h"
#include "common/core/sheets/previewfit.h"
#include "common/core/sheets/templateplan.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewframe.h"
#include "common/core/view3d/viewscene.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

namespace blachorys::test {
namespace {

using core::CalculationResult;

std::uint64_t mixed(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

/** FNV-1a: the calculator's key as part of the seed, so calculators differ at one index. */
std::uint64_t keyHash(const std::string& key) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return hash;
}

std::string fixedText(double value, int decimals) {
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return std::string(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
}

std::string pick(SeededNumbers& numbers, const std::vector<std::string>& texts) {
    return texts[numbers.below(texts.size())];
}

/** Garbage, extremes and what only a file or the command line carries. */
const std::vector<std::string>& oddTexts() {
    static const std::vector<std::string> texts = {
        // garbage the first pass makes 0
        "abc", "1.2.3", "-", ".", "5-", "12-3", "1,5", " 12", "12 ", "--5", "+-5", "0x1A", "1e",
        "e5", ".e1", "1e+", "\t5", "5\r", "5\n6", "1 000", "\xc3\x93", "\xc2\xb0", "\xc2\xbd",
        // zero, and the signs of zero
        "0", "-0", "+0", "0.0", "-0.0", "0e5", "", "",
        // extremes
        "1e308", "-1e308", "1.7976931348623157e308", "1e309", "-1e309", "1e-320", "-1e-320",
        "4.9e-324", "1e-308", "2.2250738585072014e-308", "1e154", "1e155", "-1e77",
        std::string(400, '9'), "0." + std::string(400, '0') + "1", "1" + std::string(308, '0'),
        "1" + std::string(309, '0'), "2147483647", "2147483648", "-2147483648", "-2147483649",
        "99999999999999999999",
        // what a key filter stops but a saved file or the command line carries
        "nan", "NaN", "-nan", "inf", "-inf", "Infinity", "1e3", "1E3", "2.5e1", "24.5", "+5",
        "\xd9\xa1\xd9\xa2\xd9\xa3", "\xef\xbc\x91\xef\xbc\x92", "\xdb\xb5", "\xf0\x9d\x9f\x93",
        "12\xc2\xa0", std::string(10000, '1'), std::string(10000, '9') + ".5",
        std::string(10000, 'a'), std::string(9999, '0') + "1", "-" + std::string(9999, '1'),
        "1." + std::string(9998, '0')};
    return texts;
}

/**
 * A hostile text for a field whose value in range is `base`. Out of range, whole numbers go
 * past 3000 (and are refused at once): the divisions up to 3000 come from `divisions`.
 */
std::string hostileText(SeededNumbers& numbers, double base, bool whole) {
    if (whole) {
        return numbers.chance(0.5) ? pick(numbers, oddTexts())
               : numbers.chance(0.5)
                   ? std::to_string(3001 + numbers.below(1000000))
                   : std::to_string(-static_cast<long long>(numbers.below(100000)));
    }
    const double magnitude = base == 0.0 ? 100.0 : std::fabs(base);
    switch (numbers.below(5)) {
    case 0: { // negative; one draw after the other, as the order of arguments is unspecified
        const double value = -magnitude * (0.01 + 2 * numbers.unit());
        return fixedText(value, static_cast<int>(numbers.below(4)));
    }
    case 1: { // out of range: far too large or far too small
        const double power = static_cast<double>(2 + numbers.below(14));
        const double scaled = magnitude * std::pow(10.0, numbers.chance(0.5) ? power : -power);
        std::array<char, 64> buffer{};
        const int length = std::snprintf(buffer.data(), buffer.size(), "%.6g", scaled);
        return std::string(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
    }
    case 2: { // a few characters a number is made of, in any order
        static constexpr std::string_view kCharacters = "0123456789.-+eE ,";
        std::string text(1 + numbers.below(10), ' ');
        for (char& c : text) {
            c = kCharacters[numbers.below(kCharacters.size())];
        }
        return text;
    }
    default:
        return pick(numbers, oddTexts());
    }
}

/** Divisions from -5 to 3000: mostly few, for a large count is slow to calculate. */
int divisions(SeededNumbers& numbers) {
    const double share = numbers.unit();
    if (share < 0.05) {
        return -5 + static_cast<int>(numbers.below(7));
    }
    if (share < 0.94) {
        return 2 + static_cast<int>(numbers.below(47));
    }
    if (share < 0.99) {
        return 49 + static_cast<int>(numbers.below(352));
    }
    return 401 + static_cast<int>(numbers.below(2600));
}

/** A value in range: the example's own text, or one some way from it. */
std::string nearbyText(SeededNumbers& numbers, const std::string& text, bool takesMinus) {
    const double base = core::parseReal(text).value_or(0.0);
    if (numbers.chance(0.4)) {
        return text;
    }
    // A field whose example is 0 is an offset or a wall: half the time as thin as a plate.
    const double zeroScale = numbers.chance(0.5) ? 20.0 : 200.0;
    double value =
        base == 0.0 ? zeroScale * numbers.unit() : base * std::exp(3.0 * numbers.unit() - 1.5);
    if (takesMinus && numbers.chance(0.3)) {
        value = -value;
    }
    return fixedText(value, static_cast<int>(numbers.below(4)));
}

/** Whether the field places a rolled piece's seam in some development. */
bool placesASeam(const core::CalculatorDefinition& definition, const std::string& field) {
    return std::find(definition.seamFields.begin(), definition.seamFields.end(), field) !=
           definition.seamFields.end();
}

/** Characters to show of a long text in a failure message. */
constexpr std::size_t kShownCharacters = 24;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/** Words "nan" or "inf" and numbers no reader can hold, in one line of the report. */
std::vector<std::string> numberProblems(const std::string& line) {
    std::vector<std::string> problems;
    for (std::size_t at = 0; at < line.size();) {
        std::size_t end = at;
        if (isLetter(line[at])) {
            while (end < line.size() && isLetter(line[end])) {
                ++end;
            }
            std::string word = line.substr(at, end - at);
            std::transform(word.begin(), word.end(), word.begin(),
                           [](char c) { return static_cast<char>(c | 0x20); });
            if (word == "nan" || word == "inf" || word == "infinity") {
                problems.push_back(std::string(kNotFinite) + ": '" + word + "' in '" + line + "'");
            }
        } else if (isDigit(line[at])) {
            while (end < line.size() && (isDigit(line[end]) || line[end] == '.')) {
                ++end;
            }
            double value = 0.0;
            const auto read = std::from_chars(line.data() + at, line.data() + end, value);
            if (read.ec != std::errc() || !std::isfinite(value)) {
                problems.push_back(std::string(kNotFinite) + ": number in '" + line + "'");
            }
        } else {
            ++end;
        }
        at = end;
    }
    return problems;
}

template <typename... Values> bool finite(Values... values) {
    return (std::isfinite(values) && ...);
}

void checkGeometry(const core::CalculationOutputs& outputs, std::vector<std::string>& problems) {
    bool finiteAll = true;
    for (const auto& l : core::dxfLinesOf(outputs)) {
        finiteAll = finiteAll && finite(l.x1, l.y1, l.x2, l.y2);
    }
    const core::PreviewDrawing p = core::previewOf(outputs);
    finiteAll = finiteAll && finite(p.xMin, p.xMax, p.yMin, p.yMax);
    for (const auto& s : p.segments) {
        finiteAll = finiteAll && finite(s.from.x, s.from.y, s.to.x, s.to.y);
    }
    for (const auto& mark : outputs.pattern.points) {
        finiteAll = finiteAll && finite(mark.x, mark.y);
    }
    if (!finiteAll) {
        problems.push_back(std::string(kNotFinite) + ": a coordinate of the DXF or preview");
        return; // the rest would only repeat it
    }
    const core::PreviewFit fit = core::fitPreview(640, 480, p);
    if (!std::isfinite(fit.scale) || fit.scale <= 0.0) {
        problems.push_back(std::string(kNotFinite) + ": preview scale");
    }
    for (const auto& s : p.segments) {
        fit.toPixel(s.from);
        fit.toPixel(s.to);
    }
}

void checkReport(const core::PointReport& report, std::vector<std::string>& problems) {
    if (report.resultBody.empty()) {
        problems.emplace_back("calculated with no result lines: an empty TXT");
    }
    // A line may fill its capacity, but none may have been cut to it: a number cut short reads
    // as another number.
    if (report.linesCut) {
        problems.push_back(std::string(kCutReport) + " to its capacity");
    }
    for (const std::string& line : report.allLines()) {
        if (core::characterCount(line) > core::kReportLineCapacity) {
            problems.push_back(std::string(kCutReport) + ": over its capacity: '" + line + "'");
        }
    }
    for (const std::string& line : report.allLines()) {
        for (auto& problem : numberProblems(line)) {
            problems.push_back(std::move(problem));
        }
    }
}

void checkTemplate(const core::Pattern& pattern, std::vector<std::string>& problems) {
    const core::TemplatePlanning planning =
        core::planTemplate(pattern, {}, core::TemplateSettings{}, 0.0);
    if (!planning.plan) {
        if (planning.problem.empty()) {
            problems.push_back(std::string(kBadTemplate) + ": no plan and no reason");
        }
        return;
    }
    const core::TemplatePlan& plan = *planning.plan;
    if (plan.pages.empty() || plan.pages.size() > core::kMaxTemplatePages) {
        problems.push_back(std::string(kBadTemplate) + ": " + std::to_string(plan.pages.size()) +
                           " pages");
    }
    for (const core::TemplatePage& page : plan.pages) {
        for (const auto& s : page.strokes) {
            if (!finite(s.x1, s.y1, s.x2, s.y2)) {
                problems.push_back(std::string(kNotFinite) + ": template stroke on " + page.name);
                return;
            }
        }
    }
}

/** Fields a wall choice depends on: the plate thicknesses. */
std::set<std::string> thicknessFields(const core::CalculatorDefinition& definition) {
    std::set<std::string> names;
    for (const core::SelectorDefinition& selector : definition.selectors) {
        names.insert(selector.activeWhenNonZero.begin(), selector.activeWhenNonZero.end());
    }
    return names;
}

/** A plate the pieces are nested on: a workshop's, or one typed up to the largest. */
core::Plate hugePlate(SeededNumbers& numbers) {
    if (numbers.chance(0.5)) {
        const auto& plates = core::standardPlates();
        return plates[numbers.below(plates.size())];
    }
    const auto side = [&] {
        return std::round(core::kLargestPlateSideMm * std::pow(10.0, -3.0 * numbers.unit()));
    };
    const double a = side();
    const double b = side();
    return {std::min(a, b), std::max(a, b)};
}

/** Whether every cut, marking and text of a CNC drawing or a nested plate is finite. */
template <typename Sheet> bool finiteSheet(const Sheet& sheet) {
    const auto point = [](core::PatternPoint p) { return finite(p.x, p.y); };
    return std::all_of(sheet.cuts.begin(), sheet.cuts.end(),
                       [&](const core::CncCut& cut) {
                           return std::all_of(cut.points.begin(), cut.points.end(), point);
                       }) &&
           std::all_of(sheet.markings.begin(), sheet.markings.end(),
                       [&](const core::CncMarking& m) { return point(m.from) && point(m.to); }) &&
           std::all_of(sheet.texts.begin(), sheet.texts.end(),
                       [&](const core::CncText& text) { return point(text.at); });
}

/** An output is made with finite numbers, or refused with a reason. */
void checkMade(const char* kind, bool made, bool finiteNumbers, const std::string& reason,
               std::vector<std::string>& problems) {
    if (!made && reason.empty()) {
        problems.push_back(std::string(kind) + ": neither made nor refused with a reason");
    } else if (made && !finiteNumbers) {
        problems.push_back(std::string(kNotFinite) + ": a number of the " + kind);
    }
}

void checkCncDrawing(const core::CalculatorDefinition& definition,
                     const core::CalculationOutputs& outputs, std::vector<std::string>& problems) {
    const core::CncDrawingResult made = core::cncDrawingOf(
        core::patternToCut(outputs), core::cncTitleLine(definition.printHeading, outputs.report));
    checkMade(kBadCncDrawing, made.drawing.has_value(), made.drawing && finiteSheet(*made.drawing),
              made.problem, problems);
}

void checkNesting(const core::CalculationOutputs& outputs, const core::PlateSettings& settings,
                  std::vector<std::string>& problems) {
    const std::vector<core::JobPiece> pieces = core::jobPiecesOf(outputs);
    const core::Nesting nesting = core::nestPieces(pieces, settings.plate, settings.gapMm);
    const core::NestingDrawingResult made =
        core::nestingDrawingOf(core::patternToCut(outputs), pieces, nesting);
    const bool finiteSheets =
        made.drawing &&
        std::all_of(made.drawing->sheets.begin(), made.drawing->sheets.end(),
                    [](const core::NestedSheet& sheet) { return finiteSheet(sheet); });
    checkMade(kBadNesting, made.drawing.has_value(), finiteSheets, made.problem, problems);
}

/**
 * Each number of the material list has one decimal point, or none (the count): a word of its
 * lines with two is two numbers run together.
 */
void checkMaterialList(const std::vector<std::string>& lines, std::vector<std::string>& problems) {
    for (const std::string& line : lines) {
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            if (std::count(word.begin(), word.end(), '.') > 1) {
                problems.push_back(std::string(kBadMaterialList) + ": columns run together in '" +
                                   line + "'");
                break;
            }
        }
        for (std::string& problem : numberProblems(line)) {
            problems.push_back(std::move(problem));
        }
    }
}

/** Inputs once found to take minutes and gigabytes: a calculator's key and its texts. */
struct KnownHugeInputs {
    std::string calculator;
    std::vector<std::pair<std::string, std::string>> texts;
};

const std::vector<KnownHugeInputs>& knownHugeInputs() {
    static const std::vector<KnownHugeInputs> inputs = {
        // A cone 2·10^11 mm across: its cutting table's drawing took 47 s and 4 GB.
        {"stozek",
         {{"Dsd", "561.889"},
          {"alfa", "776646"},
          {"N", "1106"},
          {"Hs", "497407"},
          {"Dsm", "499.994"},
          {"E", "2.08875e+11"},
          {"t", "0.535547"},
          {"diameters", "inside"}}},
        // An elbow of a radius of 5·10^10 mm, its strips 942 mm by 2.8·10^7 mm: 30 s and more.
        {"kolanosegm",
         {{"Rk", "4.96008e+10"},
          {"BETA", "0.256866"},
          {"N", "1115"},
          {"Ns", "9"},
          {"t", "3"},
          {"made", "pipe"}}},
    };
    return inputs;
}

} // namespace

std::uint64_t SeededNumbers::next() {
    m_state += 0x9e3779b97f4a7c15ULL;
    return mixed(m_state);
}

HostileSet hostileSet(const core::CalculatorDefinition& definition, std::uint64_t seed,
                      std::uint64_t index) {
    SeededNumbers numbers(mixed(seed ^ keyHash(definition.key)) ^ mixed(index));
    const auto& examples = definition.examples;
    const core::ExampleInputs& example = examples[numbers.below(examples.size())];
    HostileSet set;
    const std::size_t developments = std::max<std::size_t>(1, definition.developments.size());
    set.development = numbers.chance(0.5)
                          ? core::developmentIndex(definition, example.development).value_or(0)
                          : numbers.below(developments);
    set.inputs = core::exampleInputs(definition, example);
    // A quarter of the sets keep every field in range; the rest spoil some or most of them.
    static constexpr std::array kHostileShares{0.0, 0.1, 0.25, 0.6};
    const double hostileShare = kHostileShares[numbers.below(kHostileShares.size())];
    for (std::size_t f = 0; f < definition.fields.size(); ++f) {
        const core::FieldDefinition& field = definition.fields[f];
        std::string& text = set.inputs.fieldTexts[f];
        if (numbers.chance(hostileShare)) {
            text = hostileText(numbers, core::parseReal(text).value_or(0.0),
                               field.kind == core::FieldKind::Integer);
        } else if (field.kind == core::FieldKind::Integer) {
            // An example's own large count ("most divisions") would make large counts common.
            const bool keep = numbers.chance(0.3) && core::parseInteger(text).value_or(0) <= 48;
            text = keep ? text : std::to_string(divisions(numbers));
        } else {
            const bool takesMinus = field.filter == core::FieldFilter::SignedReal ||
                                    field.filter == core::FieldFilter::Unfiltered;
            const std::string example = text;
            text = nearbyText(numbers, text, takesMinus);
            // A seam turned through the hole is refused: in nine sets of ten it stays where the
            // example has it, so that the sets the other fields make still reach the outputs.
            // Chosen by the set's number, the other fields' numbers stay as they were drawn.
            if (placesASeam(definition, field.name) && index % 10 < 9) {
                text = example;
            }
        }
    }
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        if (numbers.chance(0.5)) {
            set.inputs.choices[k] = numbers.below(definition.selectors[k].choices.size());
        }
    }
    return set;
}

HostileSet hugeSet(const core::CalculatorDefinition& definition, std::uint64_t seed,
                   std::uint64_t index) {
    // Another stream than the hostile sets' at the same index.
    SeededNumbers numbers(mixed(seed ^ keyHash(definition.key + " huge")) ^ mixed(index));
    const auto& examples = definition.examples;
    const core::ExampleInputs& example = examples[numbers.below(examples.size())];
    HostileSet set;
    set.development = core::developmentIndex(definition, example.development).value_or(0);
    set.inputs = core::exampleInputs(definition, example);
    const std::set<std::string> thicknesses = thicknessFields(definition);
    const bool withPlate = numbers.chance(0.75);
    // Every size by one factor keeps a joint a joint; a size or two on its own makes a piece
    // long and thin, which the drawings cut into the most cells.
    const bool oneFactor = numbers.chance(0.5);
    const double commonFactor = std::pow(10.0, 1.0 + 11.0 * numbers.unit());
    for (std::size_t f = 0; f < definition.fields.size(); ++f) {
        const core::FieldDefinition& field = definition.fields[f];
        std::string& text = set.inputs.fieldTexts[f];
        const double base = core::parseReal(text).value_or(0.0);
        if (field.kind == core::FieldKind::Integer) {
            const auto largest = static_cast<std::size_t>(std::max(2, definition.largestN));
            text = std::to_string(numbers.chance(0.3) ? largest : 2 + numbers.below(largest - 1));
        } else if (thicknesses.count(field.name) != 0) {
            text = withPlate ? fixedText(0.5 + 19.5 * numbers.unit(), 2) : "0";
        } else if (field.unit == "[mm]") {
            if (oneFactor || numbers.chance(0.4)) {
                const double factor =
                    oneFactor ? commonFactor : std::pow(10.0, 1.0 + 11.0 * numbers.unit());
                const bool negative = !oneFactor && field.filter == core::FieldFilter::SignedReal &&
                                      numbers.chance(0.3);
                const double value = (negative ? -1.0 : 1.0) * (base == 0.0 ? 1.0 : base) * factor;
                std::array<char, 64> buffer{};
                const int length = std::snprintf(buffer.data(), buffer.size(), "%.6g", value);
                text.assign(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
            }
        } else if (numbers.chance(0.15)) {
            text = fixedText(1e6 * numbers.unit(), 0); // an angle of many turns
        }
    }
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        if (numbers.chance(0.5)) {
            set.inputs.choices[k] = numbers.below(definition.selectors[k].choices.size());
        }
    }
    set.plate.plate = hugePlate(numbers);
    set.plate.parts =
        numbers.chance(0.5) ? 1 : 2 + static_cast<int>(numbers.below(core::kMostParts - 1));
    // Square, fitted and grooved alike: each a third of the sets.
    set.edge.choice = static_cast<core::EdgeChoice>(numbers.below(3));
    return set;
}

std::vector<HostileSet> knownHugeSets(const core::CalculatorDefinition& definition) {
    std::vector<HostileSet> sets;
    for (const KnownHugeInputs& known : knownHugeInputs()) {
        if (known.calculator == definition.key) {
            sets.push_back({0, core::exampleInputs(definition, {"huge", "", known.texts}), {}});
        }
    }
    return sets;
}

std::string dxfReadBackProblem(const std::string& dxfText,
                               const std::vector<core::DxfLine>& lines) {
    std::vector<std::string_view> textLines;
    std::string_view rest(dxfText);
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        if (end == std::string_view::npos) {
            return "the last line has no CR LF";
        }
        textLines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    if (textLines.size() % 2 != 0) {
        return "an odd number of lines: a group code without its value";
    }
    struct Group {
        int code = 0;
        std::string_view value;
    };
    std::vector<Group> groups;
    for (std::size_t i = 0; i < textLines.size(); i += 2) {
        std::string_view code = textLines[i];
        while (!code.empty() && code.front() == ' ') {
            code.remove_prefix(1);
        }
        Group group{0, textLines[i + 1]};
        const auto read = std::from_chars(code.data(), code.data() + code.size(), group.code);
        if (read.ec != std::errc() || read.ptr != code.data() + code.size()) {
            return "group code '" + std::string(textLines[i]) + "' is no number";
        }
        if (group.value.find_first_of("\r\n") != std::string_view::npos) {
            return "a value holds a line break";
        }
        groups.push_back(group);
    }
    auto is = [&](std::size_t at, int code, std::string_view value) {
        return at < groups.size() && groups[at].code == code && groups[at].value == value;
    };
    const std::size_t count = groups.size();
    if (count < 4 || !is(0, 0, "SECTION") || !is(1, 2, "ENTITIES") || !is(count - 2, 0, "ENDSEC") ||
        !is(count - 1, 0, "EOF")) {
        return "not one ENTITIES section ending in EOF";
    }
    std::size_t entity = 0;
    for (std::size_t at = 2; at < count - 2; ++entity) {
        if (!is(at, 0, "LINE")) {
            return "entity " + std::to_string(entity) + " is no LINE";
        }
        if (entity >= lines.size()) {
            return "more entities than lines";
        }
        const core::DxfLine& want = lines[entity];
        std::array<double, 6> read{};
        std::array<bool, 6> seen{};
        std::string layer;
        int colour = -1;
        for (++at; at < count - 2 && groups[at].code != 0; ++at) {
            const Group& g = groups[at];
            if (g.code == 8) {
                layer = g.value;
                continue;
            }
            std::string_view value = g.value;
            while (!value.empty() && value.front() == ' ') {
                value.remove_prefix(1);
            }
            if (g.code == 62) {
                std::from_chars(value.data(), value.data() + value.size(), colour);
                continue;
            }
            static constexpr std::array kCoordinateCodes{10, 20, 30, 11, 21, 31};
            const auto slot = std::find(kCoordinateCodes.begin(), kCoordinateCodes.end(), g.code);
            if (slot == kCoordinateCodes.end()) {
                return "entity " + std::to_string(entity) + ": unexpected group " +
                       std::to_string(g.code);
            }
            const auto k = static_cast<std::size_t>(slot - kCoordinateCodes.begin());
            const auto parsed = std::from_chars(value.data(), value.data() + value.size(), read[k]);
            if (parsed.ec != std::errc() || parsed.ptr != value.data() + value.size() ||
                !std::isfinite(read[k])) {
                return "entity " + std::to_string(entity) + ": '" + std::string(g.value) +
                       "' is no finite number";
            }
            seen[k] = true;
        }
        if (!std::all_of(seen.begin(), seen.end(), [](bool s) { return s; })) {
            return "entity " + std::to_string(entity) + " lacks a coordinate";
        }
        if (layer != want.layer || colour != want.colour) {
            return "entity " + std::to_string(entity) + ": layer or colour differs";
        }
        const std::array<double, 6> wanted{want.x1, want.y1, 0.0, want.x2, want.y2, 0.0};
        for (std::size_t k = 0; k < wanted.size(); ++k) {
            // Two decimals, and nine significant digits at most.
            const double tolerance = std::max(0.005, 5e-9 * std::fabs(wanted[k])) * (1 + 1e-9);
            if (std::fabs(read[k] - wanted[k]) > tolerance) {
                return "entity " + std::to_string(entity) + ": coordinate " + std::to_string(k) +
                       " reads " + std::to_string(read[k]) + ", is " + std::to_string(wanted[k]);
            }
        }
    }
    if (entity != lines.size()) {
        return std::to_string(entity) + " entities for " + std::to_string(lines.size()) + " lines";
    }
    return {};
}

std::vector<std::string> viewProblems(const core::CalculationOutputs& outputs) {
    std::vector<std::string> problems;
    if (!outputs.view) {
        return problems;
    }
    const core::JointView joint = outputs.view();
    const core::ViewScene scene = core::buildViewScene(outputs.pattern, joint);
    const auto finitePoints = [](const std::vector<core::Point3>& points) {
        return std::all_of(points.begin(), points.end(),
                           [](core::Point3 p) { return core::isFinite(p); });
    };
    if (!finitePoints(scene.points) || !finitePoints(scene.linePoints)) {
        problems.push_back(std::string(kNotFinite) + ": a point of the 3-D view");
        return problems;
    }
    const core::JointFit fit = core::measureFit(outputs.pattern, joint);
    if (fit.measured && !(std::isfinite(fit.largestGap) && core::isFinite(fit.where))) {
        problems.push_back(std::string(kNotFinite) + ": the 3-D view's fit");
    }
    core::ViewCamera camera;
    core::turnTo(camera, core::ViewPreset::Iso);
    core::fitScene(camera, scene, 640, 400, 20);
    core::ViewFrame frame;
    core::drawFrame(scene, camera, 640, 400, frame);
    if (!std::all_of(frame.points.begin(), frame.points.end(), [](core::ScreenPoint p) {
            return std::isfinite(p.x) && std::isfinite(p.y);
        })) {
        problems.push_back(std::string(kNotFinite) + ": a point of the 3-D view's frame");
    }
    return problems;
}

std::vector<std::string> resultProblems(const CalculationResult& result) {
    std::vector<std::string> problems;
    const bool calculated = result.status == CalculationResult::Status::Calculated;
    if (!calculated && result.status != CalculationResult::Status::Refused &&
        result.status != CalculationResult::Status::Failed) {
        problems.emplace_back("a result of no known kind");
        return problems;
    }
    if (calculated != result.outputs.has_value()) {
        problems.emplace_back(calculated ? "calculated without outputs" : "outputs not calculated");
        return problems;
    }
    if (!calculated) {
        const bool said = !result.messages.empty() &&
                          std::none_of(result.messages.begin(), result.messages.end(),
                                       [](const core::Message& m) { return m.text.empty(); });
        if (!said) {
            problems.emplace_back(kNoMessage);
        }
        return problems;
    }
    const core::CalculationOutputs& outputs = *result.outputs;
    const std::vector<core::DxfLine> dxfLines = core::dxfLinesOf(outputs);
    if (dxfLines.empty()) {
        problems.emplace_back("calculated with no DXF lines: an empty template");
    }
    checkGeometry(outputs, problems);
    if (!problems.empty()) {
        return problems;
    }
    checkReport(outputs.report, problems);
    if (const std::string dxf =
            dxfReadBackProblem(core::DxfTemplateWriter::documentText(dxfLines), dxfLines);
        !dxf.empty()) {
        problems.push_back(std::string(kUnreadableDxf) + ": " + dxf);
    }
    checkTemplate(outputs.pattern, problems);
    return problems;
}

OutputsCheck everyOutputProblems(const core::Calculator& calculator, const HostileSet& set) {
    const core::CalculationResult result =
        calculator.calculate(set.inputs, set.development, "08-12-2026");
    OutputsCheck check{result.outputs.has_value(), resultProblems(result)};
    std::vector<std::string>& problems = check.problems;
    if (!result.outputs || !problems.empty()) {
        return check;
    }
    const core::CalculationResult edged = core::withPreparedEdges(result, set.edge);
    if (!edged.outputs) {
        // An edge that cannot be prepared is refused, and the refusal says why.
        if (edged.messages.empty()) {
            problems.emplace_back("edge refused without a message");
        }
        return check;
    }
    const core::CalculationResult job = core::forThePlate(edged, set.plate);
    if (!job.outputs) {
        // A piece not split into the parts asked for is refused, and the refusal says why.
        if (job.messages.empty()) {
            problems.emplace_back("refused for the plate without a message");
        }
        return check;
    }
    const core::CalculationOutputs& outputs = *job.outputs;
    checkMaterialList(outputs.report.materialList, problems);
    for (const std::string& line : outputs.report.edgeTable) {
        if (core::characterCount(line) > core::kReportLineCapacity) {
            problems.push_back(std::string(kCutReport) + ": over its capacity: '" + line + "'");
        }
        for (auto& problem : numberProblems(line)) {
            problems.push_back(std::move(problem));
        }
    }
    if (outputs.split) {
        checkTemplate(*outputs.split, problems);
    }

    checkCncDrawing(calculator.definition(), outputs, problems);
    checkNesting(outputs, set.plate, problems);
    for (std::string& problem : viewProblems(outputs)) {
        problems.push_back(std::move(problem));
    }
    return check;
}

std::string describe(const core::CalculatorDefinition& definition, const HostileSet& set) {
    std::string text = definition.key;
    if (!definition.developments.empty()) {
        text += " --development " + definition.developments[set.development].key;
    }
    for (std::size_t k = 0; k < definition.selectors.size(); ++k) {
        const auto& selector = definition.selectors[k];
        const std::size_t choice = set.inputs.choices.at(k);
        text += " --" + selector.name + " " + selector.choices.at(choice).key;
    }
    for (std::size_t f = 0; f < definition.fields.size(); ++f) {
        const std::string& value = set.inputs.fieldTexts[f];
        text += " " + definition.fields[f].name + "='";
        text += value.size() <= kShownCharacters ? value
                                                 : value.substr(0, kShownCharacters) + "...(" +
                                                       std::to_string(value.size()) + " bytes)";
        text += "'";
    }
    if (set.plate.plate != core::PlateSettings{}.plate) {
        text += " --plate " + fixedText(set.plate.plate.width, 0) + "x" +
                fixedText(set.plate.plate.length, 0);
    }
    if (set.edge.choice != core::EdgeChoice::Square) {
        text += set.edge.choice == core::EdgeChoice::Fit ? " --edge fit" : " --edge groove";
    }
    if (set.plate.parts != 1) {
        text += " --parts " + std::to_string(set.plate.parts);
    }
    return text;
}

} // namespace blachorys::test
