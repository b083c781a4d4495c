#include "app/tformblachorys.h"
#include "app/tinfo.h"
#include "cases/calculators.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/twynikischemat.h"
#include "support/calculatorfixture.h"
#include "support/golden.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace blachorys::test {
namespace {

using Kind = Prompt::Kind;

class MainWindowTest : public GuiFixture {
protected:
    void SetUp() override {
        m_main = std::make_unique<gui::TFormBlachorys>(m_prompts, m_directory.path());
        m_main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main.get()));
    }

    /** Opens the pipe-pipe calculator and lets it paint, which loads its saved inputs. */
    gui::CalculatorWindow* openPipePipe() {
        gui::CalculatorWindow* window = m_main->openCalculator("RURARURA");
        EXPECT_NE(window, nullptr);
        window->repaint();
        QCoreApplication::processEvents();
        return window;
    }
    QAction* action(const char* name) { return m_main->findChild<QAction*>(name); }
    QString savedFile() { return m_directory.filePath("danetmp.dat"); }
    void writeSavedFile(const QByteArray& bytes) {
        QFile file(savedFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList fields(gui::CalculatorWindow& window) { return window.fieldTexts(); }

    std::unique_ptr<gui::TFormBlachorys> m_main;
};

TEST_F(MainWindowTest, StartsWithCaptionMenusAndTheInformationWindow) {
    // A maximised child adds " - [its caption]" to the main window's caption.
    EXPECT_TRUE(m_main->windowTitle().startsWith(
        "Blachorys - trabo -             UWAGA wersja TESTOWA !!! (1.2)"))
        << m_main->windowTitle().toStdString();
    QStringList menus;
    for (QAction* menu : m_main->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, QStringList({"&Pliki", "&Blachorys", "&Okna"}));
    EXPECT_EQ(action("Rura1Click")->text(), "&Koniec");
    // The product menu in the registry's order, every entry enabled.
    QStringList captions;
    for (QAction* entry : m_main->findChild<QMenu*>("Blachorys")->actions()) {
        captions << entry->text();
        EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
    }
    QStringList expectedCaptions;
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& window = calculator->definition().window;
        expectedCaptions << QString::fromStdString(window.menuCaption);
        EXPECT_NE(action(window.menuHandler.c_str()), nullptr) << window.menuHandler;
    }
    EXPECT_EQ(captions, expectedCaptions);
    EXPECT_EQ(action("Rurarura1Click")->text(),
              QString::fromUtf8("Rura - RURA       (króciec - Płaszcz)"));
    EXPECT_EQ(action("Przejsciowka_KoloProstokatClick")->text(),
              QString::fromUtf8("Przejsciówka  Koło - Prostokąt"));

    ASSERT_NE(m_main->info(), nullptr);
    EXPECT_EQ(m_main->info()->windowTitle(), QString::fromUtf8("Informacje ogólne"));
    EXPECT_EQ(m_main->findMdiChild("RURARURA"), nullptr);
    // The scheme dialog and the preview windows exist hidden from the start.
    EXPECT_NE(m_main->findChild<QDialog*>("TWynikiSchemat"), nullptr);
    for (const core::Calculator* calculator : core::calculators()) {
        const auto* preview = m_main->findChild<QDialog*>(
            QString::fromStdString(calculator->definition().window.previewName));
        ASSERT_NE(preview, nullptr) << calculator->definition().key;
        EXPECT_FALSE(preview->isVisible());
    }
}

TEST_F(MainWindowTest, EachCalculatorExistsOnceAndTheInformationWindowGivesWay) {
    gui::CalculatorWindow* first = openPipePipe();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_main->info(), nullptr);
    action("Rurarura1Click")->trigger();
    EXPECT_EQ(m_main->findMdiChild("RURARURA"), first);
    int calculators = 0;
    for (QMdiSubWindow* window : m_main->mdiArea()->subWindowList()) {
        calculators += window->widget()->objectName() == "Rurarura" ? 1 : 0;
    }
    EXPECT_EQ(calculators, 1);
    EXPECT_TRUE(first->parentWidget()->isMaximized());
    m_main->showInfo();
    EXPECT_NE(m_main->info(), nullptr);
    m_main->showInfo();
    EXPECT_EQ(m_main->mdiArea()->subWindowList().size(), 2);
}

TEST_F(MainWindowTest, WindowMenuListsTheChildrenAndArrangesThem) {
    openPipePipe();
    m_main->showInfo();
    QMenu* windows = m_main->findChild<QMenu*>("Okna");
    emit windows->aboutToShow();
    QStringList entries;
    for (QAction* entry : windows->actions()) {
        if (!entry->isSeparator()) {
            entries << entry->text();
        }
    }
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0], QString::fromUtf8("Sąsiadująco"));
    EXPECT_EQ(entries[1], "Kaskada");
    EXPECT_TRUE(entries.filter(QString::fromUtf8("Rura - rura")).size() == 1);
    action("Tile1Click")->trigger();
    for (QMdiSubWindow* window : m_main->mdiArea()->subWindowList()) {
        EXPECT_FALSE(window->isMaximized());
    }
    action("Kaskada1Click")->trigger();
}

TEST_F(MainWindowTest, ClosingAndReopeningRestoresTheLastTypedValues) {
    gui::CalculatorWindow* window = openPipePipe();
    EXPECT_EQ(fields(*window)[0], "300");
    typeInto(*window, "Edit_Dm", "5");
    child<QLineEdit>(*window, "Edit_P")->setText("-12.5");
    child<QLineEdit>(*window, "Edit_td")->setText("8");
    child<QRadioButton>(*window, "RadioButWpuszczany")->click();
    window->parentWidget()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_main->findMdiChild("RURARURA"), nullptr);
    EXPECT_EQ(readFileBytes(savedFile().toStdString()),
              "3005\r\n800\r\n-12.5\r\n0\r\n700\r\n24\r\n90\r\n1000\r\n350\r\n0\r\n8\r\n"
              "szew=0\r\njoint=set-in\r\nbranch-made=rolled\r\nshell-made=rolled\r\n");

    gui::CalculatorWindow* again = openPipePipe();
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(fields(*again), QStringList({"3005", "800", "-12.5", "0", "700", "24", "90", "1000",
                                           "350", "0", "8", "0"}));
    EXPECT_TRUE(child<QRadioButton>(*again, "RadioButWpuszczany")->isChecked());
    EXPECT_FALSE(child<QPushButton>(*again, "ZapiszWyniki")->isEnabled());
}

TEST_F(MainWindowTest, NineClassicFieldsLoadWithoutWallsAndAThicknessChangesTheNotes) {
    writeSavedFile("300\r\n800\r\n150\r\n0\r\n700\r\n24\r\n90\r\n1000\r\n350\r\n");
    gui::CalculatorWindow* window = openPipePipe();
    EXPECT_EQ(fields(*window).mid(9), QStringList({"0", "0", "0"}));
    EXPECT_TRUE(child<QRadioButton>(*window, "RadioButNakladany")->isChecked());
    auto* note = child<QPlainTextEdit>(*window, "MemoOpisSRednic");
    child<QLineEdit>(*window, "Edit_Dm")->setFocus();
    EXPECT_TRUE(note->toPlainText().startsWith("Dla rury mniejszej"));
    child<QLineEdit>(*window, "Edit_tm")->setText("8");
    child<QLineEdit>(*window, "Edit_Dd")->setFocus();
    EXPECT_TRUE(note->toPlainText().startsWith("Przy grubosci scianki"));
}

TEST_F(MainWindowTest, QuittingSavesTheOpenCalculator) {
    gui::CalculatorWindow* window = openPipePipe();
    child<QLineEdit>(*window, "Edit_H")->setText("");
    action("Rura1Click")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(readFileBytes(savedFile().toStdString()),
              "300\r\n800\r\n200\r\n0\r\n\r\n24\r\n90\r\n1000\r\n350\r\n0\r\n0\r\n"
              "szew=0\r\njoint=set-on\r\nbranch-made=rolled\r\nshell-made=rolled\r\n");
}

TEST_F(MainWindowTest, ShortLongAndJunkSavedFilesLoadSafely) {
    static const char junk[] = "1234567890123456789012345\r\n5-\r\n\xff\x00junk\r\n-7";
    writeSavedFile(QByteArray(junk, sizeof junk - 1));
    gui::CalculatorWindow* window = openPipePipe();
    EXPECT_EQ(fields(*window), QStringList({"12345678901234567890", "0", "0", "-7", "0", "0", "0",
                                            "0", "0", "0", "0", "0"}));
}

TEST_F(MainWindowTest, SavedInputsAreReadOnceAtTheFirstPaintNotLater) {
    // No file at the first paint: the defaults stay, and what is typed stays too, even when
    // another copy of the program writes the file later.
    gui::CalculatorWindow* window = openPipePipe();
    child<QLineEdit>(*window, "Edit_H")->setText("650");
    writeSavedFile("111\r\n222\r\n");
    window->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(fields(*window)[0], "300");
    EXPECT_EQ(fields(*window)[4], "650");
}

TEST_F(MainWindowTest, AFailedSaveWarnsAndKeepsTheLastGoodFile) {
    writeSavedFile("111\r\n");
    gui::CalculatorWindow* window = openPipePipe();
    child<QLineEdit>(*window, "Edit_Dm")->setText("222");

    // A read-only directory stops a user; root writes anyway, so a file-size limit stands in.
    ASSERT_EQ(QFile::setPermissions(m_directory.path(), QFile::ReadOwner | QFile::ExeOwner), true);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (geteuid() == 0) {
        rlimit tiny = saved;
        tiny.rlim_cur = 1;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    window->parentWidget()->close();
    QCoreApplication::processEvents();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QFile::setPermissions(m_directory.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(m_prompts.texts(Kind::Warning), QStringList({"Nie moge zapisac do pliku"}));
    EXPECT_EQ(m_main->findMdiChild("RURARURA"), nullptr);
    EXPECT_EQ(readFileBytes(savedFile().toStdString()), "111\r\n");
}

TEST_F(MainWindowTest, SchemeButtonShowsThePictureOfTheCheckedDevelopment) {
    gui::CalculatorWindow* window = openPipePipe();
    QString shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::TWynikiSchemat*>(&dialog)->pictureName();
    });
    child<QRadioButton>(*window, "RadioButRozwRurW")->click();
    clickEnabled(*window, "SchematWynikow");
    EXPECT_EQ(shown, "w_rr_p");
    child<QRadioButton>(*window, "RadioButRozwRurM")->click();
    clickEnabled(*window, "SchematWynikow");
    EXPECT_EQ(shown, "w_rr_r");
    EXPECT_EQ(m_prompts.texts(Kind::Modal), QStringList({"TWynikiSchemat", "TWynikiSchemat"}));
}

TEST_F(MainWindowTest, ConeOpensOnceKeepsItsOwnFileAndShowsItsScheme) {
    gui::CalculatorWindow* pipePipe = openPipePipe();
    action("Stozek1Click")->trigger();
    gui::CalculatorWindow* cone = m_main->findMdiChild("STOZEK_");
    ASSERT_NE(cone, nullptr);
    EXPECT_EQ(cone->objectName(), "Stozek_");
    EXPECT_TRUE(cone->parentWidget()->isMaximized());
    action("Stozek1Click")->trigger();
    EXPECT_EQ(m_main->findMdiChild("STOZEK_"), cone);
    EXPECT_EQ(m_main->findMdiChild("RURARURA"), pipePipe);

    // Right after the pipe-pipe calculator's scheme, the cone's shows its own picture.
    QString shown;
    m_prompts.onModal([&shown](QDialog& dialog) {
        shown = qobject_cast<gui::TWynikiSchemat*>(&dialog)->pictureName();
    });
    m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(pipePipe->parentWidget()));
    clickEnabled(*pipePipe, "SchematWynikow");
    EXPECT_EQ(shown, "w_rr_r");
    m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(cone->parentWidget()));
    clickEnabled(*cone, "StSchematWynikow");
    EXPECT_EQ(shown, "w_s");

    // Each calculator keeps its inputs in its own file.
    child<QLineEdit>(*cone, "Edit_Hs")->setText("1500");
    action("Rura1Click")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(readFileBytes(m_directory.filePath("dane_st.dat").toStdString()),
              "800\r\n0\r\n24\r\n1500\r\n600\r\n100\r\nt=0\r\ndiameters=outside\r\n");
    EXPECT_EQ(readFileBytes(savedFile().toStdString()),
              "300\r\n800\r\n200\r\n0\r\n700\r\n24\r\n90\r\n1000\r\n350\r\n0\r\n0\r\n"
              "szew=0\r\njoint=set-on\r\nbranch-made=rolled\r\nshell-made=rolled\r\n");
}

TEST_F(MainWindowTest, TheMainWindowResizesAndOpensAsItWasLeft) {
    m_main->resize(1000, 700);
    EXPECT_EQ(m_main->size(), QSize(1000, 700));
    m_main->close();
    gui::TFormBlachorys next(m_prompts, m_directory.path());
    next.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
    EXPECT_EQ(next.size(), QSize(1000, 700));
}

TEST_F(MainWindowTest, TheInformationWindowGreetsEveryReturnUntilItsBoxIsUnticked) {
    const auto leaveAndReturn = [] {
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
    };
    openPipePipe();
    QCoreApplication::processEvents();
    ASSERT_EQ(m_main->info(), nullptr);
    leaveAndReturn();
    ASSERT_NE(m_main->info(), nullptr);
    auto* box = child<QCheckBox>(*m_main->info(), "PokazujPrzyPowrocie");
    EXPECT_EQ(box->text(), QString::fromUtf8("Pokazuj przy każdym powrocie do programu"));
    EXPECT_TRUE(box->isChecked());
    box->click();
    leaveAndReturn();
    EXPECT_EQ(m_main->info(), nullptr);

    // The next run starts with it, the box as it was left.
    m_main->close();
    gui::TFormBlachorys next(m_prompts, m_directory.path());
    ASSERT_NE(next.info(), nullptr);
    EXPECT_FALSE(child<QCheckBox>(*next.info(), "PokazujPrzyPowrocie")->isChecked());
}

} // namespace
} // namespace blachorys::test
