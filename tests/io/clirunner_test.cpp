#include "cli/clirunner.h"
#include "common/core/calculator/plateoutputs.h"

#include "cases/calculators.h"
#include "common/core/plate/materiallist.h"
#include "common/io/outputfiles.h"
#include "common/io/windows1250.h"
#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include "support/filesizelimit.h"

#include <unistd.h>
#endif

namespace blachorys::cli {
namespace {

using Arguments = std::vector<std::string>;

struct CliRun {
    int exit = -1;
    std::string out;
    std::string err;
};

CliRun run(const Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun result;
    result.exit = runCli(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

/**
 * The result lines of a golden report (between the header lines and the 4 footer lines),
 * "\n" each. Pipe-pipe reports have 8 header lines.
 */
std::string goldenResults(const std::string& name, qsizetype headerLines = 8,
                          const std::string& folder = "rurarura/") {
    const QString text =
        io::fromWindows1250(QByteArray::fromStdString(test::readGolden(folder + name)));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    std::string results;
    for (qsizetype i = headerLines; i < lines.size() - 4; ++i) {
        results += lines[i].toStdString() + "\n";
    }
    return results;
}

TEST(CliRunner, PrintsTheResultLinesOfTheDefaults) {
    const CliRun smaller = run({"rurarura", "--date", "08-12-2026"});
    EXPECT_EQ(smaller.exit, kExitCalculated);
    EXPECT_EQ(smaller.out, goldenResults("mniejsza.txt"));
    EXPECT_EQ(smaller.err, "");
    const CliRun larger = run({"rurarura", "--development", "wieksza"});
    EXPECT_EQ(larger.exit, kExitCalculated);
    EXPECT_EQ(larger.out, goldenResults("wieksza.txt"));
    // Fields set on the command line replace the defaults.
    const CliRun two = run({"rurarura", "N=2", "Dm=100"});
    EXPECT_EQ(two.exit, kExitCalculated);
    EXPECT_NE(two.out.find("\n  2   L=   314.2     h="), std::string::npos) << two.out;
}

TEST(CliRunner, RefusedInputsListTheMessagesInOrder) {
    const CliRun refused = run({"rurarura", "N=1", "Dm=900"});
    EXPECT_EQ(refused.exit, kExitRefused);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "Blad danych : Dm > Dd\nBlad danych : N < 2\n"
                           "Blad danych : Dm/2 + P > Dd/2\nDane NIE OK\n");
    const CliRun fraction = run({"rurarura", "N=24.5"});
    EXPECT_EQ(fraction.exit, kExitRefused);
    EXPECT_EQ(fraction.err, "Blad danych : '24.5' nie jest liczba calkowita\n");
}

/** The cone's report has 7 header lines. */
std::string coneGoldenResults() {
    return goldenResults("defaults.txt", 7, "stozek/");
}

TEST(CliRunner, ConePrintsItsResultsAndRefusesAsTheWindowDoes) {
    const CliRun defaults = run({"stozek"});
    EXPECT_EQ(defaults.exit, kExitCalculated);
    EXPECT_EQ(defaults.out, coneGoldenResults());
    EXPECT_EQ(defaults.err, "");
    // No closing "Dane NIE OK" after the cone's messages.
    const CliRun refused = run({"stozek", "N=1", "Dsm=800"});
    EXPECT_EQ(refused.exit, kExitRefused);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "Blad danych : N < 2\nBlad danych : Dsm = Dsd \n");
    for (const char* zero : {"Hs=0", "Dsd=0"}) {
        const CliRun failed = run({"stozek", zero});
        EXPECT_EQ(failed.exit, kExitFailed) << zero;
        EXPECT_EQ(failed.out, "") << zero;
        EXPECT_EQ(failed.err,
                  "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.\n");
    }
    const CliRun developed = run({"stozek", "--development", "mniejsza"});
    EXPECT_EQ(developed.exit, kExitUsage);
    EXPECT_EQ(developed.err.rfind("blachorys-cli: stozek has no development 'mniejsza'\n", 0), 0u)
        << developed.err;
}

TEST(CliRunner, ANegativeValueInAFieldThatTakesNoMinusIsRefused) {
    const CliRun refused = run({"rurarura", "Dm=-300"});
    EXPECT_EQ(refused.exit, kExitRefused);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "Blad danych : Dm < 0\nDane NIE OK\n");
    EXPECT_EQ(run({"rurarura", "--development", "wieksza", "Ld=-1000"}).exit, kExitRefused);
    for (const char* negative : {"Dsd=-800", "Dsm=-600", "Hs=-1000"}) {
        EXPECT_EQ(run({"stozek", negative}).exit, kExitRefused) << negative;
    }
}

TEST(CliRunner, TheListNamesEveryCalculatorInMenuOrderWithWhatItTakes) {
    // What scripts and tests learn the calculators from: keys, developments, selectors with
    // their choices, fields with their defaults in creation order, the largest N.
    const CliRun list = run({"--list"});
    EXPECT_EQ(list.exit, kExitCalculated);
    EXPECT_EQ(list.err, "");
    EXPECT_EQ(list.out, test::readGolden("list.txt"));
    EXPECT_EQ(run({"--list", "stozek"}).exit, kExitUsage);
}

TEST(CliRunner, ATextThatIsNotANumberIsZeroWithAWarning) {
    const CliRun typo = run({"rurarura", "alfa=9O", "P=0"});
    EXPECT_EQ(typo.exit, kExitCalculated);
    EXPECT_EQ(typo.err, "Uwaga: alfa='9O' nie jest liczba - przyjeto 0\n");
    // The window's rule: alfa counts as 0.
    EXPECT_EQ(typo.out, run({"rurarura", "alfa=0", "P=0"}).out);
    // A warning for each such text, and none for numbers.
    const CliRun two = run({"stozek", "E=1.2.3", "alfa=", "Hs=1e3"});
    EXPECT_EQ(two.err, "Uwaga: alfa='' nie jest liczba - przyjeto 0\n"
                       "Uwaga: E='1.2.3' nie jest liczba - przyjeto 0\n");
    // A comma is the decimal point, as the window's field takes it typed.
    const CliRun comma = run({"stozek", "Dsm=168,3"});
    EXPECT_EQ(comma.err, "");
    EXPECT_EQ(comma.out, run({"stozek", "Dsm=168.3"}).out);
}

TEST(CliRunner, TheWallsAndTheJointAreChosenAsInTheWindow) {
    const core::CalculatorInputs window{
        {"300", "800", "200", "0", "700", "24", "90", "1000", "350", "10", "8"}, {1, 1, 0}};
    const core::CalculationResult expected = core::withMaterialList(
        core::findCalculator("rurarura")->calculate(window, 0, "08-12-2026"), {});
    ASSERT_TRUE(expected.outputs);
    const CliRun chosen =
        run({"rurarura", "tm=10", "td=8", "--joint", "set-in", "--branch-made", "pipe",
             "--shell-made", "rolled", "--date", "08-12-2026", "--txt", "-"});
    EXPECT_EQ(chosen.exit, kExitCalculated);
    EXPECT_EQ(chosen.out, io::reportFileBytes(expected.outputs->report).toStdString());
    EXPECT_NE(chosen.out.find("Krociec wpuszczany w plaszcz"), std::string::npos);
}

// --seam places the development's own seam field, --alternate-seams chooses the elbow's
// alternating seams: the same report as the field and the choice typed.
TEST(CliRunner, TheSeamOptionsAreTheSeamFieldsAndChoice) {
    const auto report = [](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--date", "08-12-2026", "--txt", "-"});
        const CliRun txt = run(arguments);
        EXPECT_EQ(txt.exit, kExitCalculated) << txt.err;
        return txt.out;
    };
    const std::string elbow = report({"kolanosegm", "--seam", "97.5", "--alternate-seams"});
    EXPECT_EQ(elbow, report({"kolanosegm", "szew=97.5", "--seams", "alternate"}));
    EXPECT_NE(elbow.find("szew = 97.5 [\xb0] , szwy na przemian"), std::string::npos);
    EXPECT_EQ(report({"rurarura", "--seam", "30"}), report({"rurarura", "alfa=30"}));
}

TEST(CliRunner, AFileNamedMinusGoesToStandardOutputInsteadOfTheResults) {
    const CliRun txt = run({"stozek", "--date", "08-12-2026", "--txt", "-"});
    EXPECT_EQ(txt.exit, kExitCalculated);
    EXPECT_EQ(txt.out, test::readGolden("stozek/defaults.txt"));
    const CliRun dxf = run({"rurarura", "--dxf", "-"});
    EXPECT_EQ(dxf.exit, kExitCalculated);
    EXPECT_EQ(dxf.out, test::readGolden("rurarura/mniejsza.dxf"));
}

/** A stream whose every write fails, as standard output does on a full disk. */
class FullDisk final : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliRunner, APlateThicknessEndsTheResultsWithTheMaterialOfTheChosenPlate) {
    const CliRun plain = run({"kolanosegm", "--material", "aluminium"});
    EXPECT_EQ(plain.out.find("ZESTAWIENIE MATERIALU"), std::string::npos);
    const CliRun thick =
        run({"kolanosegm", "t=2", "Ns=7", "--material", "aluminium", "--plate", "2500x1250"});
    EXPECT_EQ(thick.exit, kExitCalculated) << thick.err;
    EXPECT_NE(thick.out.find("ZESTAWIENIE MATERIALU : aluminium 2.70 kg/dm3 , arkusz 1250 x 2500"),
              std::string::npos)
        << thick.out;
    EXPECT_NE(thick.out.find("\nB                    5    2.00"), std::string::npos) << thick.out;
}

TEST(CliRunner, ResultsThatCannotBeWrittenToStandardOutputAreAnError) {
    FullDisk disk;
    std::ostream out(&disk);
    std::ostringstream err;
    EXPECT_EQ(runCli({"rurarura"}, out, err), kExitOutputError);
    EXPECT_EQ(err.str(), "blachorys-cli: cannot write to standard output\n");
}

TEST(CliRunner, ATinyShellIsRefusedForItsSizeWhicheverWayItIsWrong) {
    const CliRun tiny =
        run({"rurarura", "--development", "wieksza", "Dm=1e-200", "Dd=1e-200", "P=0"});
    EXPECT_EQ(tiny.exit, kExitFailed);
    EXPECT_EQ(tiny.err, "Blad obliczen. Prawdopodobnie dane sa zbyt duze lub zbyt male.\n");
}

TEST(CliRunner, OverflowIsAFailedCalculation) {
    const CliRun failed =
        run({"rurarura", "--development", "wieksza", "Dm=1e308", "Dd=1e308", "P=0"});
    EXPECT_EQ(failed.exit, kExitFailed);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err.rfind("Blad obliczen. Prawdopodobnie ", 0), 0u) << failed.err;
}

struct UsageCase {
    const char* what;
    Arguments arguments;
    const char* complaint;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, NamesTheFaultAndShowsTheUsage) {
    const CliRun usage = run(GetParam().arguments);
    EXPECT_EQ(usage.exit, kExitUsage);
    EXPECT_EQ(usage.out, "");
    EXPECT_EQ(usage.err.rfind(std::string("blachorys-cli: ") + GetParam().complaint, 0), 0u)
        << usage.err;
    EXPECT_NE(usage.err.find("\nusage: blachorys-cli CALCULATOR"), std::string::npos) << usage.err;
    // The calculators with their developments: every registered one is named.
    const auto listed = usage.err.find("\ncalculators: rurarura (--development mniejsza wieksza) ");
    ASSERT_NE(listed, std::string::npos) << usage.err;
    const std::string line =
        usage.err.substr(listed + 1, usage.err.find('\n', listed + 1) - listed - 1) + " ";
    for (const core::Calculator* calculator : core::calculators()) {
        EXPECT_NE(line.find(" " + calculator->definition().key + " "), std::string::npos)
            << calculator->definition().key << " in " << line;
    }
    // The usage names --strict, standard output and exit 74.
    EXPECT_NE(usage.err.find("--strict"), std::string::npos);
    EXPECT_NE(usage.err.find("FILE \"-\" is standard output"), std::string::npos);
    EXPECT_NE(usage.err.find("74 standard output could not be written"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliUsage,
    ::testing::Values(
        UsageCase{"no_calculator", {}, "no calculator named"},
        UsageCase{"unknown_calculator", {"rurakolano"}, "unknown calculator 'rurakolano'"},
        UsageCase{"unknown_field", {"rurarura", "X=1"}, "rurarura has no field 'X'"},
        UsageCase{"field_case_matters", {"rurarura", "beta=45"}, "rurarura has no field 'beta'"},
        UsageCase{"unknown_development",
                  {"rurarura", "--development", "srednia"},
                  "rurarura has no development 'srednia'"},
        UsageCase{"missing_txt_value", {"rurarura", "--txt"}, "--txt needs a value"},
        UsageCase{"missing_development_value",
                  {"rurarura", "--development"},
                  "--development needs a value"},
        UsageCase{"unknown_option", {"rurarura", "--verbose"}, "unexpected argument '--verbose'"},
        UsageCase{"seam_that_stays",
                  {"rurastozek", "--development", "stozek", "--seam", "90"},
                  "--seam: this development's seam stays where the construction puts it"},
        UsageCase{"seams_that_cannot_alternate",
                  {"stozek", "--alternate-seams"},
                  "--alternate-seams: stozek has no seams to alternate"},
        UsageCase{"bare_word", {"rurarura", "Dm"}, "unexpected argument 'Dm'"},
        UsageCase{"other_calculators_field", {"stozek", "Dm=300"}, "stozek has no field 'Dm'"},
        UsageCase{"same_file",
                  {"rurarura", "--txt", "wynik", "--dxf", "wynik"},
                  "--txt and --dxf name the same file 'wynik'"},
        UsageCase{"same_file_by_another_path",
                  {"rurarura", "--txt", "a/../wynik", "--dxf", "./wynik"},
                  "--txt and --dxf name the same file"},
        UsageCase{"both_to_standard_output",
                  {"rurarura", "--txt", "-", "--dxf", "-"},
                  "--txt and --dxf name the same file '-'"},
        UsageCase{"file_name_not_utf8",
                  {"rurarura", "--txt",
                   "raport_\xb3\xf3"
                   "d\xbc.txt"},
                  "the file name 'raport_"},
        UsageCase{"unknown_paper",
                  {"rurarura", "--template-pdf", "t.pdf", "--paper", "B5"},
                  "--paper does not take 'B5'"},
        UsageCase{"unknown_orientation",
                  {"rurarura", "--template-pdf", "t.pdf", "--orientation", "skos"},
                  "--orientation does not take 'skos'"},
        UsageCase{"overlap_too_wide",
                  {"rurarura", "--template-pdf", "t.pdf", "--overlap", "60"},
                  "zakladka musi lezec miedzy 0 a 50 mm"},
        UsageCase{"scale_out_of_range",
                  {"rurarura", "--template-pdf", "t.pdf", "--scale-y", "150"},
                  "korekta skali musi lezec miedzy 80 a 120 %"},
        UsageCase{"template_option_alone",
                  {"rurarura", "--paper", "A3"},
                  "the template's options need --template-pdf"},
        UsageCase{"template_over_the_report",
                  {"rurarura", "--txt", "wynik", "--template-pdf", "wynik"},
                  "--txt and --template-pdf name the same file 'wynik'"},
        UsageCase{"cnc_over_the_drawing",
                  {"rurarura", "--dxf", "wynik.dxf", "--cnc-dxf", "./wynik.dxf"},
                  "--dxf and --cnc-dxf name the same file"},
        UsageCase{"unknown_dxf_version",
                  {"rurarura", "--cnc-dxf", "c.dxf", "--dxf-version", "R14"},
                  "--dxf-version does not take 'R14'"},
        UsageCase{"dxf_version_alone",
                  {"rurarura", "--dxf-version", "R12"},
                  "--dxf-version needs --cnc-dxf"},
        UsageCase{
            "view_option_alone", {"stozek", "--view", "top"}, "--view and --size need --view-png"},
        UsageCase{"unknown_view",
                  {"stozek", "--view-png", "v.png", "--view", "back"},
                  "--view does not take 'back'"},
        UsageCase{"image_too_large",
                  {"stozek", "--view-png", "v.png", "--size", "9000x800"},
                  "--size does not take '9000x800'"},
        UsageCase{"view_over_the_report",
                  {"stozek", "--txt", "v", "--view-png", "v"},
                  "--txt and --view-png name the same file 'v'"},
        UsageCase{
            "unknown_joint", {"rurarura", "--joint", "welded"}, "--joint does not take 'welded'"},
        UsageCase{"strict_typo", {"rurarura", "Dm=30O", "--strict"}, "Dm='30O' is not a number"},
        UsageCase{"strict_empty", {"stozek", "--strict", "N="}, "N='' is not a number"},
        UsageCase{
            "plate_of_one_side", {"stozek", "--plate", "1500"}, "Blad danych : arkusz '1500'"},
        UsageCase{
            "unknown_material", {"stozek", "--material", "wood"}, "Blad danych : material 'wood'"}),
    [](const auto& info) { return std::string(info.param.what); });

class CliFiles : public ::testing::Test {
protected:
    std::string path(const char* name) const {
        return QDir(m_directory.path()).filePath(name).toStdString();
    }
    QTemporaryDir m_directory;
};

#ifndef _WIN32
// Hard links by link(2); the Windows names of one file are in cliplatform_test.cpp.
TEST_F(CliFiles, TheNestingDxfHoldsABlockOfCutsPerPlateAndInsertsEachOnce) {
    // Seven 936 mm strips on plates 1000 x 2000 with a 100 mm gap: two to a plate along it.
    const std::string dxf = path("rozkroj.dxf");
    const CliRun run7 = run({"kolanosegm", "Ns=7", "t=2", "--plate", "1000x2000", "--gap", "100",
                             "--nesting-dxf", dxf});
    ASSERT_EQ(run7.exit, kExitCalculated) << run7.err;
    const std::string bytes = test::readFileBytes(dxf);
    const auto count = [&bytes](const std::string& what) {
        std::size_t n = 0;
        for (auto at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    const auto plates = run7.out.substr(run7.out.find("Arkusze 1000 x 2000 : ") + 22);
    const std::size_t stated = std::stoul(plates);
    EXPECT_GE(stated, 2U);
    EXPECT_EQ(count("\nINSERT\n"), stated);
    EXPECT_EQ(count("\nARKUSZ_" + std::to_string(stated) + "\n"), 4U)
        << "its block record, its block (named twice) and its insert";
    EXPECT_EQ(count("\nARKUSZ_" + std::to_string(stated + 1) + "\n"), 0U);
    EXPECT_EQ(count("\nLWPOLYLINE\n"), 7U) << "2 A and 5 B, each cut once";
    EXPECT_EQ(run({"kolanosegm", "--dxf-version", "R12", "--nesting-dxf", dxf}).exit,
              kExitCalculated);
}

TEST_F(CliFiles, TwoNamesOfOneFileAreAUsageErrorAndNothingIsWritten) {
    ASSERT_TRUE(QFile(QString::fromStdString(path("a.txt"))).open(QIODevice::WriteOnly));
    ASSERT_EQ(::link(path("a.txt").c_str(), path("b.dxf").c_str()), 0);
    const CliRun linked = run({"rurarura", "--txt", path("a.txt"), "--dxf", path("b.dxf")});
    EXPECT_EQ(linked.exit, kExitUsage);
    EXPECT_EQ(test::readFileBytes(path("a.txt")), "");
}

#endif

TEST_F(CliFiles, MissingDirectoryIsACannotWrite) {
    const std::string txt = path("missing/r.txt");
    const CliRun failed = run({"rurarura", "--txt", txt, "--dxf", path("r.dxf")});
    EXPECT_EQ(failed.exit, kExitCannotWrite);
    EXPECT_EQ(failed.err.rfind("blachorys-cli: cannot write the TXT file '" + txt + "': ", 0), 0u)
        << failed.err;
    // The results were still printed, and the DXF that could be written was.
    EXPECT_EQ(failed.out, goldenResults("mniejsza.txt"));
    EXPECT_EQ(test::readFileBytes(path("r.dxf")), test::readGolden("rurarura/mniejsza.dxf"));
}

#ifndef _WIN32
// A file-size limit is POSIX's.
TEST_F(CliFiles, FailedReplacementKeepsTheEarlierFile) {
    const CliRun first = run({"rurarura", "--date", "08-12-2026", "--txt", path("r.txt")});
    ASSERT_EQ(first.exit, kExitCalculated);
    // Root ignores file permissions; a cap on the file size makes the write fail for anyone.
    CliRun second;
    {
        const test::FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        second = run({"rurarura", "N=2000", "--txt", path("r.txt")}); // about 66 kB
    }
    EXPECT_EQ(second.exit, kExitCannotWrite);
    EXPECT_NE(second.err.find("cannot write the TXT file"), std::string::npos) << second.err;
    EXPECT_EQ(test::readFileBytes(path("r.txt")), test::readGolden("rurarura/mniejsza.txt"));
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});
}

#endif

} // namespace
} // namespace blachorys::cli
