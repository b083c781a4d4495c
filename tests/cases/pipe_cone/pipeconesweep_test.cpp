// The fast fans held to the straightforward reference loops, and both to a long-double
// evaluation of the same construction, over a seeded sweep of 2400 varied joints: both
// developments, N from 2 to 2000, straight and oblique cones opening either way, flat ones,
// negative P and E, inclinations at and within a hair of 90°.
//
// The reference loop costs some 0.2 ms a hole point and its long-double twin 1.7 ms, so to
// stay within seconds the sweep spends them with care: most joints have a small N (2 to 40),
// and those up to N = 12 are compared whole, from field texts to report and DXF text; a joint
// with more points compares the whole outline and six hole points (both ends of the hole,
// its middle and three at random); the long-double evaluation takes one hole point of every
// other joint and the whole outline of every tenth. The fast model itself is computed whole.
#include "cases/pipe_cone/pipeconecase.h"
#include "cases/pipe_cone/pipeconemodel.h"
#include "common/core/base/numbertext.h"
#include "common/core/base/parallelfor.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/sheets/dxftemplatewriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Long = long double;

/** Fast and reference must agree this closely at every point, mm. */
constexpr double kAgreement = 1e-6;
constexpr int kJoints = 2400;
/** About half the random joints reach past an end of the cone, and are refused. */
constexpr int kLeastConstructed = 1000;
/** Joints with at most this many divisions are compared whole, through the calculators. */
constexpr int kWholeComparison = 12;

/** A seeded sequence of numbers that every standard library gives alike. */
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}
    double unit() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    double logUniform(double low, double high) {
        return std::exp(uniform(std::log(low), std::log(high)));
    }
    int integer(int low, int high) {
        return low + static_cast<int>(m_engine() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool chance(double p) { return unit() < p; }

private:
    std::mt19937_64 m_engine;
};

PipeConeInputs sweepJoint(Random& random) {
    PipeConeInputs in;
    in.development = random.chance(0.85) ? PipeConeDevelopment::Cone : PipeConeDevelopment::Pipe;
    in.Dsd = random.uniform(100, 3000);
    if (random.chance(0.3)) {
        in.Dsm = in.Dsd * random.uniform(1.03, 1.6); // opening towards the small end
    } else {
        in.Dsm = random.chance(0.1) ? 0.0 : in.Dsd * random.uniform(0.0, 0.97);
    }
    in.Hs = random.chance(0.1) ? random.uniform(5, 30) : random.logUniform(30, 5000);
    const double widest = std::max(in.Dsd, in.Dsm);
    in.E = random.chance(0.2) ? 0.0 : random.uniform(-0.6, 0.6) * widest;
    const double narrowest = std::min(in.Dsd, in.Dsm) / 2;
    in.Dr = random.uniform(0.05, 1.2) * std::max(narrowest, 20.0);
    in.Dr = std::min(in.Dr, in.Dsd);
    const double room = std::max(0.0, narrowest - in.Dr / 2);
    in.P = random.uniform(-0.9, 0.9) * room;
    const double kind = random.unit();
    if (kind < 0.4) {
        in.BETA = 90;
    } else if (kind < 0.55) {
        in.BETA = 90 + (random.chance(0.5) ? 1 : -1) * std::pow(10.0, random.uniform(-9, -2));
    } else {
        in.BETA = random.uniform(25, 155);
    }
    in.alfa = random.uniform(0, 360);
    in.Lm = in.Hs * random.uniform(0.25, 0.75);
    in.Hr = widest / 2 + std::fabs(in.E) + random.uniform(50, 500);
    const double size = random.unit();
    if (size < 0.85) {
        in.N = random.integer(2, 40);
    } else if (size < 0.99) {
        in.N = static_cast<int>(random.logUniform(41, 2000));
    } else {
        in.N = 2000;
    }
    return in;
}

std::string numberText(double value) {
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return {buffer.data(), end};
}

std::string describe(const PipeConeInputs& in) {
    return "Dr=" + numberText(in.Dr) + " Dsm=" + numberText(in.Dsm) + " Dsd=" + numberText(in.Dsd) +
           " P=" + numberText(in.P) + " Beta=" + numberText(in.BETA) +
           " alfa=" + numberText(in.alfa) + " Hr=" + numberText(in.Hr) +
           " Hs=" + numberText(in.Hs) + " Lm=" + numberText(in.Lm) + " E=" + numberText(in.E) +
           " N=" + std::to_string(in.N) +
           (in.development == PipeConeDevelopment::Cone ? " stozek" : " rura");
}

/** The field texts of the joint: shortest texts, which read back as the very same numbers. */
CalculatorInputs fieldTexts(const PipeConeInputs& in) {
    const CalculatorDefinition& definition = pipeConeCalculator().definition();
    return exampleInputs(definition, {"",
                                      "",
                                      {{"Dr", numberText(in.Dr)},
                                       {"Dsm", numberText(in.Dsm)},
                                       {"Dsd", numberText(in.Dsd)},
                                       {"P", numberText(in.P)},
                                       {"Beta", numberText(in.BETA)},
                                       {"alfa", numberText(in.alfa)},
                                       {"Hr", numberText(in.Hr)},
                                       {"Hs", numberText(in.Hs)},
                                       {"Lm", numberText(in.Lm)},
                                       {"E", numberText(in.E)},
                                       {"N", std::to_string(in.N)}}});
}

/** The cone's section at height z, worked out in long double from the same inputs. */
struct LongSection {
    Long R, e;
};

LongSection sectionAt(const ConeMantle& cone, Long z) {
    return {z * (Long{cone.Dsd} - cone.Dsm) / (2 * Long{cone.Hs}), z * Long{cone.E} / cone.Hs};
}

Long generatorLength(Long z, LongSection s, Long phi) {
    const Long across = s.R * std::cos(phi);
    const Long along = s.e + s.R * std::sin(phi);
    return std::sqrt(z * z + across * across + along * along);
}

Long apexAngle(Long previousSide, Long side, Long base) {
    const Long f = (base * base - side * side + previousSide * previousSide) / (2 * previousSide);
    const Long height = std::sqrt(std::max(Long{0}, base * base - f * f));
    return std::atan2(height, previousSide - f);
}

/** The hole point's construction, step for step as the reference loop, in long double. */
DevelopedPoint developPointLong(const ConeMantle& cone, const Point3& p) {
    const Long z = p.z;
    const LongSection s = sectionAt(cone, z);
    // From 0 to 2π round from the cut, as `sectionAngle` takes it: a point on the far side of
    // its section centre lies past half a turn.
    const Long pi = std::numbers::pi_v<Long>;
    const Long turned = p.x == 0.0 ? (Long{p.y} >= s.e ? pi / 2 : 3 * pi / 2)
                                   : std::atan2(Long{p.y} - s.e, Long{p.x});
    const Long phi = turned < 0 ? turned + 2 * pi : turned;
    constexpr int kSteps = 8000;
    const Long base = s.R * phi / kSteps;
    Long previous = generatorLength(z, s, 0);
    Long length = previous;
    Long psi = 0;
    for (int j = 1; j <= kSteps; ++j) {
        length = generatorLength(z, s, j * phi / kSteps);
        psi += apexAngle(previous, length, base);
        previous = length;
    }
    return {static_cast<double>(length * std::cos(psi)),
            static_cast<double>(length * std::sin(psi))};
}

/** The large arc's construction, step for step as the reference loop, in long double. */
std::vector<DevelopedPoint> developLargeArcLong(const ConeMantle& cone, int divisions) {
    const int K = outlineStepsPerDivision(divisions);
    const int M = K * divisions;
    const Long Zd = Long{cone.Dsd} * cone.Hs / (Long{cone.Dsd} - cone.Dsm);
    const LongSection s{Long{cone.Dsd} / 2, Zd * cone.E / cone.Hs};
    const Long base = 2 * std::numbers::pi_v<Long> * s.R / M;
    std::vector<DevelopedPoint> arc;
    Long previous = 0;
    Long psi = 0;
    for (int step = 0; step <= M; ++step) {
        const Long length = generatorLength(Zd, s, step * 2 * std::numbers::pi_v<Long> / M);
        if (step >= 1) {
            psi += apexAngle(previous, length, base);
        }
        previous = length;
        if (step % K == 0) {
            arc.push_back({static_cast<double>(length * std::cos(psi)),
                           static_cast<double>(length * std::sin(psi))});
        }
    }
    return arc;
}

double distance(DevelopedPoint a, DevelopedPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

/** What one joint showed. */
struct JointFindings {
    PipeConeInputs inputs;
    bool constructed = false;
    int comparedPoints = 0;
    double fastVsReference = 0.0;
    double fastVsLong = 0.0;
    double referenceVsLong = 0.0;
    /** Printed values that differ, each within kAgreement of a rounding boundary. */
    std::vector<std::string> boundaryNotes;
    /** Anything that must not happen. */
    std::vector<std::string> defects;
};

/**
 * A value printed with `decimals` decimals from the fast and from the reference figure: the
 * same text, or two texts one unit apart with both figures within kAgreement of the rounding
 * boundary between them.
 */
void comparePrinted(double fast, double reference, int decimals, const std::string& what,
                    JointFindings& findings) {
    const std::string fastText = formatFixed(fast, decimals);
    const std::string referenceText = formatFixed(reference, decimals);
    if (fastText == referenceText) {
        return;
    }
    const double a = parseReal(fastText).value_or(NAN);
    const double b = parseReal(referenceText).value_or(NAN);
    const double unit = std::pow(10.0, -decimals);
    const double boundary = (a + b) / 2;
    const bool atBoundary = std::fabs(std::fabs(a - b) - unit) < 1e-3 * unit &&
                            std::fabs(fast - boundary) <= kAgreement &&
                            std::fabs(reference - boundary) <= kAgreement;
    const std::string note = what + ": the fast figure " + numberText(fast) + " prints " +
                             fastText + ", the reference figure " + numberText(reference) +
                             " prints " + referenceText;
    if (atBoundary) {
        findings.boundaryNotes.push_back(note + ", both within 1e-6 mm of the rounding boundary " +
                                         numberText(boundary));
    } else {
        findings.defects.push_back(note);
    }
}

void comparePoint(DevelopedPoint fast, DevelopedPoint reference, const std::string& what,
                  JointFindings& findings) {
    findings.fastVsReference = std::max(findings.fastVsReference, distance(fast, reference));
    ++findings.comparedPoints;
    for (const int decimals : {kReportDecimals, kDxfDecimals}) {
        comparePrinted(fast.x, reference.x, decimals, what + " X", findings);
        comparePrinted(fast.y, reference.y, decimals, what + " Y", findings);
    }
}

void compareLong(DevelopedPoint fast, DevelopedPoint reference, DevelopedPoint exact,
                 JointFindings& findings) {
    findings.fastVsLong = std::max(findings.fastVsLong, distance(fast, exact));
    findings.referenceVsLong = std::max(findings.referenceVsLong, distance(reference, exact));
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

/** The whole calculation from field texts, fast and reference: the same outputs. */
void compareCalculations(const PipeConeInputs& in, JointFindings& findings) {
    const auto texts = fieldTexts(in);
    const std::size_t development = in.development == PipeConeDevelopment::Cone ? 1 : 0;
    const CalculationResult fast = pipeConeCalculator().calculate(texts, development, "-");
    const CalculationResult reference =
        pipeConeReferenceCalculator().calculate(texts, development, "-");
    if (fast.status != reference.status || fast.messages != reference.messages ||
        fast.outputs.has_value() != reference.outputs.has_value()) {
        findings.defects.emplace_back("the calculators end differently");
        return;
    }
    if (!fast.outputs) {
        return;
    }
    const bool sameReport =
        joined(fast.outputs->report.allLines()) == joined(reference.outputs->report.allLines());
    const bool sameDxf = DxfTemplateWriter::documentText(dxfLinesOf(*fast.outputs)) ==
                         DxfTemplateWriter::documentText(dxfLinesOf(*reference.outputs));
    if ((!sameReport || !sameDxf) && findings.boundaryNotes.empty()) {
        findings.defects.emplace_back("the report or DXF text differs with no value at a "
                                      "rounding boundary");
    }
}

JointFindings examine(const PipeConeInputs& in, std::uint64_t seed) {
    JointFindings findings;
    findings.inputs = in;
    Random random(seed);
    if (!validatePipeCone(in).empty()) {
        return findings;
    }
    const Construction<PipeConeModel> fast = computePipeCone(in);
    const bool whole = in.N <= kWholeComparison || !fast.model;
    if (whole) {
        const Construction<PipeConeModel> reference = computePipeConeReference(in);
        if (fast.model.has_value() != reference.model.has_value() ||
            fast.failure != reference.failure) {
            findings.defects.emplace_back("fast and reference constructions end differently");
            return findings;
        }
    }
    if (!fast.model) {
        return findings;
    }
    findings.constructed = true;
    const PipeConeModel& m = *fast.model;
    const ConeMantle cone = coneMantle(in);
    // The template is the same code in both: it must be the same to the bit.
    PipeConeInputs templateOnly = in;
    templateOnly.development = PipeConeDevelopment::Pipe;
    const Construction<PipeConeModel> referenceTemplate = computePipeConeReference(templateOnly);
    // The pipe's template alone is refused where its end face dips into the cone.
    if (!referenceTemplate.model) {
        if (referenceTemplate.failure.find("tworzaca h < 0") == std::string::npos) {
            findings.defects.emplace_back("the template alone fails");
        }
    } else if (referenceTemplate.model->L != m.L || referenceTemplate.model->h != m.h ||
               referenceTemplate.model->hmax != m.hmax) {
        findings.defects.emplace_back("the template differs");
    }

    if (in.development == PipeConeDevelopment::Cone) {
        // Hole points: every one, or both ends, the middle and three at random.
        const auto last = static_cast<std::size_t>(in.N);
        std::set<std::size_t> holePoints;
        if (whole) {
            for (std::size_t i = 0; i <= last; ++i) {
                holePoints.insert(i);
            }
        } else {
            holePoints = {0, last / 2, last};
            for (int k = 0; k < 3; ++k) {
                holePoints.insert(static_cast<std::size_t>(random.integer(0, in.N)));
            }
        }
        const auto longPoint = static_cast<std::size_t>(random.integer(0, in.N));
        holePoints.insert(longPoint);
        for (const std::size_t i : holePoints) {
            const Point3& p = m.hole[i];
            const DevelopedPoint reference = developPointReference(cone, p.x, p.y, p.z);
            const DevelopedPoint developed{m.Xo[i], m.Yo[i]};
            comparePoint(developed, reference, "hole point " + std::to_string(i), findings);
            if (i == longPoint && seed % 2 == 0) {
                compareLong(developed, reference, developPointLong(cone, p), findings);
            }
        }
        // The whole outline, and the sheet's size from it.
        const MantleOutline reference = developOutlineReference(cone, in.N);
        const MantleOutline& o = m.outline;
        for (std::size_t j = 0; j <= last; ++j) {
            const std::string at = std::to_string(j);
            comparePoint({o.Xd[j], o.Yd[j]}, {reference.Xd[j], reference.Yd[j]},
                         "large arc point " + at, findings);
            comparePoint({o.Xm[j], o.Ym[j]}, {reference.Xm[j], reference.Ym[j]},
                         "small arc point " + at, findings);
        }
        const SheetBox referenceSheet =
            sectorBox({reference.Xm, reference.Ym, reference.Xd, reference.Yd});
        for (const int decimals : {kReportDecimals, kDxfDecimals}) {
            comparePrinted(m.sheet.width(), referenceSheet.width(), decimals, "sheet width",
                           findings);
            comparePrinted(m.sheet.height(), referenceSheet.height(), decimals, "sheet height",
                           findings);
        }
        findings.fastVsReference =
            std::max({findings.fastVsReference, std::fabs(m.sheet.width() - referenceSheet.width()),
                      std::fabs(m.sheet.height() - referenceSheet.height())});
        if (seed % 10 == 0) {
            const std::vector<DevelopedPoint> exact = developLargeArcLong(cone, in.N);
            for (std::size_t j = 0; j <= last; ++j) {
                compareLong({o.Xd[j], o.Yd[j]}, {reference.Xd[j], reference.Yd[j]}, exact[j],
                            findings);
            }
        }
    }
    if (whole) {
        compareCalculations(in, findings);
    }
    return findings;
}

TEST(PipeConeSweep, FastFansFollowTheReferenceLoopsAndAreAtLeastAsExact) {
    Random random(20261208);
    std::vector<PipeConeInputs> joints;
    for (int k = 0; k < kJoints; ++k) {
        joints.push_back(sweepJoint(random));
    }
    std::vector<JointFindings> findings(joints.size());
    parallelFor(joints.size(), 16, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            findings[k] = examine(joints[k], k);
        }
    });

    int constructed = 0;
    int mantles = 0;
    int points = 0;
    int boundaries = 0;
    std::set<int> divisions;
    double fastVsReference = 0.0;
    double fastVsLong = 0.0;
    double referenceVsLong = 0.0;
    for (const JointFindings& f : findings) {
        for (const std::string& defect : f.defects) {
            ADD_FAILURE() << defect << " for " << describe(f.inputs);
        }
        for (const std::string& note : f.boundaryNotes) {
            std::cout << "[          ] printed value at a rounding boundary, " << note << " for "
                      << describe(f.inputs) << '\n';
        }
        constructed += f.constructed ? 1 : 0;
        mantles += f.constructed && f.inputs.development == PipeConeDevelopment::Cone ? 1 : 0;
        points += f.comparedPoints;
        boundaries += static_cast<int>(f.boundaryNotes.size());
        if (f.constructed) {
            divisions.insert(f.inputs.N);
        }
        fastVsReference = std::max(fastVsReference, f.fastVsReference);
        fastVsLong = std::max(fastVsLong, f.fastVsLong);
        referenceVsLong = std::max(referenceVsLong, f.referenceVsLong);
    }
    std::cout << "[          ] " << kJoints << " joints, " << constructed << " constructed ("
              << mantles << " mantles), " << points << " points compared, N from "
              << *divisions.begin() << " to " << *divisions.rbegin() << "\n"
              << "[          ] largest distance fast - reference: " << fastVsReference << " mm\n"
              << "[          ] largest error against long double: fast " << fastVsLong
              << " mm, reference " << referenceVsLong << " mm\n"
              << "[          ] printed values differing at a rounding boundary: " << boundaries
              << '\n';
    RecordProperty("fast_vs_reference_mm", numberText(fastVsReference));
    RecordProperty("fast_vs_long_double_mm", numberText(fastVsLong));
    RecordProperty("reference_vs_long_double_mm", numberText(referenceVsLong));

    EXPECT_GE(constructed, kLeastConstructed);
    EXPECT_EQ(*divisions.begin(), 2);
    EXPECT_EQ(*divisions.rbegin(), 2000);
    EXPECT_LE(fastVsReference, kAgreement);
    EXPECT_GT(referenceVsLong, 0.0);
    EXPECT_LE(fastVsLong, 2 * referenceVsLong);
}

} // namespace
} // namespace blachorys::core
