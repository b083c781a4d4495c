#include "common/core/sheets/dxftemplatewriter.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

TEST(DxfTemplateWriter, LineEntityGroupByGroup) {
    const std::string expected =
        crlfLines({"  0", "LINE", "  8", "KONTURY", "  62", "     3", " 10", "0.00", " 20", "0.00",
                   " 30", "0.0", " 11", "942.48", " 21", "0.00", " 31", "0.0"});
    EXPECT_EQ(DxfTemplateWriter::lineText(kLayerOutlines, "3", 0, 0, std::numbers::pi * 300, 0),
              expected);
}

TEST(DxfTemplateWriter, CoordinatesHaveTwoDecimalsAndNoNegativeZero) {
    const std::string text =
        DxfTemplateWriter::lineText(kLayerGenerators, "2", -0.001, -353.589838, 12.345, 1e6);
    EXPECT_EQ(text, crlfLines({"  0", "LINE", "  8", "TWORZACE", "  62", "     2", " 10", "0.00",
                               " 20", "-353.59", " 30", "0.0", " 11", "12.35", " 21", "1000000.00",
                               " 31", "0.0"}));
}

TEST(DxfTemplateWriter, EmptyDocumentIsOnlyTheEntitiesSection) {
    EXPECT_EQ(DxfTemplateWriter::documentText({}),
              crlfLines({"  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0", "EOF"}));
}

TEST(DxfTemplateWriter, DocumentWritesEveryLineInOrder) {
    const std::vector<DxfLine> lines = {{kLayerOutlines, 6, 0, 0, 0, -10},
                                        {kLayerGenerators, 2, 1, 2, 3, 4}};
    EXPECT_EQ(DxfTemplateWriter::documentText(lines),
              DxfTemplateWriter::headerText() +
                  DxfTemplateWriter::lineText("KONTURY", "6", 0, 0, 0, -10) +
                  DxfTemplateWriter::lineText("TWORZACE", "2", 1, 2, 3, 4) +
                  DxfTemplateWriter::footerText());
}

} // namespace
} // namespace blachorys::core
