// The behaviour every calculator window shares, tested once for each calculator of the
// registry: a new case is covered as soon as it is registered.
#include "cases/calculators.h"
#include "cli/clirunner.h"
#include "common/core/calculator/fieldreading.h"
#include "common/core/calculator/makercontact.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/plate/cutparts.h"
#include "common/core/sheets/templateplan.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/numericlineedit.h"
#include "common/gui/twynikischemat.h"
#include "common/io/reportdate.h"
#include "common/render/outputtable.h"
#include "support/calculatorfixture.h"
#include "support/calculatorprinter.h"
#include "support/filesizelimit.h"
#include "support/golden.h"
#include "support/hostileinputs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;
using test::FileSizeLimit;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

class CalculatorWindowTest : public GuiFixture,
                             public ::testing::WithParamInterface<const core::Calculator*> {
protected:
    CalculatorWindowTest() : m_window(*GetParam(), context()) {
        m_activeCalculator = &m_window;
        m_window.show();
        // Focus events, which show and hide the notes, need an active window.
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    const core::CalculatorDefinition& definition() const { return GetParam()->definition(); }
    const core::ComponentNames& names() const { return definition().window.components; }
    QString output(const char* role) const { return q(names().outputPrefix) + role; }
    QStringList outputButtons() const {
        QStringList names;
        for (const render::OutputRow& row : render::outputRows()) {
            if (row.hasButton()) {
                names << output(row.buttonName);
            }
        }
        return names;
    }
    std::size_t developmentCount() const {
        return std::max<std::size_t>(1, definition().developments.size());
    }
    void chooseDevelopment(std::size_t development) {
        if (!definition().developments.empty()) {
            child<QRadioButton>(m_window, q(definition().developments[development].objectName))
                ->click();
        }
    }
    QLineEdit* field(const std::string& name) {
        return child<QLineEdit>(m_window, q("Edit_" + name));
    }
    /** The fields' texts and the selectors' choices. */
    void setInputs(const core::CalculatorInputs& inputs) {
        const auto& d = definition();
        for (std::size_t f = 0; f < d.fields.size(); ++f) {
            field(d.fields[f].name)->setText(q(inputs.fieldTexts.at(f)));
        }
        for (std::size_t k = 0; k < d.selectors.size(); ++k) {
            child<QRadioButton>(m_window,
                                q(d.selectors[k].choices.at(inputs.choices.at(k)).objectName))
                ->click();
        }
    }
    QString memoText() {
        return child<QPlainTextEdit>(m_window, q(names().resultsMemo))->toPlainText();
    }
    bool outputsEnabled() {
        bool all = true;
        bool any = false;
        for (const QString& name : outputButtons()) {
            const bool enabled = child<QPushButton>(m_window, name)->isEnabled();
            all = all && enabled;
            any = any || enabled;
        }
        EXPECT_EQ(all, any) << "the output buttons go together";
        return all;
    }
    void calculate() { clickEnabled(m_window, q(names().calculateButton)); }
    QString path(const QString& name) const { return m_directory.filePath(name); }
    std::string today() const { return io::reportDateText(testDay()).toStdString(); }

    /** What the calculator gives for the window's texts now. */
    core::CalculationResult expected(std::size_t development) const {
        std::vector<std::string> texts;
        for (const QString& text : m_window.fieldTexts()) {
            texts.push_back(text.toStdString());
        }
        return core::forThePlate(GetParam()->calculate(texts, development, today()),
                                 m_window.plateTexts() == core::PlateTexts{}
                                     ? core::PlateSettings{}
                                     : *core::readPlateTexts(m_window.plateTexts()).settings);
    }

    gui::CalculatorWindow m_window;
};

TEST_P(CalculatorWindowTest, OpensWithItsNamesDefaultsAndOutputsDisabled) {
    const auto& d = definition();
    EXPECT_EQ(m_window.objectName(), q(d.window.formName));
    EXPECT_EQ(m_window.windowTitle(), q(d.window.caption));
    QStringList defaults;
    for (const auto& f : d.fields) {
        defaults << q(f.defaultText);
        EXPECT_EQ(field(f.name)->toolTip(), q(core::shortHint(f.hint))) << f.name;
    }
    EXPECT_EQ(m_window.fieldTexts(), defaults);
    EXPECT_EQ(memoText(), QString::fromUtf8("Wyniki - lista punktów"));
    EXPECT_FALSE(outputsEnabled());
    auto* scheme = child<QPushButton>(m_window, q(names().schemeButton));
    EXPECT_TRUE(scheme->isEnabled());
    EXPECT_EQ(scheme->text(), q(d.developments.empty() ? d.window.schemeButtonCaption
                                                       : d.developments[0].schemeButtonCaption));
    if (!d.developments.empty()) {
        EXPECT_TRUE(child<QRadioButton>(m_window, q(d.developments[0].objectName))->isChecked());
    }
    EXPECT_NE(child<QStatusBar>(m_window, q(names().statusBar)), nullptr);
    EXPECT_NE(child<QWidget>(m_window, "Image1"), nullptr);
}

TEST_P(CalculatorWindowTest, TabWalksTheSelectorTheFieldsInTheWindowsOrderThenLicz) {
    const auto& d = definition();
    QStringList expectedOrder;
    for (const auto& development : d.developments) {
        expectedOrder << q(development.objectName);
    }
    for (const auto& name : d.tabOrder) {
        expectedOrder << q("Edit_" + name);
    }
    for (const auto& selector : d.selectors) {
        for (const auto& choice : selector.choices) {
            expectedOrder << q(choice.objectName);
        }
    }
    expectedOrder << q(names().calculateButton);
    QWidget* widget = m_window.findChild<QWidget*>(expectedOrder.front());
    QStringList walked;
    for (qsizetype i = 0; i < expectedOrder.size() && widget != nullptr; ++i) {
        walked << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(walked, expectedOrder);
}

TEST_P(CalculatorWindowTest, TheTabKeyWalksFromTheFirstFieldToLicz) {
    // As the keyboard walks them: the selector's checked button, each field, each other
    // selector's checked button while its choice acts, "Licz".
    QStringList expected;
    if (!definition().developments.empty()) {
        expected << q(definition().developments[0].objectName);
    }
    for (const auto& name : definition().tabOrder) {
        expected << q("Edit_" + name);
    }
    for (const auto& selector : definition().selectors) {
        if (child<QWidget>(m_window, q(selector.choices.front().objectName))->isEnabled()) {
            expected << q(selector.choices.front().objectName);
        }
    }
    expected << q(names().calculateButton);
    QWidget* first = m_window.findChild<QWidget*>(expected.front());
    first->setFocus(Qt::TabFocusReason);
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, expected);
}

TEST_P(CalculatorWindowTest, KeyFiltersDropWhatTheFieldDoesNotTake) {
    for (const auto& f : definition().fields) {
        field(f.name)->setText("");
        typeInto(m_window, q("Edit_" + f.name), "-1.2.3x");
        const char* expected = "";
        switch (f.filter) {
        case core::FieldFilter::PositiveReal:
            expected = "1.23";
            break;
        case core::FieldFilter::SignedReal:
            expected = "-1.23";
            break;
        case core::FieldFilter::PositiveInteger:
            expected = "123";
            break;
        case core::FieldFilter::Unfiltered:
            expected = "-1.2.3x";
            break;
        }
        EXPECT_EQ(field(f.name)->text(), expected) << f.name;
    }
    QLineEdit* first = field(definition().tabOrder.front());
    first->setText("80");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), "8");
}

TEST_P(CalculatorWindowTest, TheEditingKeysWorkAndWhatIsPastedOrDroppedIsFiltered) {
    QLineEdit* first = field(definition().tabOrder.front());
    first->setText("300");
    first->setFocus();
    // Ctrl+A selects, so typing replaces; the keypad's comma is the decimal point.
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, "168");
    QTest::keyClick(first, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(first, Qt::Key_3);
    EXPECT_EQ(first->text(), "168.3");
    // A "." typed over the selected "." enters: the text it replaces is going.
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, ".5");
    EXPECT_EQ(first->text(), ".5");
    QTest::keyClick(first, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(first->text(), "168.3");
    QTest::keyClick(first, Qt::Key_Home);
    QTest::keyClick(first, Qt::Key_Right);
    QTest::keyClick(first, Qt::Key_Delete);
    QTest::keyClick(first, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(first, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(first->text(), "1");
    EXPECT_EQ(QApplication::clipboard()->text(), "8.3");

    // Ctrl+V, the context menu's Paste and a drop each enter what the field's filter lets in.
    for (const auto& f : definition().fields) {
        auto* edit = qobject_cast<gui::NumericLineEdit*>(field(f.name));
        ASSERT_NE(edit, nullptr);
        const QString expected =
            QString::fromStdU32String(core::filteredInsertion(f.filter, "", U"-12,5x"));
        QApplication::clipboard()->setText("-12,5x");
        edit->setText("");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), expected) << f.name << " Ctrl+V";
        edit->selectAll();
        std::unique_ptr<QMenu> menu(edit->createFilteredContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text().endsWith("\tCtrl+V")) {
                action->trigger();
            }
        }
        EXPECT_EQ(edit->text(), expected) << f.name << " menu";
        edit->setText("");
        QMimeData dropped;
        dropped.setText("-12,5x");
        // The drag enters first: a drop goes where the drag was taken.
        const Qt::DropActions either = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(2, 2), either, &dropped, Qt::LeftButton, {});
        QCoreApplication::sendEvent(edit, &enter);
        QDropEvent drop(QPointF(2, 2), either, &dropped, Qt::LeftButton, {});
        drop.setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(edit, &drop);
        EXPECT_EQ(edit->text(), expected) << f.name << " drop";
        // Copied, not moved: the source keeps what the field left out.
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    }
}

TEST_P(CalculatorWindowTest, LiczShowsTheResultLinesAndEnablesTheOutputs) {
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        chooseDevelopment(development);
        calculate();
        EXPECT_TRUE(m_prompts.prompts().empty());
        const auto result = expected(development);
        ASSERT_TRUE(result.outputs);
        QStringList lines;
        for (const auto& line : result.outputs->report.memoLines()) {
            lines << q(line);
        }
        EXPECT_EQ(memoText(), lines.join('\n'));
        EXPECT_TRUE(outputsEnabled());
        EXPECT_TRUE(m_window.hasResultsReady());
        EXPECT_EQ(child<QPlainTextEdit>(m_window, q(names().resultsMemo))->textCursor().position(),
                  0);
    }
}

TEST_P(CalculatorWindowTest, AnyEditOrOtherDevelopmentTakesTheOutputsAway) {
    calculate();
    ASSERT_TRUE(outputsEnabled());
    QLineEdit* first = field(definition().tabOrder.front());
    const QString typed = first->text();
    typeInto(m_window, first->objectName(), "1");
    EXPECT_EQ(memoText(), "");
    EXPECT_FALSE(outputsEnabled());
    EXPECT_FALSE(m_window.hasResultsReady());
    EXPECT_TRUE(child<QPushButton>(m_window, q(names().schemeButton))->isEnabled());
    first->setText(typed);

    if (definition().developments.size() > 1) {
        calculate();
        ASSERT_TRUE(outputsEnabled());
        chooseDevelopment(1);
        EXPECT_EQ(memoText(), "");
        EXPECT_FALSE(outputsEnabled());
        EXPECT_EQ(child<QPushButton>(m_window, q(names().schemeButton))->text(),
                  q(definition().developments[1].schemeButtonCaption));
    }
}

TEST_P(CalculatorWindowTest, FirstPassZeroesNonNumbersAndTheChecksSpeakInOrder) {
    for (const auto& f : definition().fields) {
        field(f.name)->setText(f.filter == core::FieldFilter::SignedReal ? "5-" : "");
    }
    calculate();
    for (const auto& f : definition().fields) {
        EXPECT_EQ(field(f.name)->text(), "0") << f.name;
    }
    const auto result = expected(0);
    ASSERT_EQ(result.status, core::CalculationResult::Status::Refused);
    QStringList warnings;
    for (const auto& message : result.messages) {
        warnings << q(message.text);
    }
    // One box for the whole refusal, its messages in order.
    EXPECT_EQ(m_prompts.texts(Kind::Warning), QStringList{warnings.join('\n')});
    EXPECT_FALSE(outputsEnabled());
}

TEST_P(CalculatorWindowTest, AFractionInAnIntegerFieldIsOneErrorAndNoResults) {
    for (const auto& f : definition().fields) {
        if (f.kind != core::FieldKind::Integer) {
            continue;
        }
        m_prompts.clear();
        const QString before = field(f.name)->text();
        field(f.name)->setText("24.5");
        calculate();
        EXPECT_EQ(m_prompts.texts(Kind::Error),
                  QStringList({"Blad danych : '24.5' nie jest liczba calkowita"}))
            << f.name;
        EXPECT_TRUE(m_prompts.texts(Kind::Warning).isEmpty());
        EXPECT_FALSE(outputsEnabled());
        field(f.name)->setText(before);
    }
}

TEST_P(CalculatorWindowTest, NotesFollowTheFocusAndTheDevelopment) {
    auto* note = child<QPlainTextEdit>(m_window, q(names().noteMemo));
    const auto& d = definition();
    const core::FieldDefinition* plain = nullptr;
    for (const auto& f : d.fields) {
        plain = f.note ? plain : &f;
    }
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        chooseDevelopment(development);
        for (const auto& f : d.fields) {
            if (!f.note) {
                continue;
            }
            field(f.name)->setFocus();
            EXPECT_TRUE(note->isVisible()) << f.name;
            const auto& variants = f.note->linesPerDevelopment;
            QStringList lines;
            for (const auto& line : variants[std::min(development, variants.size() - 1)]) {
                lines << q(line);
            }
            EXPECT_EQ(note->toPlainText(), lines.join('\n')) << f.name;
            if (plain != nullptr) {
                field(plain->name)->setFocus();
                EXPECT_FALSE(note->isVisible()) << plain->name;
            }
        }
    }
}

TEST_P(CalculatorWindowTest, ClosingSavesTheFieldsInCreationOrderThenTheChoices) {
    // The fields the file has always held by position; the later ones and the choices by name.
    std::string expectedFile;
    int value = 11;
    for (std::size_t f = 0; f < definition().fields.size(); ++f) {
        const std::string& name = definition().fields[f].name;
        field(name)->setText(QString::number(value));
        expectedFile += (f < definition().positionalSavedFields ? "" : name + "=") +
                        std::to_string(value++) + "\r\n";
    }
    for (const auto& selector : definition().selectors) {
        child<QRadioButton>(m_window, q(selector.choices.back().objectName))->click();
        expectedFile += selector.name + "=" + selector.choices.back().key + "\r\n";
    }
    m_window.close();
    EXPECT_EQ(readFileBytes(path(q(definition().savedInputsFileName)).toStdString()), expectedFile);
}

TEST_P(CalculatorWindowTest, ThePlateAndMaterialAreThisWindowsAndComeBackWhenItOpensAgain) {
    const core::PlateTexts aluminium{"1250 x 2500", "aluminium", "2", "5"};
    calculate();
    m_prompts.answerPlate(core::PlateTexts{"1250", "stal", "1", "10"});
    clickEnabled(m_window, QStringLiteral("ButtonArkusz"));
    EXPECT_EQ(m_prompts.texts(Kind::Warning).size(), 1) << "a plate of one side is refused";
    EXPECT_TRUE(outputsEnabled());
    m_prompts.answerPlate(std::nullopt);
    clickEnabled(m_window, QStringLiteral("ButtonArkusz"));
    EXPECT_TRUE(outputsEnabled()) << "a cancelled dialog changes nothing";
    m_prompts.answerPlate(aluminium);
    clickEnabled(m_window, QStringLiteral("ButtonArkusz"));
    // Another plate keeps the calculation: only what is cut from the plate changes, as a
    // calculation with it would make it.
    EXPECT_TRUE(outputsEnabled());
    EXPECT_EQ(m_window.plateTexts(), aluminium);
    const core::CalculationResult again = expected(m_window.developmentIndex());
    ASSERT_TRUE(m_window.outputs() && again.outputs);
    EXPECT_EQ(m_window.outputs()->split.has_value(), again.outputs->split.has_value());
    EXPECT_EQ(core::jobPiecesOf(*m_window.outputs()).size(),
              core::jobPiecesOf(*again.outputs).size());
    QStringList lines;
    for (const std::string& line : again.outputs->report.resultLines()) {
        lines << q(line);
    }
    EXPECT_EQ(memoText(), lines.join(u'\n'));
    EXPECT_TRUE(child<QPushButton>(m_window, QStringLiteral("ButtonArkusz"))
                    ->toolTip()
                    .endsWith(QString::fromUtf8("Podział na części: 2")));
    m_window.close();
    gui::CalculatorWindow reopened(*GetParam(), context());
    reopened.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&reopened));
    QTest::qWait(10);
    EXPECT_EQ(reopened.plateTexts(), aluminium);
}

TEST_P(CalculatorWindowTest, TheEdgeIsOfferedWhereACutIsWeldedAndComesBackWhenItOpensAgain) {
    auto* button = m_window.findChild<QPushButton*>(QStringLiteral("ButtonKrawedz"));
    ASSERT_EQ(button != nullptr, definition().weldedCut);
    if (button == nullptr) {
        return;
    }
    // A bevel needs a wall.
    for (const auto& f : definition().fields) {
        if (f.name.starts_with('t')) {
            field(f.name)->setText(QStringLiteral("10"));
        }
    }
    calculate();
    core::EdgeTexts groove{.choice = core::EdgeChoice::Groove};
    groove.grooveAngle = "95";
    m_prompts.answerEdge(groove);
    clickEnabled(m_window, QStringLiteral("ButtonKrawedz"));
    EXPECT_EQ(m_prompts.texts(Kind::Warning).size(), 1) << "a groove of 95° is refused";
    EXPECT_EQ(m_window.edgeTexts(), core::EdgeTexts{});
    m_prompts.answerEdge(core::EdgeTexts{.choice = core::EdgeChoice::Fit});
    clickEnabled(m_window, QStringLiteral("ButtonKrawedz"));
    // The calculation shown is made again with the edge.
    EXPECT_TRUE(outputsEnabled());
    EXPECT_TRUE(memoText().contains(QStringLiteral("PRZYGOTOWANIE KRAWEDZI : dopasowane")));
    ASSERT_TRUE(m_window.outputs());
    EXPECT_FALSE(m_window.outputs()->edges.points.empty());
    m_window.close();
    gui::CalculatorWindow reopened(*GetParam(), context());
    reopened.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&reopened));
    QTest::qWait(10);
    EXPECT_EQ(reopened.edgeTexts().choice, core::EdgeChoice::Fit);
}

TEST_P(CalculatorWindowTest, FilesAreTheGoldensAndTheCommandLinesByteForByte) {
    const auto& d = definition();
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        SCOPED_TRACE(development);
        chooseDevelopment(development);
        calculate();
        m_prompts.clear();
        const QString txt = path(QStringLiteral("okno%1.txt").arg(development));
        const QString dxf = path(QStringLiteral("okno%1.dxf").arg(development));
        m_prompts.answerSaveFile(txt);
        clickEnabled(m_window, output("ZapiszWyniki"));
        m_prompts.answerSaveFile(dxf);
        clickEnabled(m_window, output("ZapiszRysunek"));
        // The CNC DXF: its own filter and name, ".dxf" added to the name typed.
        const QString cnc = path(QStringLiteral("okno%1_cnc").arg(development));
        m_prompts.answerSaveFile(cnc);
        clickEnabled(m_window, output("ZapiszDXFCNC"));
        ASSERT_EQ(m_prompts.prompts().size(), 3u);
        // The report's dialog offers the bevel's table where a cut is welded.
        EXPECT_EQ(m_prompts.prompts()[0].filter,
                  d.weldedCut ? "Plik tekstowy - TXT|*.txt|Ukosy krawedzi - CSV|*.csv"
                              : "Plik tekstowy - TXT|*.txt");
        EXPECT_EQ(m_prompts.prompts()[1].filter, "Plik rysunku -  DXF|*.dxf");
        EXPECT_EQ(m_prompts.prompts()[2].filter,
                  "DXF dla CNC - R2000|*.dxf|DXF dla CNC - R12 (starsze sterowniki)|*.dxf");
        if (development == 0) {
            // The first time, in the program's folder.
            EXPECT_EQ(m_prompts.prompts()[0].initialName, path(q(d.txtFileName)));
            EXPECT_EQ(m_prompts.prompts()[1].initialName, path(q(d.dxfFileName)));
            // The CNC file's name tells the development, where there are two.
            const QString developed =
                d.developments.empty() ? QString() : "_" + q(d.developments[0].key);
            EXPECT_EQ(m_prompts.prompts()[2].initialName,
                      path(q(d.dxfFileName).replace(".dxf", developed + "_cnc.dxf")));
        }

        std::string golden = readGolden(goldenPath(d, development, "txt"));
        const std::string goldenDate = "08-12-2026";
        golden.replace(golden.find(goldenDate), goldenDate.size(), today());
        EXPECT_EQ(readFileBytes(txt.toStdString()), golden);
        EXPECT_EQ(readFileBytes(dxf.toStdString()), readGolden(goldenPath(d, development, "dxf")));

        std::vector<std::string> arguments{d.key,
                                           "--date",
                                           today(),
                                           "--txt",
                                           path("cli.txt").toStdString(),
                                           "--dxf",
                                           path("cli.dxf").toStdString(),
                                           "--cnc-dxf",
                                           path("cli_cnc.dxf").toStdString()};
        if (!d.developments.empty()) {
            arguments.push_back("--development");
            arguments.push_back(d.developments[development].key);
        }
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(cli::runCli(arguments, out, err), cli::kExitCalculated) << err.str();
        EXPECT_EQ(readFileBytes(txt.toStdString()), readFileBytes(path("cli.txt").toStdString()));
        EXPECT_EQ(readFileBytes(dxf.toStdString()), readFileBytes(path("cli.dxf").toStdString()));
        const std::string written = readFileBytes((cnc + ".dxf").toStdString());
        EXPECT_NE(written.find("CIECIE"), std::string::npos);
        EXPECT_EQ(written, readFileBytes(path("cli_cnc.dxf").toStdString()));
    }
}

TEST_P(CalculatorWindowTest, TheNestingsOneButtonSavesTheDxfOrThePdfAsItsDialogChooses) {
    EXPECT_EQ(child<QPushButton>(m_window, output("Rozkroj"))->text(),
              QString::fromUtf8("Rozkrój na arkuszach"));
    calculate();
    const auto result = expected(0);
    if (render::nestingPdfFile({definition(), *result.outputs}).problem) {
        GTEST_SKIP() << "no plate holds this calculator's default piece";
    }
    // The name offered ends ".dxf"; the PDF's filter saves it as ".pdf", and R12's as ".dxf".
    m_prompts.clear();
    m_prompts.answerSaveFileWithFilter(path("rozkroj.dxf"), 2);
    clickEnabled(m_window, output("Rozkroj"));
    m_prompts.answerSaveFileWithFilter(path("rozkroj.pdf"), 1);
    clickEnabled(m_window, output("Rozkroj"));
    ASSERT_EQ(m_prompts.prompts().size(), 2u);
    EXPECT_EQ(m_prompts.prompts()[0].filter,
              QString::fromUtf8("Rozkrój - DXF R2000|*.dxf|Rozkrój - DXF R12 (starsze "
                                "sterowniki)|*.dxf|Rozkrój - PDF|*.pdf"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    EXPECT_EQ(readFileBytes(path("rozkroj.pdf").toStdString()).substr(0, 5), "%PDF-");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runCli({definition().key, "--date", today(), "--nesting-dxf",
                           path("cli.dxf").toStdString(), "--dxf-version", "R12"},
                          out, err),
              cli::kExitCalculated)
        << err.str();
    const std::string written = readFileBytes(path("rozkroj.dxf").toStdString());
    EXPECT_NE(written.find("AC1009"), std::string::npos);
    EXPECT_EQ(written, readFileBytes(path("cli.dxf").toStdString()));
}

TEST_P(CalculatorWindowTest, TheDxfButtonsSayWhichIsWhichAndTheCncDialogChoosesTheRelease) {
    EXPECT_EQ(child<QPushButton>(m_window, output("ZapiszRysunek"))->toolTip(),
              QString::fromUtf8("DXF punktów, jak w opisie programu"));
    EXPECT_EQ(
        child<QPushButton>(m_window, output("ZapiszDXFCNC"))->toolTip(),
        QString::fromUtf8("DXF dla CNC: zamknięte kontury w mm, warstwy CIECIE, ZNACZENIE, OPISY"));
    calculate();
    // The second filter, R12, makes the command line's R12 file.
    m_prompts.answerSaveFileWithFilter(path("stary"), 1);
    clickEnabled(m_window, output("ZapiszDXFCNC"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runCli({definition().key, "--date", today(), "--cnc-dxf",
                           path("cli.dxf").toStdString(), "--dxf-version", "R12"},
                          out, err),
              cli::kExitCalculated)
        << err.str();
    const std::string written = readFileBytes(path("stary.dxf").toStdString());
    EXPECT_NE(written.find("AC1009"), std::string::npos);
    EXPECT_EQ(written, readFileBytes(path("cli.dxf").toStdString()));
}

TEST_P(CalculatorWindowTest, PiecesSplitInTheArkuszDialogAreCutInPartsAsOnTheCommandLine) {
    m_prompts.answerPlate(core::PlateTexts{"1500 x 3000", "stal", "2", "10"});
    clickEnabled(m_window, QStringLiteral("ButtonArkusz"));
    calculate();
    m_prompts.answerSaveFile(path("czesci"));
    clickEnabled(m_window, output("ZapiszDXFCNC"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runCli({definition().key, "--date", today(), "--parts", "2", "--cnc-dxf",
                           path("cli.dxf").toStdString()},
                          out, err),
              cli::kExitCalculated)
        << err.str();
    const std::string written = readFileBytes(path("czesci.dxf").toStdString());
    EXPECT_EQ(written, readFileBytes(path("cli.dxf").toStdString()));
    // Every calculator's default piece splits: its parts are captioned in the file ("część 2/2",
    // its letters as the DXF spells them).
    EXPECT_NE(written.find("cz\\U+0119\\U+015B\\U+0107 2/2"), std::string::npos);
}

TEST_P(CalculatorWindowTest, DialogsStartWhereTheLastFileOfAnyKindWentAndTheStatusLineSaysSo) {
    calculate();
    const QString reports = path("raporty");
    ASSERT_TRUE(QDir().mkpath(reports));
    m_prompts.answerSaveFile(reports + "/wyniki");
    clickEnabled(m_window, output("ZapiszWyniki"));
    EXPECT_EQ(child<QLabel>(m_window, "OstatniZapis")->text(),
              "Zapisano: " + QDir::toNativeSeparators(reports + "/wyniki.txt"));
    // Cancelled: the line still tells of the last save.
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, output("ZapiszRysunek"));
    EXPECT_TRUE(child<QLabel>(m_window, "OstatniZapis")->text().endsWith("wyniki.txt"));

    // The next run: the TXT dialog and the DXF's, never used yet, open in that folder; the
    // template's dialog of another calculator opens with the paper chosen here.
    gui::TemplateChoice choice;
    choice.action = gui::TemplateChoice::Action::SavePdf;
    choice.settings.paper = core::PaperSize::A3;
    choice.settings.orientation = core::PageOrientation::Landscape;
    choice.settings.overlapMm = 12.5;
    m_prompts.answerTemplate(choice);
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, output("DrukujSzablon"));
    const auto& all = core::calculators();
    const core::Calculator* other =
        all[(static_cast<std::size_t>(std::find(all.begin(), all.end(), GetParam()) - all.begin()) +
             1) %
            all.size()];
    gui::CalculatorWindow next(*other, context());
    next.show();
    const auto& otherNames = other->definition().window.components;
    clickEnabled(next, q(otherNames.calculateButton));
    m_prompts.clear();
    m_prompts.cancelSaveFile();
    clickEnabled(next, q(otherNames.outputPrefix) + "ZapiszWyniki");
    m_prompts.cancelSaveFile();
    clickEnabled(next, q(otherNames.outputPrefix) + "ZapiszRysunek");
    m_prompts.answerTemplate(std::nullopt);
    clickEnabled(next, q(otherNames.outputPrefix) + "DrukujSzablon");
    ASSERT_EQ(m_prompts.prompts().size(), 3u);
    EXPECT_EQ(m_prompts.prompts()[0].initialName,
              reports + "/" + q(other->definition().txtFileName));
    EXPECT_EQ(m_prompts.prompts()[1].initialName,
              reports + "/" + q(other->definition().dxfFileName));
    EXPECT_EQ(m_prompts.lastTemplateSettings().paper, core::PaperSize::A3);
    EXPECT_EQ(m_prompts.lastTemplateSettings().orientation, core::PageOrientation::Landscape);
    EXPECT_EQ(m_prompts.lastTemplateSettings().overlapMm, 12.5);
    EXPECT_EQ(child<QLabel>(next, "OstatniZapis")->text(), "");
}

TEST_P(CalculatorWindowTest, EachDevelopmentsCncFileHasItsOwnNameAndTheNestingKeepsItsFilter) {
    QStringList cncNames;
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        chooseDevelopment(development);
        calculate();
        m_prompts.cancelSaveFile();
        clickEnabled(m_window, output("ZapiszDXFCNC"));
        cncNames << QFileInfo(m_prompts.prompts().back().initialName).fileName();
        m_prompts.answerSaveFile(path(QStringLiteral("czesc_%1").arg(development)));
        clickEnabled(m_window, output("ZapiszDXFCNC"));
    }
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    // The first development's own name comes back after the last one's save.
    chooseDevelopment(0);
    calculate();
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, output("ZapiszDXFCNC"));
    EXPECT_EQ(m_prompts.prompts().back().initialName, path("czesc_0.dxf"));
    EXPECT_EQ(QSet<QString>(cncNames.begin(), cncNames.end()).size(), cncNames.size())
        << cncNames.join(' ').toStdString();

    if (render::nestingPdfFile({definition(), *expected(0).outputs}).problem) {
        GTEST_SKIP() << "no plate holds this calculator's default piece";
    }
    m_prompts.answerSaveFileWithFilter(path("arkusze.pdf"), 2);
    clickEnabled(m_window, output("Rozkroj"));
    // Another window, as in the next run: its dialog opens with the PDF chosen and named so.
    gui::CalculatorWindow next(*GetParam(), context());
    next.show();
    clickEnabled(next, q(names().calculateButton));
    m_prompts.clear();
    m_prompts.cancelSaveFile();
    clickEnabled(next, output("Rozkroj"));
    ASSERT_EQ(m_prompts.prompts().size(), 1u);
    EXPECT_EQ(m_prompts.prompts()[0].initialFilter, 2);
    const auto& developments = definition().developments;
    const QString developed = developments.empty() ? QString() : "_" + q(developments[0].key);
    EXPECT_EQ(m_prompts.prompts()[0].initialName,
              path(QFileInfo(q(definition().dxfFileName)).completeBaseName() + developed +
                   "_rozkroj.pdf"));
}

TEST_P(CalculatorWindowTest, AWallChoiceIsEnabledOnlyWhileAThicknessItDependsOnIsNotZero) {
    const auto& d = definition();
    for (const core::SelectorDefinition& selector : d.selectors) {
        SCOPED_TRACE(selector.name);
        auto* first = child<QRadioButton>(m_window, q(selector.choices.front().objectName));
        for (const auto& name : selector.activeWhenNonZero) {
            field(name)->setText("0");
        }
        EXPECT_EQ(first->isEnabled(), selector.activeWhenNonZero.empty());
        for (const auto& name : selector.activeWhenNonZero) {
            typeInto(m_window, q("Edit_" + name), "5");
            EXPECT_TRUE(first->isEnabled()) << name;
            field(name)->setText("0");
            EXPECT_FALSE(first->isEnabled()) << name;
        }
    }
}

TEST_P(CalculatorWindowTest, SavingOverAFileAsksFirstAndNoLeavesItAlone) {
    calculate();
    const QString target = path("wyniki.txt");
    m_prompts.answerSaveFile(target);
    clickEnabled(m_window, output("ZapiszWyniki"));
    const std::string written = readFileBytes(target.toStdString());

    // The dialog offers the last name; the overwrite question comes; No writes nothing.
    QFile::resize(target, 10);
    m_prompts.clear();
    m_prompts.answerSaveFile(target);
    m_prompts.answerYesNo(false);
    clickEnabled(m_window, output("ZapiszWyniki"));
    EXPECT_EQ(m_prompts.prompts()[0].initialName, target);
    EXPECT_EQ(m_prompts.texts(Kind::YesNo),
              QStringList({"Plik - " + target + " juz istnieje - Nadpisac ?"}));
    EXPECT_EQ(QFileInfo(target).size(), 10);

    m_prompts.answerSaveFile(target);
    m_prompts.answerYesNo(true);
    clickEnabled(m_window, output("ZapiszWyniki"));
    EXPECT_EQ(readFileBytes(target.toStdString()), written);
}

TEST_P(CalculatorWindowTest, ACancelledDialogWritesNothing) {
    calculate();
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, output("ZapiszRysunek"));
    EXPECT_TRUE(QDir(m_directory.path()).entryList(QDir::Files).isEmpty());
}

/** How a file fails to be written. */
enum class Fault { MissingDirectory, DirectoryInTheWay, FileSizeLimit, DirectoryRemoved };
constexpr const char* kFaultNames[] = {"missing directory", "a directory in the way",
                                       "file-size limit (full disk)",
                                       "directory removed after the dialog"};

TEST_P(CalculatorWindowTest, EveryFailedWriteIsReportedInABoxAndKeepsTheEarlierFile) {
    calculate();
    // Every output that is a file, named as the button's dialog offers it with its filter; a
    // file offered by another's button is chosen there with its own filter's extension.
    struct SavedOutput {
        const char* button;
        QString name;
        int filter;
    };
    std::vector<SavedOutput> outputs;
    const auto result = expected(0);
    for (const render::OutputRow& row : render::outputRows()) {
        // A file that cannot be made of these outputs (a cone no plate holds) is never written.
        if (!row.isFile() || row.make({definition(), *result.outputs}).problem) {
            continue;
        }
        const render::OutputRow& button =
            row.hasButton() ? row : render::outputRow(*row.offeredWith);
        const auto offered = render::offeredFiles(button);
        const auto first = std::find_if(offered.begin(), offered.end(),
                                        [&row](const auto& file) { return file.row == &row; });
        ASSERT_NE(first, offered.end()) << row.cliOption << " is offered by no dialog";
        QString name = button.initialName(definition(), 0);
        name = name.left(name.lastIndexOf(u'.')) + QString::fromUtf8(first->filter->pattern).mid(1);
        outputs.push_back({button.buttonName, name, static_cast<int>(first - offered.begin())});
    }
    const std::string earlier = "earlier\r\n";
    for (const auto& [button, name, filter] : outputs) {
        for (const Fault fault : {Fault::MissingDirectory, Fault::DirectoryInTheWay,
                                  Fault::FileSizeLimit, Fault::DirectoryRemoved}) {
            const char* faultName = kFaultNames[static_cast<int>(fault)];
            SCOPED_TRACE(std::string(button) + ", " + faultName);
            m_prompts.clear();
            QDir place(path("zapis"));
            place.removeRecursively();
            const QString target = place.filePath(name);
            std::function<void()> afterwards;
            std::optional<FileSizeLimit> limit;
            if (fault == Fault::DirectoryInTheWay) {
                ASSERT_TRUE(QDir().mkpath(target));
                ASSERT_TRUE(writeFileBytes((target + "/keep").toStdString(), earlier));
                m_prompts.answerYesNo(true); // "... juz istnieje - Nadpisac ?"
            } else if (fault != Fault::MissingDirectory) {
                ASSERT_TRUE(QDir().mkpath(place.path()));
                ASSERT_TRUE(writeFileBytes(target.toStdString(), earlier));
            }
            if (fault == Fault::FileSizeLimit) {
                m_prompts.answerYesNo(true);
                limit.emplace(64); // far less than any output; the printer's correction fits
            } else if (fault == Fault::DirectoryRemoved) {
                afterwards = [&place] { place.removeRecursively(); };
            }
            if (std::string_view(button) == "DrukujSzablon") {
                gui::TemplateChoice choice;
                choice.action = gui::TemplateChoice::Action::SavePdf;
                m_prompts.answerTemplate(choice);
            }
            m_prompts.answerSaveFileWithFilter(target, filter, afterwards);
            clickEnabled(m_window, output(button));
            // The 3-D view's button opens its window, which saves the image.
            if (std::string_view(button) == "Widok3D") {
                clickEnabled(*child<QWidget>(m_window, "TWidok3D"), "WidokZapiszObraz");
            }
            limit.reset();
            const QStringList errors = m_prompts.texts(Kind::Error);
            const QString said = "Nie moge zapisac pliku " + target + " : ";
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].startsWith(said) && errors[0].size() > said.size())
                << errors[0].toStdString();
            EXPECT_TRUE(m_prompts.texts(Kind::Warning).isEmpty());
            bool intact = true;
            const char* left = "; nothing created";
            if (fault == Fault::DirectoryInTheWay) {
                intact = QFileInfo(target).isDir() &&
                         readFileBytes((target + "/keep").toStdString()) == earlier;
                left = "; the directory and its file intact";
            } else if (fault == Fault::FileSizeLimit) {
                intact = readFileBytes(target.toStdString()) == earlier &&
                         place.entryList(QDir::Files | QDir::Hidden) == QStringList{name};
                left = "; earlier file intact, no temporary file left";
            } else {
                // Missing from the start, or removed with the earlier file by someone else:
                // nothing is written anywhere instead.
                intact = !QFileInfo::exists(place.path());
            }
            EXPECT_TRUE(intact);
            std::printf("[write] %s window %s, %s: %s%s\n", definition().key.c_str(), button,
                        faultName, errors[0].toStdString().c_str(),
                        intact ? left : "; NOT AS IT WAS");
        }
    }
}

TEST_P(CalculatorWindowTest, AFailedSaveOfTheInputsWarnsAndKeepsTheEarlierFile) {
    const QString file = q(definition().savedInputsFileName);
    const std::string earlier = "earlier\r\n";
    for (const Fault fault :
         {Fault::MissingDirectory, Fault::DirectoryInTheWay, Fault::FileSizeLimit}) {
        const char* faultName = fault == Fault::MissingDirectory
                                    ? "directory cannot be made (a file in its place)"
                                    : kFaultNames[static_cast<int>(fault)];
        SCOPED_TRACE(faultName);
        QDir place(path("dane"));
        place.removeRecursively();
        QFile::remove(place.path());
        gui::GuiContext inputs = context();
        inputs.savedInputsDirectory = place.path();
        QString kept = place.filePath(file);
        std::optional<FileSizeLimit> limit;
        if (fault == Fault::MissingDirectory) {
            kept = place.path(); // a file where the directory should be: it cannot be made
            ASSERT_TRUE(writeFileBytes(kept.toStdString(), earlier));
        } else if (fault == Fault::DirectoryInTheWay) {
            ASSERT_TRUE(QDir().mkpath(place.filePath(file)));
            kept = place.filePath(file + "/keep");
            ASSERT_TRUE(writeFileBytes(kept.toStdString(), earlier));
        } else {
            ASSERT_TRUE(QDir().mkpath(place.path()));
            ASSERT_TRUE(writeFileBytes(kept.toStdString(), earlier));
        }
        m_prompts.clear();
        {
            gui::CalculatorWindow window(*GetParam(), inputs);
            window.show();
            if (fault == Fault::FileSizeLimit) {
                limit.emplace(4);
            }
            window.close();
            limit.reset();
        }
        const QStringList warnings = m_prompts.texts(Kind::Warning);
        EXPECT_EQ(warnings, QStringList{"Nie moge zapisac do pliku"});
        const bool intact = readFileBytes(kept.toStdString()) == earlier;
        EXPECT_TRUE(intact);
        std::printf("[write] %s window, saved inputs, %s: %s%s\n", definition().key.c_str(),
                    faultName, warnings.join(" | ").toStdString().c_str(),
                    intact ? "; earlier file intact" : "; NOT AS IT WAS");
    }
}

TEST_P(CalculatorWindowTest, ThePrintoutCarriesTheCalculatorsJobTitle) {
    calculate();
    m_prompts.answerPrintToPdf(std::nullopt);
    clickEnabled(m_window, output("DrukujWyniki"));
    const QString pdf = path("wydruk.pdf");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    m_prompts.answerPrintToPdf(pdf);
    clickEnabled(m_window, output("DrukujWyniki"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression(
        "Title:\\s+" + QRegularExpression::escape(q(definition().printJobTitle)) + "\n")))
        << text.toStdString();
}

TEST_P(CalculatorWindowTest, HostileTextsInTheFieldsEndAsTheCoreSaysAndDrawWhenCalculated) {
    // Sets of the core's hostile-input sweep put straight into the fields, as a saved file or
    // an edit past the key filter leaves them: the window shows what the core says, and a
    // calculated drawing, however large or small, is drawn.
    QImage shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::DrawingPreview*>(&dialog)->image();
    });
    for (std::uint64_t index = 0; index < 30; ++index) {
        const HostileSet set = hostileSet(definition(), 17, index);
        SCOPED_TRACE("set " + std::to_string(index) + ": " + describe(definition(), set));
        chooseDevelopment(set.development);
        setInputs(set.inputs);
        const auto result = GetParam()->calculate(set.inputs, set.development, today());
        m_prompts.clear();
        calculate();
        QStringList said;
        for (const auto& message : result.messages) {
            said << q(message.text);
        }
        EXPECT_EQ((m_prompts.texts(Kind::Warning) + m_prompts.texts(Kind::Error)).join('\n'),
                  said.join('\n'));
        EXPECT_LE(m_prompts.prompts().size(), 1u) << "one refusal, one box";
        ASSERT_EQ(outputsEnabled(), result.outputs.has_value());
        if (result.outputs) {
            shown = QImage();
            clickEnabled(m_window, output("ZobaczRysunek"));
            EXPECT_FALSE(shown.isNull());
        }
    }
}

TEST_P(CalculatorWindowTest, ThePreviewShowsEachDevelopmentsDrawingInItsOwnWindow) {
    QImage shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::DrawingPreview*>(&dialog)->image();
    });
    std::vector<QImage> images;
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        chooseDevelopment(development);
        calculate();
        clickEnabled(m_window, output("ZobaczRysunek"));
        ASSERT_FALSE(shown.isNull());
        bool drawn = false;
        for (int y = 0; y < shown.height() && !drawn; ++y) {
            for (int x = 0; x < shown.width() && !drawn; ++x) {
                drawn = shown.pixel(x, y) != qRgb(255, 255, 255);
            }
        }
        EXPECT_TRUE(drawn);
        for (const QImage& earlier : images) {
            EXPECT_NE(shown, earlier);
        }
        images.push_back(shown);
    }
    EXPECT_EQ(m_prompts.texts(Kind::Modal), QStringList(static_cast<qsizetype>(developmentCount()),
                                                        q(definition().window.previewName)));
}

TEST_P(CalculatorWindowTest, TheSchemeShowsThePictureOfTheCheckedDevelopment) {
    QString shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::TWynikiSchemat*>(&dialog)->pictureName();
    });
    for (std::size_t development = 0; development < developmentCount(); ++development) {
        chooseDevelopment(development);
        clickEnabled(m_window, q(names().schemeButton));
        const auto& d = definition();
        EXPECT_EQ(shown, q(d.developments.empty() ? d.window.schemePicture
                                                  : d.developments[development].schemePicture));
    }
}

TEST_P(CalculatorWindowTest, MakerLabelsOpenTheWebPageAndANewEmail) {
    QTest::mouseClick(child<QLabel>(m_window, "Label19"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(m_window, "Label20"), Qt::LeftButton);
    const QStringList urls = m_prompts.texts(Kind::OpenUrl);
    ASSERT_EQ(urls.size(), 2);
    EXPECT_EQ(urls[0], QString::fromUtf8(core::kMakerWebAddress));
    EXPECT_EQ(QUrl(urls[1]).scheme(), "mailto");
    EXPECT_EQ(QUrl(urls[1]).path(), QString::fromUtf8(core::kMakerEmail));
    EXPECT_EQ(QUrlQuery(QUrl(urls[1])).queryItemValue("subject", QUrl::FullyDecoded),
              "Blachorys (trabo) ");
    EXPECT_EQ(QUrlQuery(QUrl(urls[1])).queryItemValue("body"), "Text_wiadmosci");
}

TEST_P(CalculatorWindowTest, LongHintsGoToTheNewestWindowStillOpen) {
    auto* older = child<QStatusBar>(m_window, q(names().statusBar));
    const auto& firstField = definition().fields.front();
    const auto& lastField = definition().fields.back();
    {
        gui::CalculatorWindow newer(*GetParam(), context());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(field(firstField.name), &enter);
        EXPECT_EQ(child<QStatusBar>(newer, q(names().statusBar))->currentMessage(),
                  q(core::longHint(firstField.hint)));
        EXPECT_EQ(older->currentMessage(), "");
    }
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(field(lastField.name), &enter);
    EXPECT_EQ(older->currentMessage(), q(core::longHint(lastField.hint)));
}

TEST_P(CalculatorWindowTest, EnterInAFieldCalculatesAsLiczDoes) {
    QLineEdit* last = field(definition().tabOrder.back());
    const QString text = last->text();
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_TRUE(outputsEnabled());
    EXPECT_NE(memoText(), "");
    EXPECT_EQ(last->text(), text) << "Enter types nothing";
    typeInto(m_window, last->objectName(), "0");
    EXPECT_FALSE(outputsEnabled());
    last->setText(text);
    QTest::keyClick(last, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(outputsEnabled());
}

TEST_P(CalculatorWindowTest, ANameTypedWithoutItsExtensionGetsTheFiltersOne) {
    calculate();
    m_prompts.answerSaveFile(path("wyniki"));
    clickEnabled(m_window, output("ZapiszWyniki"));
    m_prompts.answerSaveFile(path("rysunek."));
    clickEnabled(m_window, output("ZapiszRysunek"));
    EXPECT_TRUE(QFileInfo::exists(path("wyniki.txt")));
    EXPECT_TRUE(QFileInfo::exists(path("rysunek.dxf")));
    EXPECT_FALSE(QFileInfo::exists(path("wyniki")));
    // A name with an extension of its own keeps it; the question asks about the real file.
    m_prompts.answerSaveFile(path("wyniki"));
    m_prompts.answerYesNo(false);
    clickEnabled(m_window, output("ZapiszWyniki"));
    EXPECT_EQ(m_prompts.texts(Kind::YesNo),
              QStringList({"Plik - " + path("wyniki.txt") + " juz istnieje - Nadpisac ?"}));
    m_prompts.answerSaveFile(path("wyniki.raport"));
    clickEnabled(m_window, output("ZapiszWyniki"));
    EXPECT_TRUE(QFileInfo::exists(path("wyniki.raport")));
}

/** A PDF without the moment it was made, which is all that tells two makings apart. */
std::string timeless(std::string pdf) {
    const std::string key = "/CreationDate (";
    const auto at = pdf.find(key);
    if (at != std::string::npos) {
        pdf.erase(at, pdf.find(')', at) - at + 1);
    }
    return pdf;
}

int pdfPages(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    EXPECT_TRUE(info.waitForFinished(10000));
    const auto match = QRegularExpression("Pages:\\s+(\\d+)\n")
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

TEST_P(CalculatorWindowTest, TheTemplateIsTheCommandLinesPdfWithAPageForEveryTile) {
    calculate();
    gui::TemplateChoice choice;
    choice.action = gui::TemplateChoice::Action::SavePdf;
    choice.settings.overlapMm = 15.0;
    m_prompts.answerTemplate(choice);
    const QString pdf = path("szablon.pdf");
    m_prompts.answerSaveFile(pdf);
    clickEnabled(m_window, output("DrukujSzablon"));
    ASSERT_EQ(m_prompts.prompts().size(), 2u);
    EXPECT_EQ(m_prompts.prompts()[1].filter, "Plik PDF|*.pdf");
    EXPECT_TRUE(m_prompts.prompts()[1].initialName.endsWith("_szablon.pdf"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());

    const auto outputs = expected(0).outputs;
    ASSERT_TRUE(outputs);
    const auto planning =
        core::planTemplate(outputs->pattern, outputs->look.styles, choice.settings, 0.0);
    ASSERT_TRUE(planning.plan) << planning.problem;
    EXPECT_EQ(pdfPages(pdf), 1 + static_cast<int>(planning.plan->pages.size()));

    std::vector<std::string> arguments{
        definition().key, "--date", today(), "--template-pdf", path("cli.pdf").toStdString(),
        "--overlap",      "15"};
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runCli(arguments, out, err), cli::kExitCalculated) << err.str();
    EXPECT_EQ(timeless(readFileBytes(pdf.toStdString())),
              timeless(readFileBytes(path("cli.pdf").toStdString())));
}

TEST_P(CalculatorWindowTest, TheTemplateRemembersThePrintersScaleCorrection) {
    calculate();
    EXPECT_FALSE(QFileInfo::exists(path("szablon.dat")));
    gui::TemplateChoice choice;
    choice.action = gui::TemplateChoice::Action::SavePdf;
    choice.settings.scaleXPercent = 101.5;
    choice.settings.scaleYPercent = 99.0;
    m_prompts.answerTemplate(choice);
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, output("DrukujSzablon"));
    EXPECT_EQ(m_prompts.lastTemplateSettings().scaleXPercent, 100.0);
    EXPECT_EQ(readFileBytes(path("szablon.dat").toStdString()), "101.5\r\n99.0\r\n");

    // A window of the next run opens the dialog with it.
    gui::CalculatorWindow next(*GetParam(), context());
    next.show();
    clickEnabled(next, q(names().calculateButton));
    m_prompts.answerTemplate(std::nullopt);
    clickEnabled(next, output("DrukujSzablon"));
    EXPECT_EQ(m_prompts.lastTemplateSettings().scaleXPercent, 101.5);
    EXPECT_EQ(m_prompts.lastTemplateSettings().scaleYPercent, 99.0);
    EXPECT_TRUE(QDir(m_directory.path()).entryList({"*.pdf"}, QDir::Files).isEmpty());
}

TEST_P(CalculatorWindowTest, TheTemplatePrintsThroughThePrintDialog) {
    calculate();
    gui::TemplateChoice choice;
    choice.settings.orientation = core::PageOrientation::Landscape;
    m_prompts.answerTemplate(choice);
    const QString pdf = path("druk.pdf");
    m_prompts.answerPrintToPdf(pdf);
    clickEnabled(m_window, output("DrukujSzablon"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    EXPECT_GE(pdfPages(pdf), 2);
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Title:           Szablon 1:1 - " + q(definition().printHeading)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Page size:\\s+842[.\\d]* x 595")))
        << text.toStdString();
}

TEST_P(CalculatorWindowTest, OneSheetOfTheTemplateIsPrintedAgainByItsOwnNumber) {
    calculate();
    gui::TemplateChoice choice;
    choice.settings.orientation = core::PageOrientation::Portrait;
    const auto planning =
        core::planTemplate(expected(0).outputs->pattern, {}, choice.settings, 0.0);
    ASSERT_TRUE(planning.plan) << planning.problem;
    const int sheets = planning.plan->sheetCount();
    ASSERT_GE(sheets, 3);
    m_prompts.answerTemplate(choice);
    const QString pdf = path("arkusz.pdf");
    m_prompts.answerPrintToPdf(pdf, 3, 3);
    clickEnabled(m_window, output("DrukujSzablon"));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    // The dialog offered every sheet by the number the sheet carries.
    ASSERT_EQ(m_prompts.prompts().back().kind, Kind::Print);
    EXPECT_EQ(m_prompts.prompts().back().pageCount, sheets);
    EXPECT_EQ(pdfPages(pdf), 1);
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(printed.contains(QStringLiteral("strona 3 z %1").arg(sheets)))
        << printed.toStdString();
    // Sheet 3 is the second tile: its name stands before the heading.
    EXPECT_TRUE(
        printed.contains(q(planning.plan->pages[1].name) + u' ' + q(definition().printHeading)))
        << printed.toStdString();
}

using WallOnScreen = GuiFixture;

TEST_F(WallOnScreen, WithAThicknessTheMemoSaysWhatTheTypedSizesMeanAboveThePoints) {
    struct Row {
        const char* calculator;
        const char* field;
        const char* text;
        const char* line; ///< a wall line of the report's header
    };
    for (const Row& row : {
             Row{"kolanosegm", "t", "3", "rozwiniecie na osi blachy : Dr' = 297.0"},
             Row{"rurarura", "tm", "10", "Krociec nakladany na plaszcz"},
             Row{"stozek", "t", "3", "t = 3.0 [mm] (Dsm, Dsd - srednice zewnetrzne)"},
         }) {
        SCOPED_TRACE(row.calculator);
        gui::CalculatorWindow window(*core::findCalculator(row.calculator), context());
        window.show();
        const core::ComponentNames& names = window.definition().window.components;
        child<QLineEdit>(window, q(std::string("Edit_") + row.field))->setText(row.text);
        clickEnabled(window, q(names.calculateButton));
        const QStringList memo =
            child<QPlainTextEdit>(window, q(names.resultsMemo))->toPlainText().split('\n');
        const auto wall = memo.indexOf(q(row.line));
        const auto firstPoint = memo.indexOf(QRegularExpression(QStringLiteral("\\s*0 .*")));
        EXPECT_GE(wall, 0) << memo.join('\n').toStdString();
        EXPECT_LT(wall, firstPoint);
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, CalculatorWindowTest, ::testing::ValuesIn(core::calculators()),
                         [](const auto& info) { return info.param->definition().key; });

} // namespace
} // namespace blachorys::test
