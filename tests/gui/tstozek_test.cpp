#include "cases/cone/tstozek.h"
#include "cli/clirunner.h"
#include "common/gui/drawingpreview.h"
#include "common/io/reportdate.h"
#include "support/calculatorfixture.h"
#include "support/golden.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTest>

#include <sstream>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;

class ConeWindowTest : public GuiFixture {
protected:
    ConeWindowTest() : m_window(context()) {
        m_activeCalculator = &m_window;
        m_window.show();
        // Focus events, which show and hide the diameter notes, need an active window.
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QString memoText() { return child<QPlainTextEdit>(m_window, "StMemo_Wyniki")->toPlainText(); }
    QString field(const char* name) { return child<QLineEdit>(m_window, name)->text(); }
    void setField(const char* name, const QString& text) {
        child<QLineEdit>(m_window, name)->setText(text);
    }
    bool enabled(const char* name) { return child<QPushButton>(m_window, name)->isEnabled(); }
    QString path(const QString& name) { return m_directory.filePath(name); }

    gui::TStozek_ m_window;
};

const char* const kOutputButtons[] = {"StZapiszRysunek", "StZapiszWyniki", "StDrukujWyniki",
                                      "StZobaczRysunek"};

TEST_F(ConeWindowTest, OpensWithDefaultsInTabOrderAndOutputsDisabled) {
    EXPECT_EQ(m_window.objectName(), "Stozek_");
    EXPECT_EQ(m_window.windowTitle(), QString::fromUtf8("Stożek"));
    EXPECT_EQ(m_window.fieldTexts(), QStringList({"800", "0", "24", "1000", "600", "100"}));
    EXPECT_EQ(memoText(), QString::fromUtf8("Wyniki - lista punktów"));
    for (const char* button : kOutputButtons) {
        EXPECT_FALSE(enabled(button)) << button;
    }
    EXPECT_EQ(child<QPushButton>(m_window, "StSchematWynikow")->text(),
              QString::fromUtf8("Schemat wyników"));
    EXPECT_TRUE(enabled("StSchematWynikow"));
    EXPECT_NE(child<QStatusBar>(m_window, "StStatusBar"), nullptr);

    QStringList walked;
    QWidget* widget = child<QLineEdit>(m_window, "Edit_Dsm");
    for (int i = 0; i < 6; ++i) {
        walked << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(walked,
              QStringList({"Edit_Dsm", "Edit_Dsd", "Edit_alfa", "Edit_Hs", "Edit_E", "Edit_N"}));
    EXPECT_EQ(widget->objectName(), "Button1");
}

TEST_F(ConeWindowTest, SignedFieldsTakeOneMinusTheOthersNone) {
    for (const char* name : {"Edit_alfa", "Edit_E"}) {
        setField(name, "");
        typeInto(m_window, name, "--4.5.1");
        EXPECT_EQ(field(name), "-4.51") << name;
    }
    setField("Edit_Hs", "");
    typeInto(m_window, "Edit_Hs", "-12.5");
    EXPECT_EQ(field("Edit_Hs"), "12.5");
    setField("Edit_N", "");
    typeInto(m_window, "Edit_N", "3.6");
    EXPECT_EQ(field("Edit_N"), "36");
}

TEST_F(ConeWindowTest, LiczShowsTheResultsAndAnyEditTakesThemAway) {
    clickEnabled(m_window, "Button1");
    EXPECT_TRUE(m_prompts.prompts().empty());
    const QStringList lines = memoText().split('\n');
    ASSERT_EQ(lines.size(), 28);
    EXPECT_EQ(lines[0], "  0  Xm=  3029.9, Ym=     0.0, Xd=  4039.8, Yd=     0.0");
    EXPECT_EQ(lines[27], "1590.8 x 2349.4");
    for (const char* button : kOutputButtons) {
        EXPECT_TRUE(enabled(button)) << button;
    }
    EXPECT_EQ(child<QPlainTextEdit>(m_window, "StMemo_Wyniki")->textCursor().position(), 0);

    typeInto(m_window, "Edit_E", "5");
    EXPECT_EQ(memoText(), "");
    for (const char* button : kOutputButtons) {
        EXPECT_FALSE(enabled(button)) << button;
    }
}

TEST_F(ConeWindowTest, FailingChecksShowTheirBoxesWithoutAClosingMessage) {
    setField("Edit_N", "1");
    setField("Edit_Dsm", "800");
    clickEnabled(m_window, "Button1");
    EXPECT_EQ(m_prompts.texts(Kind::Warning),
              QStringList({"Blad danych : N < 2", "Blad danych : Dsm = Dsd "}));
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    EXPECT_FALSE(enabled("StZapiszWyniki"));

    m_prompts.clear();
    setField("Edit_N", "");
    setField("Edit_Dsm", "600");
    clickEnabled(m_window, "Button1");
    EXPECT_EQ(field("Edit_N"), "0");
    EXPECT_EQ(m_prompts.texts(Kind::Warning), QStringList({"Blad danych : N < 2"}));
}

TEST_F(ConeWindowTest, ZeroLengthStopsWithAnErrorAndNoResults) {
    setField("Edit_Hs", "0");
    clickEnabled(m_window, "Button1");
    EXPECT_EQ(m_prompts.texts(Kind::Error),
              QStringList({"Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez "
                           "zero."}));
    EXPECT_TRUE(m_prompts.texts(Kind::Warning).isEmpty());
    EXPECT_EQ(memoText(), "");
    for (const char* button : kOutputButtons) {
        EXPECT_FALSE(enabled(button)) << button;
    }
}

TEST_F(ConeWindowTest, DiameterNotesFollowTheFocus) {
    auto* note = child<QPlainTextEdit>(m_window, "StMemoOpisSRednic");
    // The window opens with the focus in Dsm, the first field, and so with its note shown.
    EXPECT_TRUE(child<QLineEdit>(m_window, "Edit_Dsm")->hasFocus());
    EXPECT_TRUE(note->isVisible());
    child<QLineEdit>(m_window, "Edit_N")->setFocus();
    EXPECT_FALSE(note->isVisible());
    child<QLineEdit>(m_window, "Edit_Dsm")->setFocus();
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->toPlainText(), "Dla stozka zwijanego\nz arkusza blachy\npodajemy srednia\n"
                                   "srednice\n\nDsm=(Dsm_zew +\n        + Dsm_wew) / 2");
    child<QLineEdit>(m_window, "Edit_Dsd")->setFocus();
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->toPlainText().endsWith("Dsd=(Dsd_zew +\n        + Dsd_wew) / 2"));
    child<QLineEdit>(m_window, "Edit_Hs")->setFocus();
    EXPECT_FALSE(note->isVisible());
}

TEST_F(ConeWindowTest, FilesAreTheCommandLinesByteForByte) {
    setField("Edit_E", "-35.5");
    setField("Edit_alfa", "12");
    setField("Edit_N", "36");
    clickEnabled(m_window, "Button1");
    const QString txt = path("okno.txt");
    const QString dxf = path("okno.dxf");
    m_prompts.answerSaveFile(txt);
    clickEnabled(m_window, "StZapiszWyniki");
    m_prompts.answerSaveFile(dxf);
    clickEnabled(m_window, "StZapiszRysunek");
    ASSERT_EQ(m_prompts.prompts().size(), 2u);
    EXPECT_EQ(m_prompts.prompts()[0].initialName, "Stozek.txt");
    EXPECT_EQ(m_prompts.prompts()[0].filter, "Plik tekstowy - TXT|*.txt");
    EXPECT_EQ(m_prompts.prompts()[1].initialName, "stozek.dxf");
    EXPECT_EQ(m_prompts.prompts()[1].filter, "Plik rysunku -  DXF|*.dxf");

    std::ostringstream out;
    std::ostringstream err;
    const int exit =
        cli::runCli({"stozek", "E=-35.5", "alfa=12", "N=36", "--date",
                     io::reportDateText(testDay()).toStdString(), "--txt",
                     path("cli.txt").toStdString(), "--dxf", path("cli.dxf").toStdString()},
                    out, err);
    ASSERT_EQ(exit, cli::kExitCalculated) << err.str();
    const std::string windowTxt = readFileBytes(txt.toStdString());
    EXPECT_EQ(windowTxt.size(), QFileInfo(txt).size());
    EXPECT_GT(windowTxt.size(), 2000u);
    EXPECT_EQ(windowTxt, readFileBytes(path("cli.txt").toStdString()));
    EXPECT_EQ(readFileBytes(dxf.toStdString()), readFileBytes(path("cli.dxf").toStdString()));
}

TEST_F(ConeWindowTest, DefaultFilesMatchTheGoldenFiles) {
    clickEnabled(m_window, "Button1");
    m_prompts.answerSaveFile(path("s.txt"));
    clickEnabled(m_window, "StZapiszWyniki");
    m_prompts.answerSaveFile(path("s.dxf"));
    clickEnabled(m_window, "StZapiszRysunek");
    std::string golden = readGolden("cone/report_defaults.txt");
    const std::string goldenDate = "08-12-2026";
    golden.replace(golden.find(goldenDate), goldenDate.size(),
                   io::reportDateText(testDay()).toStdString());
    EXPECT_EQ(readFileBytes(path("s.txt").toStdString()), golden);
    EXPECT_EQ(readFileBytes(path("s.dxf").toStdString()), readGolden("cone/template_defaults.dxf"));
}

TEST_F(ConeWindowTest, PrintoutIsTitledForTheConeAndFitsOnePage) {
    clickEnabled(m_window, "Button1");
    const QString pdf = path("wydruk.pdf");
    m_prompts.answerPrintToPdf(pdf);
    clickEnabled(m_window, "StDrukujWyniki");
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression("Title:\\s+Wydruk : Rozwiniecie Stozka\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+1\n"))) << text.toStdString();
}

TEST_F(ConeWindowTest, PreviewShowsThePatternInItsFourColours) {
    clickEnabled(m_window, "Button1");
    QImage shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::DrawingPreview*>(&dialog)->image();
    });
    clickEnabled(m_window, "StZobaczRysunek");
    EXPECT_EQ(m_prompts.texts(Kind::Modal), QStringList({"TStWynikiRysunek"}));
    ASSERT_FALSE(shown.isNull());
    QSet<QRgb> colours;
    int leftmost = shown.width();
    int rightmost = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y) & 0xffffff;
            colours.insert(pixel);
            if (pixel != 0xffffff) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    EXPECT_EQ(colours, QSet<QRgb>({0xffffff, 0x000000, 0x18e403, 0xff00ff, 0xff0000}));
    // Centred on its bounding box: the margins left and right are alike.
    EXPECT_NEAR(leftmost, shown.width() - 1 - rightmost, 3);
}

TEST_F(ConeWindowTest, ClosingSavesTheFieldsInCreationOrder) {
    setField("Edit_E", "-7.5");
    m_window.close();
    EXPECT_EQ(readFileBytes(path("dane_st.dat").toStdString()),
              "800\r\n0\r\n24\r\n1000\r\n600\r\n-7.5\r\n");
}

} // namespace
} // namespace blachorys::test
