#include "cases/pipe_pipe/pipepipecase.h"
#include "common/core/sheets/printlayout.h"
#include "common/gui/reportprinter.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace blachorys::gui {
namespace {

const QString kJobTitle = QStringLiteral("Wydruk : Rozwiniecie Rura-Rura");
const QString kHeading = QStringLiteral("Rozwiniecie Rura-Rura");

core::PointReport pipePipeReport(const std::string& divisions) {
    const auto result = core::pipePipeCalculator().calculate(
        {"300", "800", "200", "0", "700", divisions, "90", "1000", "350"}, 0, "08-12-2026");
    EXPECT_EQ(result.status, core::CalculationResult::Status::Calculated);
    return result.outputs ? result.outputs->report : core::PointReport{};
}

void setUpPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(path);
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption)
                           .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

/** Each page's non-blank text lines, spacing collapsed: the PDF's layout is not the test. */
std::vector<QStringList> pdfPages(const QString& pdf) {
    QStringList pages =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    std::vector<QStringList> result;
    for (const QString& page : pages) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty()) {
                lines << line.simplified();
            }
        }
        result.push_back(lines);
    }
    return result;
}

QString collapsed(const std::string& line) {
    return QString::fromStdString(line).simplified();
}

class ReportPrinter : public ::testing::Test {
protected:
    QString pdfPath(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(ReportPrinter, ShortReportFitsOnePageWithHeadingLinesAndFooter) {
    const core::PointReport report = pipePipeReport("24");
    ASSERT_EQ(report.bodyLines().size(), 37u);
    const QString pdf = pdfPath(QStringLiteral("short.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    ASSERT_TRUE(printReport(printer, kJobTitle, kHeading, report));

    EXPECT_EQ(pdfPageCount(pdf), 1);
    const auto title =
        QRegularExpression(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption)
            .match(run(QStringLiteral("pdfinfo"), {pdf}));
    EXPECT_EQ(title.captured(1), kJobTitle);
    // The fixed-pitch font, or its substitute, is what went into the file.
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("Monospac821")) ||
                fonts.contains(QStringLiteral("DejaVuSansMono")))
        << fonts.toStdString();

    const auto pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    QStringList expected{kHeading};
    for (const auto& line : report.bodyLines()) {
        expected << collapsed(line);
    }
    // The empty line and the "=" rule of the footer belong to the files only.
    expected << collapsed(report.dateLine) << collapsed(report.makerLine)
             << QStringLiteral("strona 1 z 1");
    EXPECT_EQ(pages[0], expected);
    EXPECT_TRUE(pages[0].contains(
        QStringLiteral("Obliczenia wykonano w dniu : 08-12-2026 programem - Blachorys")));
}

TEST_F(ReportPrinter, EveryWordLiesAQuarterInchOrMoreFromThePapersEdge) {
    const QString pdf = pdfPath(QStringLiteral("margins.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    ASSERT_TRUE(printReport(printer, kJobTitle, kHeading, pipePipeReport("24")));
    // pdftotext -bbox gives every word's box in points from the page's top-left corner.
    const QString boxes =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                 "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\""));
    constexpr double kQuarterInch = 18.0 - 0.01;
    int words = 0;
    for (auto match = word.globalMatch(boxes); match.hasNext(); ++words) {
        const auto box = match.next();
        EXPECT_GE(box.captured(1).toDouble(), kQuarterInch);
        EXPECT_GE(box.captured(2).toDouble(), kQuarterInch);
        EXPECT_LE(box.captured(3).toDouble(), 595.28 - kQuarterInch);
        EXPECT_LE(box.captured(4).toDouble(), 841.89 - kQuarterInch);
    }
    EXPECT_GT(words, 100);
}

TEST_F(ReportPrinter, LongReportRunsOnOverNumberedPagesWithFooterOnTheLast) {
    const core::PointReport report = pipePipeReport("2000");
    const std::vector<std::string> lines = report.bodyLines();
    ASSERT_EQ(lines.size(), 2013u);
    const QString pdf = pdfPath(QStringLiteral("long.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    // The page as the printout will use it: inside the printable area.
    keepInsidePrintableArea(printer);
    const core::PrintPlan plan =
        core::planPrint(lines.size(), printer.logicalDpiY(), printer.height());
    ASSERT_TRUE(printReport(printer, kJobTitle, kHeading, report));

    ASSERT_GT(plan.pageCount, 10);
    EXPECT_EQ(pdfPageCount(pdf), plan.pageCount);
    const auto pages = pdfPages(pdf);
    ASSERT_EQ(static_cast<int>(pages.size()), plan.pageCount);

    const QString date = collapsed(report.dateLine);
    const QString maker = collapsed(report.makerLine);
    std::vector<QStringList> planned(pages.size());
    for (const auto& line : plan.lines) {
        planned[static_cast<std::size_t>(line.page)] << collapsed(lines[line.index]);
    }
    QStringList everyBodyLine;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        QStringList body = pages[page];
        const bool first = page == 0;
        const bool last = page + 1 == pages.size();
        EXPECT_EQ(body.count(kHeading), first ? 1 : 0) << "page " << page;
        EXPECT_EQ(body.count(date), last ? 1 : 0) << "page " << page;
        EXPECT_EQ(body.count(maker), last ? 1 : 0) << "page " << page;
        // Every page is numbered at its foot, below everything else.
        ASSERT_FALSE(body.isEmpty());
        EXPECT_EQ(body.takeLast(),
                  QStringLiteral("strona %1 z %2").arg(page + 1).arg(pages.size()));
        if (first) {
            ASSERT_FALSE(body.isEmpty());
            EXPECT_EQ(body.takeFirst(), kHeading);
        }
        if (last) {
            ASSERT_GE(body.size(), 2);
            EXPECT_EQ(body.takeLast(), maker);
            EXPECT_EQ(body.takeLast(), date);
        }
        EXPECT_EQ(body, planned[page]) << "page " << page;
        everyBodyLine << body;
    }
    // Read page after page, the lines are the report's, each once and in order: every page
    // goes on with the line after the previous page's last.
    QStringList expected;
    for (const auto& line : lines) {
        expected << collapsed(line);
    }
    EXPECT_EQ(everyBodyLine, expected);
    EXPECT_FALSE(everyBodyLine.contains(collapsed(report.footerLines()[1])));
}

} // namespace
} // namespace blachorys::gui
