#include "cases/pipe_pipe/pipepipecase.h"
#include "common/gui/twynikischemat.h"

#include <QFile>
#include <QPointF>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace blachorys::gui {
namespace {

using Points = std::map<int, QPointF>; ///< point number → place, Y up

/** Each point's offset from the points' middle, over their spread. */
Points relative(const Points& points) {
    QPointF middle;
    for (const auto& [i, at] : points) {
        middle += at / static_cast<double>(points.size());
    }
    double spread = 1e-9;
    for (const auto& [i, at] : points) {
        spread = std::max(spread, std::hypot(at.x() - middle.x(), at.y() - middle.y()));
    }
    Points offsets;
    for (const auto& [i, at] : points) {
        offsets[i] = (at - middle) / spread;
    }
    return offsets;
}

TEST(SchemePictures, TheLargerPipesHoleIsNumberedWhereAndAsTheReportNumbersIt) {
    // Every label "Xo3,Yo3" stands on the side of the hole's middle where the report has point 3.
    QFile file(TWynikiSchemat::resourcePath(QStringLiteral("w_rr_p")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpression label(QStringLiteral("^Xo(\\d+),Yo\\1"));
    Points pictured;
    for (QXmlStreamReader svg(&file); !svg.atEnd();) {
        if (svg.readNextStartElement() && svg.name() == u"text") {
            const QPointF at(svg.attributes().value("x").toDouble(),
                             -svg.attributes().value("y").toDouble());
            if (const auto m = label.match(svg.readElementText()); m.hasMatch()) {
                pictured[m.captured(1).toInt()] = at;
            }
        }
    }
    ASSERT_EQ(pictured.size(), 25u);
    const auto result = core::pipePipeCalculator().calculate(
        {"168.3", "323.9", "0", "0", "300", "24", "90", "800", "400"}, 1, "d");
    ASSERT_TRUE(result.outputs);
    const QRegularExpression line(
        QStringLiteral("^\\s*(\\d+)\\s+Xo=\\s*([-\\d.]+)\\s+Yo=\\s*([-\\d.]+)"));
    Points reported;
    for (const auto& text : result.outputs->report.resultLines()) {
        if (const auto m = line.match(QString::fromStdString(text)); m.hasMatch()) {
            reported[m.captured(1).toInt()] = {m.captured(2).toDouble(), m.captured(3).toDouble()};
        }
    }
    ASSERT_EQ(reported.size(), pictured.size());
    const Points p = relative(pictured);
    const Points r = relative(reported);
    // Offsets within this share of the spread are on neither side.
    constexpr double kSide = 0.15;
    for (const auto& [i, offset] : r) {
        for (const auto& [x, pictureSide, reportSide] :
             {std::tuple{true, p.at(i).x(), offset.x()},
              std::tuple{false, p.at(i).y(), offset.y()}}) {
            if (std::fabs(pictureSide) > kSide && std::fabs(reportSide) > kSide) {
                EXPECT_EQ(pictureSide > 0, reportSide > 0)
                    << "point " << i << (x ? " along X" : " along Y");
            }
        }
    }
}

} // namespace
} // namespace blachorys::gui
