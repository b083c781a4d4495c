// A template wrapped round a pipe, its drawing out: the view shows its printed side outside.
#include "cases/calculators.h"
#include "common/core/view3d/viewscene.h"

#include <gtest/gtest.h>

namespace blachorys::core {
namespace {

/** The share of the developed part's faces whose printed side faces away from its middle. */
double printedOutside(const char* key, const char* development, const char* selector) {
    const Calculator& calculator = *findCalculator(key);
    const auto& d = calculator.definition();
    const auto result =
        calculator.calculate(exampleInputs(d, {"wrapped", development, {{selector, "pipe"}}}),
                             developmentIndex(d, development).value_or(0), "d");
    EXPECT_TRUE(result.outputs && result.outputs->view) << key;
    if (!result.outputs || !result.outputs->view) {
        return 0.0;
    }
    const ViewScene scene = buildViewScene(result.outputs->pattern, result.outputs->view());
    Point3 sum;
    double count = 0.0;
    for (const ViewFace& face : scene.faces) {
        if (face.tone == FaceTone::Sheet) {
            sum = sum + face.middle;
            count += 1.0;
        }
    }
    const Point3 middle = (1.0 / count) * sum;
    double out = 0.0;
    for (const ViewFace& face : scene.faces) {
        if (face.tone == FaceTone::Sheet && dot(face.normal, face.middle - middle) > 0.0) {
            out += 1.0;
        }
    }
    return out / count;
}

TEST(PrintedSide, ATemplateWrappedRoundAPipeFacesOut) {
    struct Case {
        const char* key;
        const char* development;
        const char* selector;
    };
    for (const Case& c :
         {Case{"rurarura", "mniejsza", "branch-made"}, Case{"rurarura", "wieksza", "shell-made"},
          Case{"rurastozek", "rura", "pipe-made"}, Case{"stozekrura", "rura", "pipe-made"}}) {
        EXPECT_GT(printedOutside(c.key, c.development, c.selector), 0.9)
            << c.key << " " << c.development;
    }
}

} // namespace
} // namespace blachorys::core
