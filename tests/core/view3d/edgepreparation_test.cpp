#include "cases/calculators.h"
#include "common/core/calculator/edgeoutputs.h"
#include "common/core/view3d/edgepreparation.h"
#include "support/casetexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

double rad(double degrees) {
    return degrees * kPi / 180;
}

/** A surface of the main part as the test knows it: its distance and its outward normal. */
struct MainSurface {
    std::function<double(Point3)> outsideDistance;
    std::function<double(Point3)> contactDistance;
    std::function<Point3(Point3)> outsideNormal;
};

/** Round the x axis: a pipe or a shell. */
MainSurface pipeAlongX(double outside, double contact) {
    return {[outside](Point3 p) { return std::hypot(p.y, p.z) - outside; },
            [contact](Point3 p) { return std::hypot(p.y, p.z) - contact; },
            [](Point3 p) {
                return unit(Point3{0.0, p.y, p.z});
            }};
}

struct Case {
    std::string key;
    std::size_t development;
    std::vector<std::pair<std::string, std::string>> texts;
};

struct Edged {
    CalculationResult result;
    JointView joint;
};

Edged edged(const Case& c, const EdgeSettings& settings) {
    const Calculator& calculator = *findCalculator(c.key);
    Edged e{withPreparedEdges(
                calculator.calculate(test::changedTexts(calculator, c.texts), c.development, "d"),
                settings),
            {}};
    if (e.result.outputs) {
        e.joint = e.result.outputs->view();
    }
    return e;
}

const DevelopedPart& weldedPart(const JointView& joint) {
    return *std::find_if(joint.developed.begin(), joint.developed.end(),
                         [](const DevelopedPart& p) { return p.welded && p.labelled; });
}

PatternPoint shifted(const EdgePoint& p, double s) {
    return {p.at.x + s * p.inwards.x, p.at.y + s * p.inwards.y};
}

/** Where along the point's square the outside face meets `distance`'s zero, by halving. */
double meetingShift(const SheetSurface& face, const EdgePoint& p,
                    const std::function<double(Point3)>& distance) {
    double a = -200.0, b = 200.0;
    const auto f = [&](double s) { return distance(face(shifted(p, s))); };
    // From the drawn line outwards and inwards to the first change of side.
    for (double step = 0.5; step < 200; step += 0.5) {
        for (const double s : {step, -step}) {
            if ((f(0.0) > 0) != (f(s) > 0)) {
                a = std::min(0.0, s);
                b = std::max(0.0, s);
                step = 1e9;
                break;
            }
        }
    }
    for (int i = 0; i < 100; ++i) {
        const double m = (a + b) / 2;
        ((f(a) > 0) == (f(m) > 0) ? a : b) = m;
    }
    return (a + b) / 2;
}

/** The branch's outward normal at a point of its face, square to the face's own directions. */
Point3 faceNormal(const DevelopedPart& part, PatternPoint q) {
    const double h = 1e-3;
    const SheetSurface& f = part.faces.front();
    const Point3 n =
        unit(cross(f({q.x + h, q.y}) - f({q.x - h, q.y}), f({q.x, q.y + h}) - f({q.x, q.y - h})));
    return dot(n, f(q) - part.faces.back()(q)) < 0 ? -1.0 * n : n;
}

/**
 * Every point of the joint: ψ from the normals of the two outside faces where they meet (the
 * main part's the test's own) within 0.05°, and with the fit each face's cut edge on the main
 * part's contact surface within 0.05 mm.
 */
void checkPsiAndFit(const Case& c, const MainSurface& main) {
    SCOPED_TRACE(c.key + " " + c.texts.front().second);
    const Edged fit = edged(c, {.choice = EdgeChoice::Fit, .bevelLimit = 89});
    ASSERT_TRUE(fit.result.outputs) << fit.result.messages.front().text;
    const DevelopedPart& part = weldedPart(fit.joint);
    const auto& points = fit.result.outputs->edges.points;
    ASSERT_GT(points.size(), 8U);
    double worstAngle = 0.0, worstFit = 0.0;
    for (const EdgePoint& p : points) {
        const PatternPoint q =
            shifted(p, meetingShift(part.faces.front(), p, main.outsideDistance));
        const Point3 at = part.faces.front()(q);
        const double psi =
            180.0 -
            std::acos(std::clamp(dot(faceNormal(part, q), main.outsideNormal(at)), -1.0, 1.0)) *
                180 / kPi;
        worstAngle = std::max(worstAngle, std::fabs(psi - p.psiDeg));
        worstFit = std::max(
            {worstFit, std::fabs(main.contactDistance(part.faces.front()(shifted(p, p.nearShift)))),
             std::fabs(main.contactDistance(part.faces.back()(shifted(p, p.farShift))))});
    }
    EXPECT_LT(worstAngle, 0.05);
    EXPECT_LT(worstFit, 0.05);
}

const std::vector<std::pair<std::string, std::string>> kSquareT = {{"Beta", "90"}, {"P", "0"}};
const std::vector<std::pair<std::string, std::string>> kInclinedOffset = {{"Beta", "60"},
                                                                          {"P", "60"}};

std::vector<std::pair<std::string, std::string>>
with(std::vector<std::pair<std::string, std::string>> texts,
     std::vector<std::pair<std::string, std::string>> more) {
    texts.insert(texts.begin(), more.begin(), more.end());
    return texts;
}

TEST(EdgePreparation, PipeOnPipeMeetsItsShellAtEveryPoint) {
    for (const char* joint : {"set-on", "set-in"}) {
        for (const char* t : {"10", "20"}) {
            for (const auto& placed : {kSquareT, kInclinedOffset}) {
                const double td = std::stod(t);
                const double contact = std::string(joint) == "set-on" ? 400 : 400 - td;
                checkPsiAndFit(
                    {"rurarura", 0, with(placed, {{"joint", joint}, {"tm", t}, {"td", t}})},
                    pipeAlongX(400, contact));
            }
        }
    }
}

TEST(EdgePreparation, ConeOnPipeMeetsItsPipeAtEveryPoint) {
    const Calculator& cone = *findCalculator("stozekrura");
    const auto& fields = cone.definition().fields;
    const auto dr = std::find_if(fields.begin(), fields.end(),
                                 [](const FieldDefinition& f) { return f.name == "Dr"; });
    ASSERT_NE(dr, fields.end());
    const double R = std::stod(dr->defaultText) / 2;
    for (const char* joint : {"set-on", "set-in"}) {
        for (const char* t : {"10", "20"}) {
            const double tr = std::stod(t);
            // The defaults lean the cone at 75° and offset it by 40.
            for (const auto& placed :
                 {kSquareT, std::vector<std::pair<std::string, std::string>>{}}) {
                checkPsiAndFit(
                    {"stozekrura", 0, with(placed, {{"joint", joint}, {"ts", t}, {"tr", t}})},
                    pipeAlongX(R, std::string(joint) == "set-on" ? R : R - tr));
            }
        }
    }
}

TEST(EdgePreparation, PipeOnARightConeMeetsTheMantleAtEveryPoint) {
    // A right cone along x from its small end: its outside radius grows by k a millimetre.
    const Calculator& calculator = *findCalculator("rurastozek");
    const CalculatorInputs defaults = defaultInputs(calculator.definition());
    const auto number = [&](const char* name) {
        return std::stod(defaults.fieldTexts[*fieldIndex(calculator.definition(), name)]);
    };
    const double small = number("Dsm") / 2, large = number("Dsd") / 2, length = number("Hs");
    const double k = (large - small) / length;
    for (const char* joint : {"set-on", "set-in"}) {
        for (const char* t : {"10", "20"}) {
            const double ts = std::stod(t);
            const double depth = std::string(joint) == "set-on" ? 0.0 : ts;
            const auto along = [=](double offset) {
                return [=](Point3 p) {
                    return (std::hypot(p.y, p.z) - small - k * p.x) / std::hypot(1.0, k) + offset;
                };
            };
            for (const auto& placed : {with(kSquareT, {{"Lm", "780"}}),
                                       std::vector<std::pair<std::string, std::string>>{
                                           {"Beta", "70"}, {"P", "100"}, {"Lm", "650"}}}) {
                checkPsiAndFit({"rurastozek", 0,
                                with(placed, {{"joint", joint}, {"E", "0"}, {"tr", t}, {"ts", t}})},
                               {along(0.0), along(depth), [k](Point3 p) {
                                    const double r = std::hypot(p.y, p.z);
                                    return unit(Point3{-k, p.y / r, p.z / r});
                                }});
            }
        }
    }
}

// A set-in branch's hole, fitted: both faces of the shell's wall meet the branch's outside all
// round; a set-on branch's hole stays square.
TEST(EdgePreparation, ASetInBranchsHoleFitsItsOutside) {
    for (const char* t : {"10", "20"}) {
        for (const auto& [beta, offset] : {std::pair{90.0, 0.0}, std::pair{60.0, 60.0}}) {
            const Edged e = edged({"rurarura",
                                   1,
                                   {{"joint", "set-in"},
                                    {"tm", t},
                                    {"td", t},
                                    {"Beta", std::to_string(beta)},
                                    {"P", std::to_string(offset)}}},
                                  {.choice = EdgeChoice::Fit});
            ASSERT_TRUE(e.result.outputs) << e.result.messages.front().text;
            const double ax = std::cos(rad(beta)), az = std::sin(rad(beta));
            const Point3 endFace{350 + 700 * ax / az, offset, 700};
            const DevelopedPart& shell = weldedPart(e.joint);
            double worst = 0.0;
            for (const EdgePoint& p : e.result.outputs->edges.points) {
                for (const auto& [face, shift] : {std::pair{shell.faces.front(), p.nearShift},
                                                  std::pair{shell.faces.back(), p.farShift}}) {
                    worst = std::max(
                        worst,
                        std::fabs(fromLine(face(shifted(p, shift)), endFace, {ax, 0.0, az}) - 150));
                }
            }
            EXPECT_GT(e.result.outputs->edges.points.size(), 8U);
            EXPECT_LT(worst, 0.05) << t << " " << beta;
        }
    }
    const Edged on =
        edged({"rurarura", 1, {{"tm", "10"}, {"td", "10"}}}, {.choice = EdgeChoice::Fit});
    ASSERT_TRUE(on.result.outputs);
    EXPECT_TRUE(on.result.outputs->edges.points.empty());
}

// The T-joint's figures: square at the crown, 90° + asin(150/400) at the saddle; inclined at
// 45°, 45° at the heel and 135° at the toe.
TEST(EdgePreparation, TheReportGivesTheAngleTheWeldSees) {
    const std::vector<std::tuple<const char*, const char*, const char*>> rows = {
        {"90", "h0", "90.0"},   {"90", "h6", "112.0"}, {"90", "h12", "90.0"},
        {"90", "h18", "112.0"}, {"45", "h0", "45.0"},  {"45", "h12", "135.0"}};
    for (const auto& [beta, point, psi] : rows) {
        const Edged e =
            edged({"rurarura", 0, {{"Beta", beta}, {"P", "0"}, {"tm", "10"}, {"td", "10"}}},
                  {.choice = EdgeChoice::Fit});
        ASSERT_TRUE(e.result.outputs);
        const auto lines = e.result.outputs->report.allLines();
        const std::string label = point, angle = psi;
        const auto row = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
            std::istringstream words(line);
            std::string first, around, third;
            return (words >> first >> around >> third) && first == label && third == angle;
        });
        EXPECT_NE(row, lines.end()) << beta << " " << point << " " << psi;
    }
}

// The groove's bevel, measured in space across the joint line against the shell's surface at
// the root (where the cut leaves the far face), is the groove angle wherever the cut is bevelled
// and the head reaches.
TEST(EdgePreparation, TheGrooveOpensAtItsAngleAcrossTheJointLine) {
    for (const char* angle : {"45", "35"}) {
        const Case c{"rurarura", 0, {{"Beta", "90"}, {"P", "0"}, {"tm", "12"}, {"td", "12"}}};
        const EdgeSettings groove{.choice = EdgeChoice::Groove,
                                  .grooveAngle = std::stod(angle),
                                  .rootFace = 2.0,
                                  .rootGap = 3.0,
                                  .bevelLimit = 60};
        const Edged g = edged(c, groove);
        const Edged f = edged(c, {.choice = EdgeChoice::Fit});
        ASSERT_TRUE(g.result.outputs && f.result.outputs);
        const DevelopedPart& part = weldedPart(g.joint);
        const auto& grooved = g.result.outputs->edges.points;
        const auto& fitted = f.result.outputs->edges.points;
        const double t = g.result.outputs->edges.thickness;
        int measured = 0;
        for (std::size_t i = 0; i < grooved.size(); ++i) {
            const EdgePoint& p = grooved[i];
            if (!(p.tiltDeg > 0.1) || p.overLimit) {
                continue;
            }
            const double gap = p.farShift - fitted[i].farShift;
            const double landTop =
                fitted[i].farShift +
                (fitted[i].nearShift - fitted[i].farShift) * groove.rootFace / t + gap;
            const double depth = (t - groove.rootFace) / t;
            const Point3 land = (1 - depth) * part.faces.front()(shifted(p, landTop)) +
                                depth * part.faces.back()(shifted(p, landTop));
            const Point3 top = part.faces.front()(shifted(p, p.nearShift));
            const PatternPoint along{-p.inwards.y, p.inwards.x};
            const Point3 line = unit(part.faces.back()({p.at.x + along.x, p.at.y + along.y}) -
                                     part.faces.back()({p.at.x - along.x, p.at.y - along.y}));
            Point3 across = top - land;
            across = unit(across - dot(across, line) * line);
            const Point3 root = part.faces.back()(shifted(p, p.farShift));
            const Point3 normal = unit(Point3{0.0, root.y, root.z});
            const double opening = std::asin(std::fabs(dot(across, normal))) * 180 / kPi;
            EXPECT_NEAR(opening, groove.grooveAngle, 0.1) << p.label;
            ++measured;
        }
        EXPECT_GT(measured, 4);
    }
}

// Each layer of an elbow strip's cut lies in its mitre plane once fitted; cut square, the
// wall's faces pass it by (t/2)·tan δ rolled and t·tan δ from a pipe along the generator: by
// cos δ of that from the plane.
TEST(EdgePreparation, ElbowStripsFitTheirMitrePlanes) {
    const std::vector<std::tuple<std::vector<std::pair<std::string, std::string>>, double, double>>
        cases = {
            {{{"t", "10"}}, 90.0 / 10, 5 * std::sin(rad(9.0))},
            {{{"made", "pipe"}, {"t", "12"}, {"Ns", "3"}}, 90.0 / 4, 12 * std::sin(rad(22.5))}};
    for (const auto& [texts, deltaDeg, squareGap] : cases) {
        const Edged e = edged({"kolanosegm", 0, texts}, {.choice = EdgeChoice::Fit});
        ASSERT_TRUE(e.result.outputs);
        const DevelopedPart& first = e.joint.developed.front();
        const double delta = rad(deltaDeg);
        const auto fromMitre = [delta](Point3 p) {
            return std::fabs(dot(p, Point3{-std::sin(delta), 0.0, std::cos(delta)}));
        };
        double fitted = 0.0, square = 0.0;
        for (const EdgePoint& p : e.result.outputs->edges.points) {
            if (p.label.rfind("hA", 0) != 0) {
                continue;
            }
            fitted = std::max({fitted, fromMitre(first.faces.front()(shifted(p, p.nearShift))),
                               fromMitre(first.faces.back()(shifted(p, p.farShift)))});
            square = std::max({square, fromMitre(first.faces.front()(p.at)),
                               fromMitre(first.faces.back()(p.at))});
        }
        EXPECT_LT(fitted, 0.05);
        EXPECT_NEAR(square, squareGap, 0.01);
    }
}

TEST(EdgePreparation, CsvReadsBackAsTheTable) {
    const Edged e =
        edged({"rurarura", 0, {{"tm", "10"}, {"td", "10"}}}, {.choice = EdgeChoice::Groove});
    ASSERT_TRUE(e.result.outputs);
    const PreparedEdges& edges = e.result.outputs->edges;
    std::istringstream csv(bevelCsv(edges));
    std::string row;
    std::getline(csv, row);
    EXPECT_EQ(row, "punkt,kat_deg,psi_deg,ukos_deg,gorna_mm,dolna_mm\r");
    std::size_t k = 0;
    for (; std::getline(csv, row); ++k) {
        ASSERT_LT(k, edges.points.size());
        ASSERT_EQ(row.back(), '\r');
        std::istringstream cells(row.substr(0, row.size() - 1));
        std::vector<std::string> cell;
        for (std::string c; std::getline(cells, c, ',');) {
            cell.push_back(c);
        }
        ASSERT_EQ(cell.size(), 6U);
        EXPECT_EQ(cell[0], edges.points[k].label);
        EXPECT_NEAR(std::stod(cell[2]), edges.points[k].psiDeg, 5e-4);
        EXPECT_NEAR(std::stod(cell[4]), edges.points[k].nearShift, 5e-4);
    }
    EXPECT_EQ(k, edges.points.size());
}

TEST(EdgePreparation, RefusedWithAReasonAndNoResults) {
    const std::vector<std::tuple<Case, EdgeSettings, std::string>> rows = {
        {{"rurarura", 0, {}}, {.choice = EdgeChoice::Fit}, "wymaga grubosci scianki"},
        {{"rurarura", 0, {{"tm", "4"}, {"td", "4"}}},
         {.choice = EdgeChoice::Groove, .rootFace = 4},
         "c musi byc mniejsze"},
    };
    for (const auto& [c, settings, reason] : rows) {
        const Edged e = edged(c, settings);
        EXPECT_EQ(e.result.status, CalculationResult::Status::Refused);
        EXPECT_FALSE(e.result.outputs);
        ASSERT_EQ(e.result.messages.size(), 1U);
        EXPECT_NE(e.result.messages.front().text.find(reason), std::string::npos);
    }
    // A square cut, the default, leaves every output as it was.
    const Edged square = edged({"rurarura", 0, {{"tm", "10"}}}, {});
    ASSERT_TRUE(square.result.outputs);
    EXPECT_TRUE(square.result.outputs->report.edgeTable.empty());
}

} // namespace
} // namespace blachorys::core
