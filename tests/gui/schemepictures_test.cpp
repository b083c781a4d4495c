// Each scheme picture against the report of its own development: the labels it numbers name
// the report's points, and point 0 and the numbering's direction are where the report has
// them.
#include "cases/calculators.h"
#include "common/gui/twynikischemat.h"

#include <QFile>
#include <QPointF>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace blachorys::gui {
namespace {

/**
 * A picture label and the place of the point it names: the far end of the leader line drawn
 * from it, or the label itself. SVG's y runs down; it is turned up here, as the report's Y.
 */
struct Label {
    QString text;
    QPointF at;
};

/** Leader lines are the thinnest of the pictures and start this close to their label. */
constexpr double kLeaderWidth = 0.6;
constexpr double kLeaderReach = 6.0;

std::vector<Label> labelsOf(const QString& picture) {
    QFile file(TWynikiSchemat::resourcePath(picture));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << picture.toStdString();
    std::vector<Label> labels;
    std::vector<std::pair<QPointF, QPointF>> leaders;
    QXmlStreamReader svg(&file);
    while (!svg.atEnd()) {
        if (!svg.readNextStartElement()) {
            continue;
        }
        const auto a = svg.attributes();
        const auto number = [&a](const char* name) { return a.value(name).toDouble(); };
        if (svg.name() == QLatin1String("line") && number("stroke-width") <= kLeaderWidth) {
            leaders.push_back({{number("x1"), -number("y1")}, {number("x2"), -number("y2")}});
        } else if (svg.name() == QLatin1String("text")) {
            const QPointF anchor(number("x"), -number("y"));
            labels.push_back({svg.readElementText().trimmed(), anchor});
        }
    }
    for (Label& label : labels) {
        double nearest = kLeaderReach;
        const QPointF anchor = label.at;
        for (const auto& [from, to] : leaders) {
            for (const auto& [end, far] : {std::pair{from, to}, std::pair{to, from}}) {
                const QPointF gap = end - anchor;
                if (std::hypot(gap.x(), gap.y()) < nearest) {
                    nearest = std::hypot(gap.x(), gap.y());
                    label.at = far;
                }
            }
        }
    }
    return labels;
}

/** The point numbers "k-i" of the transition's quarters, and a..d, as one order. */
int orderOf(const QString& number) {
    if (number.size() == 1 && number[0] >= u'a' && number[0] <= u'd') {
        return number[0].unicode() - u'a';
    }
    const QStringList parts = number.split(u'-');
    return parts.size() == 2 ? (parts[0].trimmed().toInt() - 1) * 1000 + parts[1].trimmed().toInt()
                             : number.toInt();
}

/** Each point line's values by name ("Xo" → 500.0), by the point's order. */
std::map<int, std::map<QString, double>> reportPoints(const core::PointReport& report) {
    const QRegularExpression line(
        QStringLiteral("^\\s*(\\d+(?:-\\s*\\d+)?|[a-d])\\s*[,:]?\\s+([A-Za-z]+=.*)$"));
    const QRegularExpression value(QStringLiteral("([A-Za-z]+)=\\s*(-?[\\d.]+)"));
    std::map<int, std::map<QString, double>> points;
    for (const auto& text : report.resultLines) {
        const auto match = line.match(QString::fromStdString(text));
        if (!match.hasMatch()) {
            continue;
        }
        auto& values = points[orderOf(match.captured(1))];
        for (auto v = value.globalMatch(match.captured(2)); v.hasNext();) {
            const auto pair = v.next();
            values[pair.captured(1)] = pair.captured(2).toDouble();
        }
    }
    return points;
}

/**
 * The labels of one list of points: "Xo3,Yo3" and "1-3 Xk,Yk" name X and Y, "a" to "d" the
 * sheet's corners, "h3" and "hA3" a template's generator, which lies at the report's L.
 */
struct Series {
    QString xName;
    QString yName; ///< empty: only the order along X is pictured
    std::map<int, QPointF> picture;
};

std::map<QString, Series> seriesOf(const std::vector<Label>& labels) {
    const QRegularExpression named(QStringLiteral("^(X[a-z]*)(\\d+),(Y[a-z]*)\\2( =.*)?$"));
    const QRegularExpression quarter(QStringLiteral("^(\\d+-\\d+) (X[a-z]*),(Y[a-z]*)$"));
    const QRegularExpression corner(QStringLiteral("^X([a-d]),Y\\1( =.*)?$"));
    const QRegularExpression generator(QStringLiteral("^(h[A-Z]?)(\\d+)$"));
    std::map<QString, Series> series;
    const auto add = [&](const QString& x, const QString& y, int order, QPointF at) {
        Series& s = series[x + u',' + y];
        s.xName = x;
        s.yName = y;
        s.picture[order] = at;
    };
    for (const Label& label : labels) {
        if (const auto m = named.match(label.text); m.hasMatch()) {
            add(m.captured(1), m.captured(3), m.captured(2).toInt(), label.at);
        } else if (const auto m = quarter.match(label.text); m.hasMatch()) {
            add(m.captured(2), m.captured(3), orderOf(m.captured(1)), label.at);
        } else if (const auto m = corner.match(label.text); m.hasMatch()) {
            add(QStringLiteral("X"), QStringLiteral("Y"), orderOf(m.captured(1)), label.at);
        } else if (const auto m = generator.match(label.text); m.hasMatch()) {
            add(m.captured(1), QString(), m.captured(2).toInt(), label.at);
        }
    }
    return series;
}

/** The N the picture is drawn for: "N=24", or "N = 4x12 = 48" for 12 parts a quarter. */
std::string picturedDivisions(const std::vector<Label>& labels) {
    const QRegularExpression divisions(QStringLiteral("^N\\s*=\\s*(?:4x)?(\\d+)"));
    for (const Label& label : labels) {
        if (const auto m = divisions.match(label.text); m.hasMatch()) {
            return m.captured(1).toStdString();
        }
    }
    return {};
}

/** Labels stand a few pixels off their points: steps smaller than this say nothing. */
constexpr double kPicturedStep = 2.0;
/** A coordinate of a step that is less than this share of the step is taken as no change. */
constexpr double kSignificantShare = 0.1;

int sign(double value, double significance) {
    return std::fabs(value) <= significance ? 0 : (value > 0 ? 1 : -1);
}

struct Comparison {
    int made = 0;
    std::vector<std::string> disagreements;

    /** Both moves go the same way along each axis where both move clearly. */
    void sameWay(QPointF pictured, QPointF reported, double reportedScale, const std::string& what,
                 bool alongXOnly) {
        for (int axis = 0; axis < (alongXOnly ? 1 : 2); ++axis) {
            const double p = axis == 0 ? pictured.x() : pictured.y();
            const double r = axis == 0 ? reported.x() : reported.y();
            const int ps = sign(p, kPicturedStep);
            const int rs = sign(r, kSignificantShare * reportedScale);
            if (ps == 0 || rs == 0) {
                continue;
            }
            ++made;
            if (ps != rs) {
                disagreements.push_back(what + (axis == 0 ? " along X" : " along Y"));
            }
        }
    }
};

double lengthOf(QPointF p) {
    return std::hypot(p.x(), p.y());
}

TEST(SchemePictures, NumberThePointsWhereAndAsTheReportDoes) {
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& d = calculator->definition();
        const std::size_t developments = std::max<std::size_t>(1, d.developments.size());
        for (std::size_t development = 0; development < developments; ++development) {
            const QString picture = QString::fromStdString(
                d.developments.empty() ? d.window.schemePicture
                                       : d.developments[development].schemePicture);
            SCOPED_TRACE(picture.toStdString());
            const std::vector<Label> labels = labelsOf(picture);
            const std::string divisions = picturedDivisions(labels);
            ASSERT_FALSE(divisions.empty());
            const auto result = calculator->calculate(
                core::exampleFieldTexts(d, {"", "", {{"N", divisions}}}), development, "d");
            ASSERT_TRUE(result.outputs);
            const auto report = reportPoints(result.outputs->report);

            Comparison comparison;
            for (const auto& [key, series] : seriesOf(labels)) {
                const bool alongX = series.yName.isEmpty();
                std::map<int, QPointF> reported;
                for (const auto& [order, at] : series.picture) {
                    const auto point = report.find(order);
                    const QString yName = alongX ? QString() : series.yName;
                    const QString xName = alongX ? QStringLiteral("L") : series.xName;
                    ASSERT_TRUE(point != report.end() && point->second.count(xName) &&
                                (alongX || point->second.count(yName)))
                        << key.toStdString() << " " << order << ": not in the report";
                    reported[order] = {point->second.at(xName),
                                       alongX ? 0.0 : point->second.at(yName)};
                }
                // From each point to the next pictured one (2 apart at most: "..." between).
                for (auto a = series.picture.begin(); std::next(a) != series.picture.end(); ++a) {
                    const auto b = std::next(a);
                    if (b->first - a->first > 2) {
                        continue;
                    }
                    const QPointF step = reported[b->first] - reported[a->first];
                    comparison.sameWay(b->second - a->second, step, lengthOf(step),
                                       key.toStdString() + " " + std::to_string(a->first) + " to " +
                                           std::to_string(b->first),
                                       alongX);
                }
                // Where the first point stands among the pictured ones.
                if (series.picture.size() >= 3 && series.picture.begin()->first == 0) {
                    QPointF picturedCentre;
                    QPointF reportedCentre;
                    for (const auto& [order, at] : series.picture) {
                        picturedCentre += at / static_cast<double>(series.picture.size());
                        reportedCentre += reported[order] / static_cast<double>(reported.size());
                    }
                    double spread = 0.0;
                    for (const auto& [order, at] : reported) {
                        spread = std::max(spread, lengthOf(at - reportedCentre));
                    }
                    comparison.sameWay(series.picture.at(0) - picturedCentre,
                                       reported.at(0) - reportedCentre, spread,
                                       key.toStdString() + " point 0 from the middle", alongX);
                }
            }
            EXPECT_GT(comparison.made, 0) << "nothing of the picture could be compared";
            EXPECT_TRUE(comparison.disagreements.empty())
                << ::testing::PrintToString(comparison.disagreements);
        }
    }
}

} // namespace
} // namespace blachorys::gui
