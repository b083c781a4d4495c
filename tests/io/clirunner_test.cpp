#include "cli/clirunner.h"

#include "cases/calculators.h"
#include "common/io/windows1250.h"
#include "support/golden.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>

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
    // The calculators in the registry's order; more may follow as they are built.
    EXPECT_NE(usage.err.find("calculators: rurarura (--development mniejsza wieksza) stozek"),
              std::string::npos)
        << usage.err;
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
        UsageCase{"bare_word", {"rurarura", "Dm"}, "unexpected argument 'Dm'"},
        UsageCase{"other_calculators_field", {"stozek", "Dm=300"}, "stozek has no field 'Dm'"}),
    [](const auto& info) { return std::string(info.param.what); });

class CliFiles : public ::testing::Test {
protected:
    std::string path(const char* name) const {
        return QDir(m_directory.path()).filePath(name).toStdString();
    }
    QTemporaryDir m_directory;
};

TEST_F(CliFiles, EveryCalculatorWritesItsGoldenFiles) {
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& d = calculator->definition();
        const std::size_t developments = std::max<std::size_t>(1, d.developments.size());
        for (std::size_t development = 0; development < developments; ++development) {
            Arguments arguments{d.key,         "--date", "08-12-2026", "--txt",
                                path("r.txt"), "--dxf",  path("r.dxf")};
            if (!d.developments.empty()) {
                arguments.push_back("--development");
                arguments.push_back(d.developments[development].key);
            }
            const CliRun written = run(arguments);
            ASSERT_EQ(written.exit, kExitCalculated) << written.err;
            EXPECT_EQ(test::readFileBytes(path("r.txt")),
                      test::readGolden(test::goldenPath(d, development, "txt")));
            EXPECT_EQ(test::readFileBytes(path("r.dxf")),
                      test::readGolden(test::goldenPath(d, development, "dxf")));
        }
    }
}

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

TEST_F(CliFiles, FailedReplacementKeepsTheEarlierFile) {
    const CliRun first = run({"rurarura", "--date", "08-12-2026", "--txt", path("r.txt")});
    ASSERT_EQ(first.exit, kExitCalculated);
    // Root ignores file permissions; a cap on the file size makes the write fail for anyone.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = saved;
    capped.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &capped), 0);
    const CliRun second = run({"rurarura", "N=2000", "--txt", path("r.txt")}); // about 66 kB
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(second.exit, kExitCannotWrite);
    EXPECT_NE(second.err.find("cannot write the TXT file"), std::string::npos) << second.err;
    EXPECT_EQ(test::readFileBytes(path("r.txt")), test::readGolden("rurarura/mniejsza.txt"));
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});
}

} // namespace
} // namespace blachorys::cli
