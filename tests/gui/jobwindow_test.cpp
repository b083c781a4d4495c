// The job in the window: opened from "Pliki", its files the command line's bytes, saved as it
// was read; a refused file leaves the open job as it was; entries added from a calculator,
// edited, reopened and removed.
#include "app/tformblachorys.h"
#include "cli/clirunner.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/jobwindow.h"
#include "common/io/reportdate.h"
#include "support/calculatorfixture.h"
#include "support/golden.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include <sstream>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;

const QString kExample = QStringLiteral(BLACHORYS_EXAMPLES_DIR "/zlecenie-kanal.json");

class JobWindowTest : public GuiFixture {
protected:
    void SetUp() override {
        m_main = std::make_unique<gui::TFormBlachorys>(m_prompts, m_directory.path());
        m_main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main.get()));
    }
    /** Triggers a "Pliki" action by name, the menu rebuilt as when it opens. */
    void trigger(const char* name) {
        auto* menu = m_main->findChild<QMenu*>(QStringLiteral("Pliki"));
        QMetaObject::invokeMethod(menu, "aboutToShow");
        auto* action = m_main->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    gui::JobWindow& job() { return *m_main->jobWindow(); }
    QTableWidget& table() { return *child<QTableWidget>(job(), QStringLiteral("TabelaZlecenia")); }
    QString path(const char* name) const { return m_directory.filePath(QString::fromUtf8(name)); }
    QByteArray bytesOf(const QString& file) const {
        return QByteArray::fromStdString(readFileBytes(file.toStdString()));
    }
    void openExample() {
        m_prompts.answerOpenFile(kExample);
        trigger("OtworzZlecenie");
        ASSERT_NE(m_main->jobWindow(), nullptr);
        ASSERT_EQ(job().job().entries.size(), 4u);
    }

    std::unique_ptr<gui::TFormBlachorys> m_main;
};

TEST_F(JobWindowTest, TheExampleOpenedSavedAndNestedGivesTheCommandLinesBytes) {
    openExample();
    EXPECT_EQ(table().item(0, gui::JobWindow::Mark)->text(), QStringLiteral("K1"));
    EXPECT_EQ(table().item(0, gui::JobWindow::Developments)->text(),
              QStringLiteral("mniejsza, wieksza"));
    EXPECT_EQ(table().item(3, gui::JobWindow::Thickness)->text(), QStringLiteral("6.00"));
    m_prompts.answerSaveFile(path("kopia.json"));
    trigger("ZapiszZlecenieJako");
    EXPECT_EQ(bytesOf(path("kopia.json")), bytesOf(kExample));

    m_prompts.answerSaveFile(path("zlecenie.txt"));
    clickEnabled(job(), QStringLiteral("ZapiszRaportZlecenia"));
    m_prompts.answerSaveFileWithFilter(path("rozkroj.dxf"), 0);
    clickEnabled(job(), QStringLiteral("RozkrojZlecenia"));
    m_prompts.answerSaveFileWithFilter(path("rozkroj.pdf"), 2);
    clickEnabled(job(), QStringLiteral("RozkrojZlecenia"));
    ASSERT_TRUE(QDir().mkpath(path("cnc")));
    m_prompts.answerFolder(path("cnc"));
    clickEnabled(job(), QStringLiteral("CncZlecenia"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty())
        << m_prompts.texts(Kind::Error).join(" ").toStdString();
    EXPECT_EQ(bytesOf(path("rozkroj.pdf")).left(5), QByteArray("%PDF-"));

    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(
        cli::runCli({"job", path("kopia.json").toStdString(), "--date",
                     io::reportDateText(QDate::currentDate()).toStdString(), "--txt",
                     path("cli.txt").toStdString(), "--nesting-dxf", path("cli.dxf").toStdString(),
                     "--cnc-dir", path("cli_cnc").toStdString()},
                    out, err),
        cli::kExitCalculated)
        << err.str();
    EXPECT_EQ(bytesOf(path("zlecenie.txt")), bytesOf(path("cli.txt")));
    EXPECT_EQ(bytesOf(path("rozkroj.dxf")), bytesOf(path("cli.dxf")));
    const QStringList pieces = QDir(path("cli_cnc")).entryList(QDir::Files);
    EXPECT_EQ(pieces, QDir(path("cnc")).entryList(QDir::Files));
    EXPECT_EQ(pieces.size(), 5);
    for (const QString& piece : pieces) {
        EXPECT_EQ(bytesOf(path("cnc") + u'/' + piece), bytesOf(path("cli_cnc") + u'/' + piece))
            << piece.toStdString();
    }
    // The last job is first among the recent ones, and opens again from there.
    trigger("OstatnieZlecenie1");
    EXPECT_EQ(job().path(), QFileInfo(path("kopia.json")).absoluteFilePath());
}

TEST_F(JobWindowTest, ARefusedFileLeavesTheOpenJobAsItWas) {
    openExample();
    const core::Job before = job().job();
    QByteArray newer = bytesOf(kExample);
    newer.replace("\"version\": 1", "\"version\": 2");
    for (const QByteArray& bytes : {newer, bytesOf(kExample).left(400)}) {
        QFile file(path("zly.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        m_prompts.clear();
        m_prompts.answerOpenFile(path("zly.json"));
        trigger("OtworzZlecenie");
        ASSERT_EQ(m_prompts.texts(Kind::Error).size(), 1);
        EXPECT_TRUE(m_prompts.texts(Kind::Error)[0].startsWith("Nie mozna otworzyc zlecenia : "));
        EXPECT_EQ(job().job(), before);
        EXPECT_EQ(job().path(), QFileInfo(kExample).absoluteFilePath());
    }
}

TEST_F(JobWindowTest, EntriesAreAddedFromACalculatorEditedReopenedAndRemoved) {
    gui::CalculatorWindow* pipes = m_main->openCalculator(QStringLiteral("RURARURA"));
    ASSERT_NE(pipes, nullptr);
    typeInto(*pipes, QStringLiteral("Edit_tm"), QStringLiteral("3"));
    clickEnabled(*pipes, QStringLiteral("ButtonDodajDoZlecenia"));
    // The second entry with the joint's edge prepared: the entry keeps it.
    core::EdgeTexts groove;
    groove.choice = core::EdgeChoice::Groove;
    groove.rootGap = "3";
    m_prompts.answerEdge(groove);
    clickEnabled(*pipes, QStringLiteral("ButtonKrawedz"));
    clickEnabled(*pipes, QStringLiteral("ButtonDodajDoZlecenia"));
    ASSERT_EQ(job().job().entries.size(), 2u);
    EXPECT_EQ(job().job().entries[1].edge, groove);
    EXPECT_EQ(job().job().entries[1].mark, "K2");
    EXPECT_EQ(job().job().entries[0].developments, (std::vector<std::size_t>{0, 1}));
    const double once = table().item(0, gui::JobWindow::Mass)->text().toDouble();
    EXPECT_GT(once, 0.0);

    table().item(0, gui::JobWindow::Count)->setText(QStringLiteral("3"));
    EXPECT_NEAR(table().item(0, gui::JobWindow::Mass)->text().toDouble(), 3 * once, 0.011);
    table().item(0, gui::JobWindow::Developments)->setText(QStringLiteral("wieksza"));
    EXPECT_EQ(job().job().entries[0].developments, (std::vector<std::size_t>{1}));
    // Refused, each with a warning: the job as it was.
    const core::Job before = job().job();
    table().item(0, gui::JobWindow::Count)->setText(QStringLiteral("0"));
    table().item(1, gui::JobWindow::Mark)->setText(QStringLiteral("K3"));
    table().item(1, gui::JobWindow::Mark)->setText(QStringLiteral("../K"));
    table().item(0, gui::JobWindow::Developments)->setText(QStringLiteral("obie"));
    EXPECT_EQ(m_prompts.texts(Kind::Warning).size(), 3);
    EXPECT_EQ(job().job().entries[0], before.entries[0]);
    EXPECT_EQ(job().job().entries[1].mark, "K3");

    typeInto(*pipes, QStringLiteral("Edit_Dm"), QStringLiteral("0"));
    job().findChild<QTableWidget*>()->setCurrentCell(0, 0);
    clickEnabled(job(), QStringLiteral("OtworzPozycje"));
    EXPECT_EQ(pipes->inputs(), job().job().entries[0].inputs);
    EXPECT_EQ(pipes->developmentIndex(), 1u);
    EXPECT_EQ(pipes->edgeTexts(), core::EdgeTexts{}) << "reopened with the entry's edge";
    clickEnabled(job(), QStringLiteral("UsunPozycje"));
    ASSERT_EQ(job().job().entries.size(), 1u);
    EXPECT_EQ(job().job().entries[0].mark, "K3");
    EXPECT_TRUE(job().isModified());
    m_prompts.answerYesNo(false);
    trigger("NoweZlecenie");
    EXPECT_EQ(job().job().entries.size(), 1u) << "the changes kept";
    m_prompts.answerYesNo(false);
    EXPECT_FALSE(m_main->close());
    ASSERT_NE(m_main->jobWindow(), nullptr);
    EXPECT_EQ(job().job().entries.size(), 1u) << "the program kept open with its job";
    m_prompts.answerYesNo(true);
    EXPECT_TRUE(m_main->close());
    EXPECT_EQ(m_prompts.texts(Kind::YesNo).size(), 3) << "asked once on the way out";
}

} // namespace
} // namespace blachorys::test
