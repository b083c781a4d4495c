#include "cases/pipe_pipe/trurarura.h"
#include "common/core/makercontact.h"
#include "common/gui/drawingpreview.h"
#include "common/io/reportdate.h"
#include "support/calculatorfixture.h"
#include "support/golden.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;

class PipePipeWindowTest : public GuiFixture {
protected:
    PipePipeWindowTest() : m_window(context()) {
        m_activeCalculator = &m_window;
        m_window.show();
        // Focus events, which show and hide the diameter notes, need an active window.
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QString memoText() { return child<QPlainTextEdit>(m_window, "RRMemo_Wyniki")->toPlainText(); }
    QString field(const char* name) { return child<QLineEdit>(m_window, name)->text(); }
    void setField(const char* name, const QString& text) {
        child<QLineEdit>(m_window, name)->setText(text);
    }
    bool enabled(const char* name) { return child<QPushButton>(m_window, name)->isEnabled(); }
    QString path(const QString& name) { return m_directory.filePath(name); }

    gui::TRurarura m_window;
};

/** The report golden with the footer date as the window writes it for the test day. */
std::string reportGolden(const std::string& name) {
    std::string bytes = readGolden(name);
    const std::string goldenDate = "08-12-2026";
    bytes.replace(bytes.find(goldenDate), goldenDate.size(),
                  io::reportDateText(testDay()).toStdString());
    return bytes;
}

const char* const kOutputButtons[] = {"ZapiszRysunek", "ZapiszWyniki", "DrukujWyniki",
                                      "ZobaczRysunek"};

TEST_F(PipePipeWindowTest, OpensWithDefaultsTheInitialMemoLineAndOutputsDisabled) {
    EXPECT_EQ(m_window.objectName(), "Rurarura");
    EXPECT_EQ(m_window.windowTitle(), QString::fromUtf8("Połączenie :   Rura - rura"));
    EXPECT_EQ(field("Edit_Dm"), "300");
    EXPECT_EQ(field("Edit_N"), "24");
    EXPECT_EQ(memoText(), QString::fromUtf8("Wyniki - lista punktów"));
    for (const char* button : kOutputButtons) {
        EXPECT_FALSE(enabled(button)) << button;
    }
    EXPECT_TRUE(enabled("SchematWynikow"));
    EXPECT_EQ(child<QPushButton>(m_window, "SchematWynikow")->text(),
              QString::fromUtf8("Schemat wyników - Rura mniejsza"));
    EXPECT_TRUE(child<QRadioButton>(m_window, "RadioButRozwRurM")->isChecked());
}

TEST_F(PipePipeWindowTest, KeyFiltersDropWhatTheFieldDoesNotTake) {
    setField("Edit_Dm", "");
    typeInto(m_window, "Edit_Dm", "1.2.3");
    EXPECT_EQ(field("Edit_Dm"), "1.23");
    setField("Edit_P", "");
    typeInto(m_window, "Edit_P", "--5");
    EXPECT_EQ(field("Edit_P"), "-5");
    setField("Edit_P", "");
    typeInto(m_window, "Edit_P", "5-");
    EXPECT_EQ(field("Edit_P"), "5-");
    setField("Edit_N", "");
    typeInto(m_window, "Edit_N", "2.4-a");
    EXPECT_EQ(field("Edit_N"), "24");
    setField("Edit_Dd", "");
    typeInto(m_window, "Edit_Dd", "8 0,0x");
    EXPECT_EQ(field("Edit_Dd"), "800");
    // Backspace passes, Ctrl+V is a control character and is dropped.
    QTest::keyClick(child<QLineEdit>(m_window, "Edit_Dd"), Qt::Key_Backspace);
    EXPECT_EQ(field("Edit_Dd"), "80");
    QApplication::clipboard()->setText("999");
    QTest::keyClick(child<QLineEdit>(m_window, "Edit_Dd"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field("Edit_Dd"), "80");
}

TEST_F(PipePipeWindowTest, FilterLooksAtTheTextNotTheSelection) {
    auto* dm = child<QLineEdit>(m_window, "Edit_Dm");
    dm->setText("1.5");
    dm->setFocus();
    dm->setSelection(1, 1);
    QTest::keyClick(dm, Qt::Key_Period);
    EXPECT_EQ(dm->text(), "1.5");
}

TEST_F(PipePipeWindowTest, LiczShowsTheResultLinesAndEnablesTheOutputs) {
    clickEnabled(m_window, "Button1");
    EXPECT_TRUE(m_prompts.prompts().empty());
    const QStringList lines = memoText().split('\n');
    ASSERT_EQ(lines.size(), 29);
    EXPECT_EQ(lines[0], QString::fromUtf8("Rozwiniecie RURY MNIEJSZEJ (KRÓCCA)"));
    EXPECT_EQ(lines[1], "  0   L=     0.0     h=   353.6");
    EXPECT_EQ(lines[19], " 18   L=   706.9     h=   506.4");
    EXPECT_EQ(lines[28], "942.5 x 506.4");
    for (const char* button : kOutputButtons) {
        EXPECT_TRUE(enabled(button)) << button;
    }
    EXPECT_EQ(child<QPlainTextEdit>(m_window, "RRMemo_Wyniki")->textCursor().position(), 0);
}

TEST_F(PipePipeWindowTest, AnyEditAfterLiczEmptiesTheMemoAndDisablesTheOutputs) {
    clickEnabled(m_window, "Button1");
    typeInto(m_window, "Edit_H", "1");
    EXPECT_EQ(memoText(), "");
    for (const char* button : kOutputButtons) {
        EXPECT_FALSE(enabled(button)) << button;
    }
    EXPECT_TRUE(enabled("SchematWynikow"));

    clickEnabled(m_window, "Button1");
    QTest::mouseClick(child<QRadioButton>(m_window, "RadioButRozwRurW"), Qt::LeftButton);
    EXPECT_EQ(memoText(), "");
    EXPECT_FALSE(enabled("ZapiszWyniki"));
    EXPECT_EQ(child<QPushButton>(m_window, "SchematWynikow")->text(),
              QString::fromUtf8("Schemat wyników - Rura WIEKSZA"));
}

TEST_F(PipePipeWindowTest, FailingChecksShowTheirBoxesInOrderThenDaneNieOk) {
    setField("Edit_Dm", "900");
    setField("Edit_Beta", "180");
    setField("Edit_N", "");
    clickEnabled(m_window, "Button1");
    EXPECT_EQ(m_prompts.texts(Kind::Warning),
              QStringList(
                  {"Blad danych : Dm > Dd",
                   QString::fromUtf8("Blad danych : Beta musi byc wieksza od 0 i mniejsza od 180°"),
                   "Blad danych : N < 2", "Blad danych : Dm/2 + P > Dd/2", "Dane NIE OK"}));
    EXPECT_EQ(field("Edit_N"), "0");
    EXPECT_FALSE(enabled("ZapiszWyniki"));
}

TEST_F(PipePipeWindowTest, NonNumbersBecomeZeroAndAFractionalNIsNamed) {
    setField("Edit_P", "5-");
    setField("Edit_N", "24.5");
    clickEnabled(m_window, "Button1");
    EXPECT_EQ(field("Edit_P"), "0");
    EXPECT_EQ(m_prompts.texts(Kind::Error),
              QStringList({"Blad danych : '24.5' nie jest liczba calkowita"}));
    EXPECT_TRUE(m_prompts.texts(Kind::Warning).isEmpty());
}

TEST_F(PipePipeWindowTest, TxtSavesTheWholeReportAndAsksBeforeOverwriting) {
    clickEnabled(m_window, "Button1");
    const QString target = path("wyniki.txt");
    m_prompts.answerSaveFile(target);
    clickEnabled(m_window, "ZapiszWyniki");
    ASSERT_EQ(m_prompts.prompts().size(), 1u);
    EXPECT_EQ(m_prompts.prompts()[0].filter, "Plik tekstowy - TXT|*.txt");
    EXPECT_EQ(m_prompts.prompts()[0].initialName, "rurarura.txt");
    EXPECT_EQ(readFileBytes(target.toStdString()), reportGolden("pipe_pipe/report_smaller.txt"));

    // Second save: the dialog offers the last name and the overwrite question comes; No
    // leaves the file untouched.
    QFile::resize(target, 10);
    m_prompts.clear();
    m_prompts.answerSaveFile(target);
    m_prompts.answerYesNo(false);
    clickEnabled(m_window, "ZapiszWyniki");
    EXPECT_EQ(m_prompts.prompts()[0].initialName, target);
    EXPECT_EQ(m_prompts.texts(Kind::YesNo),
              QStringList({"Plik - " + target + " juz istnieje - Nadpisac ?"}));
    EXPECT_EQ(QFileInfo(target).size(), 10);

    m_prompts.answerSaveFile(target);
    m_prompts.answerYesNo(true);
    clickEnabled(m_window, "ZapiszWyniki");
    EXPECT_EQ(readFileBytes(target.toStdString()), reportGolden("pipe_pipe/report_smaller.txt"));
}

TEST_F(PipePipeWindowTest, CancelledDialogWritesNothingAndAFailedWriteIsReported) {
    clickEnabled(m_window, "Button1");
    m_prompts.cancelSaveFile();
    clickEnabled(m_window, "ZapiszRysunek");
    EXPECT_EQ(m_prompts.prompts().size(), 1u);
    EXPECT_TRUE(QDir(m_directory.path()).entryList(QDir::Files).isEmpty());

    const QString nowhere = path("no-such-dir/rura_rura.dxf");
    m_prompts.answerSaveFile(nowhere);
    clickEnabled(m_window, "ZapiszRysunek");
    EXPECT_EQ(m_prompts.prompts()[1].filter, "Plik rysunku -  DXF|*.dxf");
    EXPECT_EQ(m_prompts.prompts()[1].initialName, "rura_rura.dxf");
    ASSERT_EQ(m_prompts.texts(Kind::Error).size(), 1);
    EXPECT_TRUE(m_prompts.texts(Kind::Error)[0].startsWith("Nie moge zapisac pliku " + nowhere));
}

TEST_F(PipePipeWindowTest, DxfButtonWritesTheTemplate) {
    clickEnabled(m_window, "Button1");
    const QString target = path("szablon.dxf");
    m_prompts.answerSaveFile(target);
    clickEnabled(m_window, "ZapiszRysunek");
    EXPECT_EQ(readFileBytes(target.toStdString()), readGolden("pipe_pipe/template_smaller.dxf"));
}

TEST_F(PipePipeWindowTest, PrintButtonPrintsTheReportWithItsJobTitle) {
    clickEnabled(m_window, "Button1");
    m_prompts.answerPrintToPdf(std::nullopt);
    clickEnabled(m_window, "DrukujWyniki");
    const QString pdf = path("wydruk.pdf");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    m_prompts.answerPrintToPdf(pdf);
    clickEnabled(m_window, "DrukujWyniki");
    EXPECT_TRUE(m_prompts.texts(Kind::Error).isEmpty());
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression("Title:\\s+Wydruk : Rozwiniecie Rura-Rura\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Pages:\\s+1\n"))) << text.toStdString();
}

TEST_F(PipePipeWindowTest, PreviewButtonShowsThisCalculationsDrawing) {
    clickEnabled(m_window, "Button1");
    QImage shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::DrawingPreview*>(&dialog)->image();
    });
    clickEnabled(m_window, "ZobaczRysunek");
    EXPECT_EQ(m_prompts.texts(Kind::Modal), QStringList({"TWynikiRysunek"}));
    ASSERT_FALSE(shown.isNull());
    // The template's magenta seam edges are there; the shell's drawing then differs.
    bool magenta = false;
    for (int x = 0; x < shown.width() && !magenta; ++x) {
        for (int y = 0; y < shown.height() && !magenta; ++y) {
            magenta = shown.pixelColor(x, y) == QColor(255, 0, 255);
        }
    }
    EXPECT_TRUE(magenta);
    const QImage templateImage = shown;
    child<QRadioButton>(m_window, "RadioButRozwRurW")->click();
    clickEnabled(m_window, "Button1");
    clickEnabled(m_window, "ZobaczRysunek");
    EXPECT_NE(shown, templateImage);
}

TEST_F(PipePipeWindowTest, DiameterNoteFollowsTheFocusAndTheDevelopment) {
    auto* note = child<QPlainTextEdit>(m_window, "MemoOpisSRednic");
    EXPECT_FALSE(note->isVisible());
    child<QLineEdit>(m_window, "Edit_Dm")->setFocus();
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->toPlainText().startsWith("Dla rury mniejszej\n- krócca"));
    child<QLineEdit>(m_window, "Edit_H")->setFocus();
    EXPECT_FALSE(note->isVisible());

    child<QRadioButton>(m_window, "RadioButRozwRurW")->click();
    child<QLineEdit>(m_window, "Edit_Dd")->setFocus();
    EXPECT_TRUE(note->toPlainText().startsWith("Dla rury wiekszej - plaszcza\n"));
    child<QLineEdit>(m_window, "Edit_Dm")->setFocus();
    EXPECT_EQ(note->toPlainText().split('\n').value(1), "");
}

TEST_F(PipePipeWindowTest, MakerLabelsOpenTheWebPageAndANewEmail) {
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

TEST_F(PipePipeWindowTest, LongHintsGoToTheNewestWindowStillOpen) {
    auto* older = child<QStatusBar>(m_window, "StatusBar");
    auto* edit = child<QLineEdit>(m_window, "Edit_N");
    EXPECT_EQ(edit->toolTip(), QString::fromUtf8("Podzial obwodu rowiniecia na N odcinków"));
    EXPECT_EQ(child<QLineEdit>(m_window, "Edit_Dm")->toolTip(), "Srednica rury mniejszej");
    {
        gui::TRurarura newer(context());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<QLineEdit>(m_window, "Edit_Dm"), &enter);
        EXPECT_EQ(child<QStatusBar>(newer, "StatusBar")->currentMessage(),
                  QString::fromUtf8("Srednica rury mniejszej (krócca)"));
        EXPECT_EQ(older->currentMessage(), "");
    }
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(older->currentMessage(),
              QString::fromUtf8("Podzial obwodu rowiniecia na N odcinków"));
}

} // namespace
} // namespace blachorys::test
