#pragma once

#include "common/core/calculator/pointreport.h"
#include "common/core/pattern/pattern.h"
#include "common/core/sheets/patternlook.h"
#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/jointview.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

enum class MessageKind { Warning, Error };

/** A message the window shows in its own box and the command line prints. */
struct Message {
    MessageKind kind = MessageKind::Warning;
    std::string text;
    friend bool operator==(const Message&, const Message&) = default;
};

/**
 * The plain data every output reads: the report for the memo, the TXT file and the printout;
 * the pattern for the DXF, the preview and the template; what each of its pieces is to the job;
 * the joint in space for the 3-D view.
 */
struct CalculationOutputs {
    PointReport report;
    /** The pattern, with what each of its pieces is to the job. */
    Pattern pattern;
    /** How the pattern is drawn: its case's styles and the preview's frame. */
    PatternLook look;
    /**
     * The joint described for the 3-D view, when asked for: unrolling an oblique cone to roll
     * the pattern back takes longer than the calculation, which a view never opened should not
     * pay. Empty for a calculator that has no view.
     */
    std::function<JointView()> view;
    /**
     * The parts, when a piece is split into parts that fit a plate: each part its own closed
     * outline, turned to its smallest box and laid beside the others, with its marking lines,
     * reported points, match marks and caption. The pattern's pieces are cut whole otherwise.
     */
    std::optional<Pattern> split;
    /** The welded cuts' edges, prepared at their reported points when a bevel is asked for. */
    PreparedEdges edges;
    /**
     * The pattern as its bevelled cuts are cut (`bevelledPattern`), when an edge is prepared; a
     * piece so cut is not split into parts.
     */
    std::optional<Pattern> bevelled;
};

/**
 * What the template, the cutting table's file and the nesting draw: the bevelled pattern, the
 * parts, or the pattern.
 */
inline const Pattern& patternToCut(const CalculationOutputs& outputs) {
    return outputs.bevelled ? *outputs.bevelled : outputs.split ? *outputs.split : outputs.pattern;
}

struct CalculationResult {
    enum class Status {
        Calculated, ///< outputs are valid
        Refused,    ///< the inputs failed a check; messages say which
        Failed,     ///< the inputs passed but the construction failed; messages say why
    };
    Status status = Status::Refused;
    std::vector<Message> messages;
    std::optional<CalculationOutputs> outputs;
};

/** Inputs refused by the case's checks: one warning per failed check, in order. */
CalculationResult refusedResult(const std::vector<std::string>& warnings);
/** Inputs refused before the checks (a field that cannot be read). */
CalculationResult refusedResult(Message message);
/** Inputs that passed the checks but could not be calculated: one error message. */
CalculationResult failedResult(std::string errorText);
CalculationResult calculatedResult(CalculationOutputs outputs);

/** Some number of the pattern came out infinite or undefined, or too long for its report line. */
inline constexpr const char* kNotFiniteMessage =
    "Blad obliczen. Prawdopodobnie dane sa zbyt duze lub zbyt male.";

} // namespace blachorys::core
