// Every refusal of a size that some value of it would cure names the range that fits, found by
// the fitting search, and the ends it names calculate.
#include "cases/calculators.h"
#include "support/fittingrange.h"

#include <gtest/gtest.h>

namespace blachorys::test {
namespace {

struct RefusalRow {
    const char* name;
    const char* calculator;
    FieldChanges changes;
    std::size_t development;
    const char* field; ///< the field whose range the refusal names
};

class RefusalRange : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RefusalRange, NamesTheRangeOfItsFieldThatFitsOnce) {
    const RefusalRow& row = GetParam();
    expectTheRangeItNamesFits(*core::findCalculator(row.calculator), row.changes, row.development,
                              row.field);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusalRange,
    ::testing::Values(
        // The pipe's side passes beside the narrow end of the cone.
        RefusalRow{"pipe_beside_the_cone", "rurastozek", {{"Lm", "300"}}, 0, "Lm"},
        // Its mantle too: at the range's far end the hole keeps clear of the mantle's edge.
        RefusalRow{"pipe_beside_the_cone_mantle", "rurastozek", {{"Lm", "300"}}, 1, "Lm"},
        RefusalRow{
            "pipe_wider_than_the_cone_mantle",
            "rurastozek",
            {{"Dr", "600"}, {"Dsm", "300"}, {"P", "0"}, {"Lm", "300"}, {"E", "0"}, {"Beta", "85"}},
            1,
            "Lm"},
        RefusalRow{"offset_past_the_cone", "rurastozek", {{"P", "400"}}, 0, "P"},
        RefusalRow{"offset_past_the_walled_cone",
                   "rurastozek",
                   {{"P", "400"}, {"tr", "5"}, {"ts", "5"}},
                   0,
                   "P"},
        // The shell's seam through the hole: both developments name the angles that clear it.
        RefusalRow{"shell_seam_through_the_hole", "rurarura", {{"szew", "40"}}, 1, "szew"},
        RefusalRow{"shell_seam_through_the_hole_branch", "rurarura", {{"szew", "40"}}, 0, "szew"},
        RefusalRow{"pipe_seam_through_the_cones_hole", "stozekrura", {{"szew", "100"}}, 1, "szew"},
        RefusalRow{"pipe_seam_through_the_hole_cone", "stozekrura", {{"szew", "100"}}, 0, "szew"},
        RefusalRow{"bend_tighter_than_the_pipe", "kolanosegm", {{"Rk", "100"}}, 0, "Rk"},
        RefusalRow{"flat_transition", "koloprostokat", {{"H", "0"}}, 0, "H"},
        // Too thick for both edges: one range for the two.
        RefusalRow{"plate_thicker_than_both_edges", "stozek", {{"t", "400"}}, 0, "t"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace blachorys::test
