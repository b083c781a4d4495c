// What every calculator of the registry must satisfy, whichever case it is: a new case is
// covered by these tests as soon as it is in the registry.
#include "cases/calculators.h"
#include "common/core/base/numbertext.h"
#include "common/core/calculator/fieldreading.h"
#include "common/core/geometry/segmentgrid.h"
#include "common/core/pattern/markselection.h"
#include "common/core/pattern/pattern.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/labelplacement.h"
#include "common/core/sheets/templateplan.h"
#include "support/calculatorprinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

using Texts = std::vector<std::string>;

std::string nameOf(const Calculator* calculator) {
    return calculator->definition().key;
}

TEST(Registry, KeysNamesAndFilesAreUnique) {
    std::set<std::string> keys;
    std::set<std::string> forms;
    std::set<std::string> files;
    std::set<std::string> previews;
    std::set<int> startupOrders;
    for (const Calculator* calculator : calculators()) {
        const auto& d = calculator->definition();
        EXPECT_TRUE(keys.insert(d.key).second) << d.key;
        EXPECT_TRUE(forms.insert(nameKey(d)).second) << d.key;
        EXPECT_TRUE(files.insert(d.savedInputsFileName).second) << d.key;
        EXPECT_TRUE(previews.insert(d.window.previewName).second) << d.key;
        EXPECT_TRUE(startupOrders.insert(d.window.previewStartupOrder).second) << d.key;
        EXPECT_EQ(findCalculator(d.key), calculator);
    }
    EXPECT_EQ(findCalculator("rura"), nullptr);
    EXPECT_EQ(findCalculator(""), nullptr);
}

class EveryCalculator : public ::testing::TestWithParam<const Calculator*> {
protected:
    const CalculatorDefinition& definition() const { return GetParam()->definition(); }
};

TEST_P(EveryCalculator, FieldsTabOrderAndDevelopmentsAgree) {
    const auto& d = definition();
    Texts names;
    for (const auto& field : d.fields) {
        names.push_back(field.name);
        // The default survives the first pass and reads as the field's kind.
        EXPECT_TRUE(parseReal(field.defaultText)) << field.name;
        if (field.kind == FieldKind::Integer) {
            EXPECT_TRUE(parseInteger(field.defaultText)) << field.name;
        }
        if (field.note) {
            const std::size_t variants = field.note->linesPerDevelopment.size();
            EXPECT_TRUE(variants == 1 || variants == d.developments.size()) << field.name;
        }
    }
    Texts tabbed = d.tabOrder;
    std::sort(names.begin(), names.end());
    std::sort(tabbed.begin(), tabbed.end());
    EXPECT_EQ(tabbed, names) << "the tab order holds every field once";
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());

    std::set<std::string> developmentKeys;
    for (const auto& development : d.developments) {
        EXPECT_TRUE(developmentKeys.insert(development.key).second);
        EXPECT_FALSE(development.schemePicture.empty());
        EXPECT_FALSE(development.schemeButtonCaption.empty());
    }
    if (d.developments.empty()) {
        EXPECT_FALSE(d.window.schemePicture.empty());
        EXPECT_FALSE(d.window.schemeButtonCaption.empty());
    }
}

TEST_P(EveryCalculator, TheDefinitionHoldsWhatEveryPartOfTheProgramReads) {
    const auto& d = definition();
    const auto endsWith = [](const std::string& name, const char* extension) {
        return name.size() > std::strlen(extension) && name.ends_with(extension);
    };
    EXPECT_TRUE(endsWith(d.savedInputsFileName, ".dat") && endsWith(d.txtFileName, ".txt") &&
                endsWith(d.dxfFileName, ".dxf"));
    const auto& w = d.window;
    for (const std::string* text :
         {&d.key, &d.printJobTitle, &d.printHeading, &w.formName, &w.caption, &w.menuCaption,
          &w.menuHandler, &w.jointPicture, &w.previewName, &w.previewCaption}) {
        EXPECT_FALSE(text->empty());
    }
    EXPECT_GE(d.positionalSavedFields, 1u);
    EXPECT_LE(d.positionalSavedFields, d.fields.size());
    // Every widget a test or a user finds by name has a name of its own.
    std::set<std::string> objectNames;
    std::set<std::string> inputNames;
    for (const auto& field : d.fields) {
        EXPECT_TRUE(objectNames.insert("Edit_" + field.name).second) << field.name;
        EXPECT_TRUE(inputNames.insert(field.name).second) << field.name;
    }
    for (const auto& development : d.developments) {
        EXPECT_TRUE(objectNames.insert(development.objectName).second) << development.key;
    }
    for (const auto& selector : d.selectors) {
        // "--<name>" on the command line: no field's name, no option of the command line's own.
        EXPECT_TRUE(inputNames.insert(selector.name).second) << selector.name;
        for (const char* option : {"development", "date", "strict", "list", "txt", "dxf"}) {
            EXPECT_NE(selector.name, option);
        }
        EXPECT_GE(selector.choices.size(), 2u) << selector.name;
        std::set<std::string> keys;
        for (const auto& choice : selector.choices) {
            EXPECT_TRUE(keys.insert(choice.key).second) << choice.key;
            EXPECT_TRUE(objectNames.insert(choice.objectName).second) << choice.objectName;
        }
    }
    // The examples name only what there is.
    std::set<std::string> exampleNames;
    for (const auto& example : d.examples) {
        EXPECT_TRUE(exampleNames.insert(example.name).second) << example.name;
        EXPECT_TRUE(developmentIndex(d, example.development)) << example.name;
        for (const auto& [name, text] : example.fieldTexts) {
            const auto selector = selectorIndex(d, name);
            EXPECT_TRUE(fieldIndex(d, name) ||
                        (selector && choiceIndex(d.selectors[*selector], text)))
                << example.name << ": " << name << "=" << text;
        }
    }
}

TEST_P(EveryCalculator, TheLargestNCalculatesAndOneMoreIsRefused) {
    const auto& d = definition();
    ASSERT_GE(d.largestN, 2);
    const auto withN = [&](int n) {
        return GetParam()->calculate(exampleInputs(d, {"", "", {{"N", std::to_string(n)}}}), 0,
                                     "d");
    };
    EXPECT_EQ(withN(d.largestN).status, CalculationResult::Status::Calculated);
    const auto refused = withN(d.largestN + 1);
    EXPECT_EQ(refused.status, CalculationResult::Status::Refused);
    EXPECT_FALSE(refused.messages.empty());
}

TEST_P(EveryCalculator, DefaultsCalculateInEveryDevelopment) {
    const auto& d = definition();
    const std::size_t developments = std::max<std::size_t>(1, d.developments.size());
    for (std::size_t development = 0; development < developments; ++development) {
        const auto result = GetParam()->calculate(exampleInputs(d, {}), development, "d");
        EXPECT_EQ(result.status, CalculationResult::Status::Calculated) << development;
        EXPECT_TRUE(result.messages.empty());
        ASSERT_TRUE(result.outputs);
        EXPECT_FALSE(result.outputs->report.resultLines().empty());
        EXPECT_FALSE(result.outputs->pattern.lines.empty());
    }
}

TEST_P(EveryCalculator, AnEmptyIntegerFieldIsZeroAndTheChecksRefuseIt) {
    const auto& d = definition();
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        if (d.fields[i].kind != FieldKind::Integer) {
            continue;
        }
        CalculatorInputs inputs = exampleInputs(d, {});
        Texts& texts = inputs.fieldTexts;
        texts[i] = "";
        const auto result = GetParam()->calculate(inputs, 0, "d");
        EXPECT_EQ(result.status, CalculationResult::Status::Refused) << d.fields[i].name;
        EXPECT_FALSE(result.messages.empty());
        EXPECT_FALSE(result.outputs);
        texts[i] = "24.5";
        const auto fraction = GetParam()->calculate(inputs, 0, "d");
        ASSERT_EQ(fraction.messages.size(), 1u);
        EXPECT_EQ(fraction.messages[0].text, "Blad danych : '24.5' nie jest liczba calkowita");
    }
}

TEST_P(EveryCalculator, AFieldThatTakesNoMinusRefusesANegativeValue) {
    // The key filter stops a "-", but a pasted text, a saved file or the command line do not.
    const auto& d = definition();
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        const FieldDefinition& field = d.fields[i];
        if (field.filter == FieldFilter::SignedReal || field.filter == FieldFilter::Unfiltered) {
            continue;
        }
        SCOPED_TRACE(field.name);
        CalculatorInputs inputs = exampleInputs(d, {});
        Texts& texts = inputs.fieldTexts;
        texts[i] = "-1";
        const auto result = GetParam()->calculate(inputs, 0, "d");
        EXPECT_EQ(result.status, CalculationResult::Status::Refused);
        Texts messages;
        for (const auto& message : result.messages) {
            messages.push_back(message.text);
        }
        // Refused by the case's own check or by "<name> < 0", never both: no message is shown
        // twice.
        EXPECT_FALSE(messages.empty());
        EXPECT_EQ(std::set<std::string>(messages.begin(), messages.end()).size(), messages.size());
    }
}

TEST_P(EveryCalculator, AZeroOrEmptyFieldGivesAMessageOrPiecesThatEncloseSomeSheet) {
    // A size the piece cannot have as 0 must not pass silently into a sheet of no size.
    const auto& d = definition();
    for (std::size_t development = 0; development < std::max<std::size_t>(1, d.developments.size());
         ++development) {
        for (std::size_t i = 0; i < d.fields.size(); ++i) {
            for (const char* zero : {"0", ""}) {
                SCOPED_TRACE(d.fields[i].name + "='" + zero + "' development " +
                             std::to_string(development));
                CalculatorInputs inputs = exampleInputs(d, {});
                Texts& texts = inputs.fieldTexts;
                texts[i] = zero;
                const auto result = GetParam()->calculate(inputs, development, "d");
                if (result.status != CalculationResult::Status::Calculated) {
                    EXPECT_FALSE(result.messages.empty());
                    continue;
                }
                // Every piece to cut out encloses some sheet.
                for (const Contour& contour : result.outputs->pattern.contours) {
                    if (contour.kind != OutlineKind::Piece) {
                        continue;
                    }
                    double twiceArea = 0.0;
                    for (std::size_t k = 0; k < contour.points.size(); ++k) {
                        const PatternPoint a = contour.points[k];
                        const PatternPoint b = contour.points[(k + 1) % contour.points.size()];
                        twiceArea += a.x * b.y - b.x * a.y;
                    }
                    EXPECT_GT(std::fabs(twiceArea), 0.0);
                }
            }
        }
    }
}

TEST_P(EveryCalculator, ANumberTooLongForItsReportLineFailsInsteadOfBeingCut) {
    // A value far beyond any sheet, as a saved file or the command line can hold it, prints
    // with more digits than a report line holds: cut short, it would read as another number.
    const auto& d = definition();
    for (std::size_t development = 0; development < std::max<std::size_t>(1, d.developments.size());
         ++development) {
        for (std::size_t i = 0; i < d.fields.size(); ++i) {
            CalculatorInputs inputs = exampleInputs(d, {});
            Texts& texts = inputs.fieldTexts;
            texts[i] = "1e150";
            const auto result = GetParam()->calculate(inputs, development, "d");
            if (result.status != CalculationResult::Status::Calculated) {
                EXPECT_FALSE(result.messages.empty());
                continue;
            }
            const Texts lines = result.outputs->report.allLines();
            const auto cut = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
                return characterCount(l) >= kReportLineCapacity;
            });
            EXPECT_EQ(cut, lines.end()) << d.fields[i].name << "=1e150: " << *cut;
        }
    }
}

TEST_P(EveryCalculator, EveryExampleGivesAFinitePatternOfClosedOutlinesInStyle) {
    const auto& d = definition();
    ASSERT_FALSE(d.examples.empty());
    for (const ExampleInputs& example : d.examples) {
        SCOPED_TRACE(example.name);
        const auto development = developmentIndex(d, example.development);
        ASSERT_TRUE(development);
        const auto result = GetParam()->calculate(exampleInputs(d, example), *development, "d");
        ASSERT_EQ(result.status, CalculationResult::Status::Calculated)
            << (result.messages.empty() ? "" : result.messages[0].text);
        const Pattern& pattern = result.outputs->pattern;
        EXPECT_TRUE(hasFiniteGeometry(pattern));
        for (const PatternLine& line : pattern.lines) {
            EXPECT_NE(styleOf(result.outputs->look.styles, line.role), nullptr)
                << static_cast<int>(line.role);
        }
        // Each outline is the outline of one piece its case named, or a hole in one; every
        // line, mark and caption is on a piece.
        std::vector<int> owners(pattern.outlines.size(), 0);
        for (const PatternPiece& piece : pattern.pieces) {
            EXPECT_FALSE(piece.cut.name.empty());
            EXPECT_EQ(pattern.outlines.at(static_cast<std::size_t>(piece.outline)),
                      OutlineKind::Piece);
            ++owners.at(static_cast<std::size_t>(piece.outline));
            for (const int hole : piece.holes) {
                EXPECT_EQ(pattern.outlines.at(static_cast<std::size_t>(hole)), OutlineKind::Hole);
                ++owners.at(static_cast<std::size_t>(hole));
            }
        }
        EXPECT_EQ(owners, std::vector<int>(owners.size(), 1));
        const auto onAPiece = [&pattern](int piece) {
            return piece >= 0 && static_cast<std::size_t>(piece) < pattern.pieces.size();
        };
        EXPECT_TRUE(std::all_of(pattern.lines.begin(), pattern.lines.end(),
                                [&](const PatternLine& l) { return onAPiece(l.piece); }));
        EXPECT_TRUE(std::all_of(pattern.points.begin(), pattern.points.end(),
                                [&](const PointMark& m) { return onAPiece(m.piece); }));
        EXPECT_TRUE(std::all_of(pattern.captions.begin(), pattern.captions.end(),
                                [&](const PatternCaption& c) { return onAPiece(c.piece); }));
        // Every piece and every hole is one closed chain, and something is cut out.
        const std::vector<Contour> contours = pattern.contours;
        ASSERT_FALSE(contours.empty());
        for (std::size_t c = 0; c < contours.size(); ++c) {
            EXPECT_TRUE(contours[c].closed) << "outline " << c;
            // A hole of two divisions is a slit: there and back.
            EXPECT_GE(contours[c].points.size(), 2u) << "outline " << c;
        }
        EXPECT_EQ(contours.front().kind, OutlineKind::Piece);

        // The template numbers the reported points: each lies at an end of a line it draws.
        EXPECT_FALSE(pattern.points.empty());
        const std::vector<TemplateLine> drawn = templateLinesOf(pattern);
        for (const PointMark& mark : pattern.points) {
            const bool onALine =
                std::any_of(drawn.begin(), drawn.end(), [&](const TemplateLine& l) {
                    return std::hypot(l.x1 - mark.x, l.y1 - mark.y) < 1e-6 ||
                           std::hypot(l.x2 - mark.x, l.y2 - mark.y) < 1e-6;
                });
            EXPECT_TRUE(onALine) << mark.text << " at (" << mark.x << ", " << mark.y << ")";
        }
    }
}

/** For each marking line of the plan, how far the nearest other one's middle is, mm. */
std::vector<double> markingLineGaps(const TemplatePlan& plan) {
    std::vector<std::pair<double, double>> middles;
    for (const TemplateLine& line : plan.lines) {
        if (isMarkingLine(line.role)) {
            middles.push_back({(line.x1 + line.x2) / 2, (line.y1 + line.y2) / 2});
        }
    }
    std::vector<double> gaps;
    for (std::size_t i = 0; i < middles.size(); ++i) {
        double nearest = INFINITY;
        for (std::size_t j = 0; j < middles.size(); ++j) {
            if (j != i) {
                nearest = std::min(nearest, std::hypot(middles[i].first - middles[j].first,
                                                       middles[i].second - middles[j].second));
            }
        }
        gaps.push_back(nearest);
    }
    return gaps;
}

TEST_P(EveryCalculator, TheTemplateThinsItsMarkingLinesToWhatAWorkerCanFollow) {
    // At N = 24 every line is drawn; at the largest N the generators would hatch the sheet, so
    // most stand a few millimetres apart (a fan's lines half that at their middles).
    const auto& d = definition();
    const std::string most = std::to_string(d.largestN);
    for (std::size_t development = 0; development < std::max<std::size_t>(1, d.developments.size());
         ++development) {
        for (const std::string& divisions : {std::string("24"), most}) {
            const auto result = GetParam()->calculate(
                exampleInputs(d, {"", "", {{"N", divisions}}}), development, "d");
            ASSERT_TRUE(result.outputs);
            const auto plan =
                planTemplate(result.outputs->pattern, result.outputs->look.styles, {}, 0.0).plan;
            ASSERT_TRUE(plan);
            std::vector<double> gaps = markingLineGaps(*plan);
            if (divisions != most) {
                EXPECT_EQ(plan->lines.size(), templateLinesOf(result.outputs->pattern).size());
            } else if (!gaps.empty()) {
                std::sort(gaps.begin(), gaps.end());
                EXPECT_GE(gaps[gaps.size() / 2], kMarkingSpacingMm / 2) << development;
            }
        }
    }
}

TEST_P(EveryCalculator, AChoiceTheWindowDisablesChangesNoPointAndNoLine) {
    // With the fields a selector depends on at 0, every one of its choices gives the same
    // points and lines: disabling it hides nothing.
    const auto& d = definition();
    for (std::size_t k = 0; k < d.selectors.size(); ++k) {
        const SelectorDefinition& selector = d.selectors[k];
        for (const std::string& name : selector.activeWhenNonZero) {
            EXPECT_TRUE(fieldIndex(d, name)) << selector.name << " depends on no field " << name;
        }
        if (selector.activeWhenNonZero.empty()) {
            continue;
        }
        for (const ExampleInputs& example : d.examples) {
            SCOPED_TRACE(selector.name + ", " + example.name);
            CalculatorInputs inputs = exampleInputs(d, example);
            for (const std::string& name : selector.activeWhenNonZero) {
                inputs.fieldTexts[*fieldIndex(d, name)] = "0";
            }
            ASSERT_FALSE(activeSelectors(d, readFields(d, inputs))[k]);
            const std::size_t development = *developmentIndex(d, example.development);
            std::vector<CalculationResult> results;
            for (std::size_t choice = 0; choice < selector.choices.size(); ++choice) {
                inputs.choices[k] = choice;
                results.push_back(GetParam()->calculate(inputs, development, "d"));
            }
            for (const CalculationResult& other : results) {
                ASSERT_EQ(other.status, results.front().status);
                if (!other.outputs) {
                    continue;
                }
                EXPECT_EQ(other.outputs->report.resultLines(),
                          results.front().outputs->report.resultLines());
                const auto& lines = other.outputs->pattern.lines;
                const auto& first = results.front().outputs->pattern.lines;
                ASSERT_EQ(lines.size(), first.size());
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    EXPECT_EQ(lines[i].from, first[i].from) << i;
                    EXPECT_EQ(lines[i].to, first[i].to) << i;
                }
            }
        }
    }
}

/** What every example of the calculator gives, with its name. */
std::vector<std::pair<std::string, CalculationOutputs>>
exampleOutputs(const Calculator& calculator) {
    std::vector<std::pair<std::string, CalculationOutputs>> all;
    const auto& d = calculator.definition();
    for (const ExampleInputs& example : d.examples) {
        auto result = calculator.calculate(exampleInputs(d, example),
                                           *developmentIndex(d, example.development), "8-12-2026");
        EXPECT_TRUE(result.outputs) << example.name;
        if (result.outputs) {
            all.emplace_back(example.name, std::move(*result.outputs));
        }
    }
    return all;
}

/**
 * The numbers that may stand over a line: point 0 and the quarter points, and only where
 * marking lines stand closer than a number is wide (the largest N).
 */
std::set<std::string> mayTouchALine(const std::string& example, const Pattern& pattern) {
    std::set<std::string> fixed;
    const MarkSelection selection = selectMarks(pattern.points, 1.0);
    for (std::size_t m = 0; m < pattern.points.size(); ++m) {
        if (selection.labelRank[m] == 0) {
            fixed.insert(pattern.points[m].text);
        }
    }
    return example.find("most_divisions") != std::string::npos ? fixed : std::set<std::string>{};
}

TEST_P(EveryCalculator, NoNumberOrCaptionOfTheTemplateTouchesALineOfItsPage) {
    for (const auto& [name, outputs] : exampleOutputs(*GetParam())) {
        SCOPED_TRACE(name);
        const auto planning = planTemplate(outputs.pattern, outputs.look.styles, {}, 0.0);
        ASSERT_TRUE(planning.plan) << planning.problem;
        const std::set<std::string> exempt = mayTouchALine(name, outputs.pattern);
        std::size_t labels = 0;
        std::set<std::string> captions;
        for (const TemplatePage& page : planning.plan->pages) {
            for (const PageLabel& label : page.labels) {
                ++labels;
                if (!label.dot) {
                    captions.insert(label.text);
                }
                for (const PageStroke& s : page.strokes) {
                    if (exempt.count(label.text) > 0) {
                        break;
                    }
                    ASSERT_FALSE(segmentMeetsBox({s.x1, s.y1, s.x2, s.y2}, label.box))
                        << "'" << label.text << "' on " << page.name << " at " << label.textX
                        << ", " << label.textY;
                }
            }
        }
        EXPECT_GT(labels, 0u);
        EXPECT_EQ(captions.size(), outputs.pattern.captions.size());
        // Point 0 and the quarter points of every run are numbered, crowded as they may be.
        std::set<std::string> numbered;
        for (const TemplatePage& page : planning.plan->pages) {
            for (const PageLabel& label : page.labels) {
                numbered.insert(label.text);
            }
        }
        const MarkSelection selection = selectMarks(outputs.pattern.points, 1.0);
        for (std::size_t m = 0; m < outputs.pattern.points.size(); ++m) {
            if (selection.labelRank[m] == 0) {
                EXPECT_TRUE(numbered.count(outputs.pattern.points[m].text))
                    << outputs.pattern.points[m].text;
            }
        }
    }
}

/** A text's room in the drawing, Y up, as the file's reader may draw it at the most. */
RectMm roomOf(const CncText& text) {
    const TextExtent extent = textExtentAtMost(text.text, text.height);
    return {text.at.x, text.at.y - extent.descent, extent.width, extent.ascent + extent.descent};
}

std::string withoutSpacesAndSemicolons(const std::string& text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != ';') {
            kept += c;
        }
    }
    return kept;
}

TEST_P(EveryCalculator, TheCncDrawingsTextsStandClearOfItsLinesAndItsTitleUnderThePattern) {
    const auto& d = definition();
    for (const auto& [name, outputs] : exampleOutputs(*GetParam())) {
        SCOPED_TRACE(name);
        const std::string title = cncTitleLine(d.printHeading, outputs.report);
        const CncDrawingResult result = cncDrawingOf(outputs.pattern, title);
        ASSERT_TRUE(result.drawing) << result.problem;
        const CncDrawing& drawing = *result.drawing;
        std::vector<Segment> lines;
        double left = INFINITY, right = -INFINITY, bottom = INFINITY;
        for (const CncCut& cut : drawing.cuts) {
            for (std::size_t k = 0; k < cut.points.size(); ++k) {
                const PatternPoint& a = cut.points[k];
                const PatternPoint& b = cut.points[(k + 1) % cut.points.size()];
                lines.push_back({a.x, a.y, b.x, b.y});
            }
        }
        // A caption stands inside its piece, over its marking lines where no room is left
        // between them; every other text clear of them too.
        const std::size_t cutLines = lines.size();
        std::set<std::string> captions;
        for (const PatternCaption& caption : outputs.pattern.captions) {
            captions.insert(caption.text);
        }
        for (const CncMarking& m : drawing.markings) {
            lines.push_back({m.from.x, m.from.y, m.to.x, m.to.y});
        }
        for (const Segment& s : lines) {
            left = std::min({left, s.x1, s.x2});
            right = std::max({right, s.x1, s.x2});
            bottom = std::min({bottom, s.y1, s.y2});
        }
        const std::set<std::string> exempt = mayTouchALine(name, outputs.pattern);
        std::string titleKept;
        const std::size_t firstTitleLine = drawing.texts.size() - drawing.titleLineCount;
        for (std::size_t t = 0; t < drawing.texts.size(); ++t) {
            const CncText& text = drawing.texts[t];
            const RectMm room = roomOf(text);
            const std::size_t checked =
                t < firstTitleLine && captions.count(text.text) > 0 ? cutLines : lines.size();
            for (std::size_t k = 0; k < checked; ++k) {
                if (exempt.count(text.text) > 0) {
                    break;
                }
                ASSERT_FALSE(segmentMeetsBox(lines[k], room)) << "'" << text.text << "'";
            }
            if (t >= firstTitleLine) {
                // A line of the title: under the pattern, no wider than it, 2.5 to 5 mm high.
                EXPECT_LT(room.bottom(), bottom) << text.text;
                EXPECT_LE(room.width, right - left + 1e-9) << text.text;
                EXPECT_GE(text.height, kCncSmallestTitleHeightMm);
                EXPECT_LE(text.height, kCncLargestTitleHeightMm);
                titleKept += text.text;
            }
        }
        EXPECT_GE(drawing.titleLineCount, 1u);
        EXPECT_EQ(withoutSpacesAndSemicolons(titleKept), withoutSpacesAndSemicolons(title));
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryCalculator, ::testing::ValuesIn(calculators()),
                         [](const auto& info) { return nameOf(info.param); });

} // namespace
} // namespace blachorys::core
