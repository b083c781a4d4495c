#include "cases/pipe_pipe/pipepipecase.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/outputwindows.h"
#include "common/gui/twynikischemat.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace blachorys::gui {
namespace {

TEST(OutputWindows, EachWindowIsMadeOnceHiddenAndOwnedByTheParent) {
    QWidget parent;
    OutputWindows windows(&parent, [] { return QStringLiteral("w_s"); });

    TWynikiSchemat* scheme = windows.scheme();
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(windows.scheme(), scheme);
    EXPECT_EQ(scheme->parent(), &parent);
    EXPECT_FALSE(scheme->isVisible());
    EXPECT_TRUE(scheme->isWindow());
    // The dialog asks the given function which picture the active calculator shows.
    scheme->show();
    EXPECT_EQ(scheme->pictureName(), "w_s");
    scheme->hide();

    const core::WindowDefinition& pipePipeWindow = core::pipePipeCalculator().definition().window;
    DrawingPreview* pipePipe = windows.preview(pipePipeWindow);
    ASSERT_NE(pipePipe, nullptr);
    EXPECT_EQ(pipePipe->parent(), &parent);
    EXPECT_FALSE(pipePipe->isVisible());
    EXPECT_TRUE(pipePipe->isWindow());
    EXPECT_EQ(windows.preview(pipePipeWindow), pipePipe);
    EXPECT_EQ(pipePipe->objectName(), "TWynikiRysunek");
    EXPECT_EQ(pipePipe->windowTitle(), "Wyniki - Rysunek (Rura-Rura)");

    // Another calculator's window, made from its definition on first use.
    core::WindowDefinition definition;
    definition.previewName = "TWynikiRysunekSR";
    definition.previewCaption = "Wyniki - Rysunek (Stożek-Rura)";
    DrawingPreview* other = windows.preview(definition);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, pipePipe);
    EXPECT_EQ(other->objectName(), "TWynikiRysunekSR");
    EXPECT_EQ(other->windowTitle(), "Wyniki - Rysunek (Stożek-Rura)");
    EXPECT_EQ(windows.preview(definition), other);
}

} // namespace
} // namespace blachorys::gui
