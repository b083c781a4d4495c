#include "cases/pipe_pipe/pipepipecase.h"
#include "common/core/sheets/templatewording.h"
#include "common/gui/templatedialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace blachorys::gui {
namespace {

QString summaryOf(const core::Pattern& pattern, const core::TemplateSettings& settings) {
    const auto planning = core::planTemplate(pattern, {}, settings, 0.0);
    EXPECT_TRUE(planning.plan) << planning.problem;
    return planning.plan ? QString::fromStdString(core::sheetSummary(*planning.plan)) : QString();
}

TEST(TemplateDialog, ShowsTheSheetsThePatternTakesAsTheSettingsChange) {
    const auto result = core::pipePipeCalculator().calculate(
        {"300", "800", "200", "0", "700", "24", "90", "1000", "350"}, 1, "d");
    ASSERT_TRUE(result.outputs);
    const core::Pattern& pattern = result.outputs->pattern;
    TemplateDialog dialog({}, pattern);
    const auto* sheets = dialog.findChild<QLabel*>(QStringLiteral("SzablonArkusze"));
    ASSERT_NE(sheets, nullptr);
    const QString a4 = sheets->text();
    EXPECT_EQ(a4, summaryOf(pattern, {}));

    auto* paper = dialog.findChild<QComboBox*>(QStringLiteral("SzablonPapier"));
    paper->setCurrentIndex(paper->findText(QStringLiteral("A3")));
    EXPECT_EQ(sheets->text(), summaryOf(pattern, {.paper = core::PaperSize::A3}));
    EXPECT_NE(sheets->text(), a4);
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("SzablonZakladka"))->setValue(40.0);
    EXPECT_EQ(sheets->text(),
              summaryOf(pattern, {.paper = core::PaperSize::A3, .overlapMm = 40.0}));
}

} // namespace
} // namespace blachorys::gui
