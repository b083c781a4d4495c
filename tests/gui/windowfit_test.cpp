// The calculator windows in the main window at each of the fonts they meet: the designed window
// holds every calculator without scrolling, a maximised one shows 25 whole lines of its memo and
// its widest line, restored ones keep the room their controls need, tiled ones their share, and a
// memo as tall as its lines need shows them. Each "[fit]" line says what was measured.
#include "app/tformblachorys.h"
#include "cases/calculators.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/memolines.h"
#include "support/calculatorfixture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <iostream>
#include <optional>
#include <vector>

namespace blachorys::test {
namespace {

/** The whole lines a maximised memo shows at 1280 × 800, as the README promises. */
constexpr int kMaximisedMemoLines = 25;

/**
 * The pixels the designed window keeps to spare each way at the test's fonts: another machine
 * hints the same families a few pixels wider (3 px seen), and a window that only just fits here
 * scrolls there.
 */
constexpr int kDesignedSlack = 4;

/**
 * The fonts a test measures with: what the window's "Arial" (the maker's labels) and the
 * desktop's fixed font (the memo) resolve to, and the Debian packages' files they come from,
 * loaded beside the desktop's DejaVu Sans into a fontconfig that holds none of the machine's
 * (windowfit_fonts.conf). "Machine" loads nothing: BLACHORYS_FIT_FONTS=machine.
 */
struct FontSetup {
    std::string name;
    QString arial;
    QString fixed;
    QStringList files;
};

void PrintTo(const FontSetup& setup, std::ostream* out) {
    *out << setup.name;
}

bool usesMachineFonts() {
    return qEnvironmentVariable("BLACHORYS_FIT_FONTS") == QStringLiteral("machine");
}

std::vector<FontSetup> fontSetups() {
    if (usesMachineFonts()) {
        return {{"Machine", {}, {}, {}}};
    }
    // Liberation and Nimbus copy Arial's and Courier's widths; Nimbus has taller lines.
    const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation2/");
    const QString urw = QStringLiteral("/usr/share/fonts/opentype/urw-base35/");
    return {
        {"DejaVu",
         "DejaVu Sans",
         "DejaVu Sans Mono",
         {QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")}},
        {"Liberation",
         "Liberation Sans",
         "Liberation Mono",
         {liberation + "LiberationSans-Regular.ttf", liberation + "LiberationSans-Bold.ttf",
          liberation + "LiberationSans-BoldItalic.ttf", liberation + "LiberationMono-Regular.ttf"}},
        // Where fonts-noto-mono is installed, fontconfig's fixed font is Noto Sans Mono, with
        // taller lines than the others.
        {"Noto",
         "Liberation Sans",
         "Noto Sans Mono",
         {liberation + "LiberationSans-Regular.ttf", liberation + "LiberationSans-Bold.ttf",
          liberation + "LiberationSans-BoldItalic.ttf",
          QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansMono-Regular.ttf")}},
        {"Nimbus",
         "Nimbus Sans",
         "Nimbus Mono PS",
         {urw + "NimbusSans-Regular.otf", urw + "NimbusSans-Bold.otf",
          urw + "NimbusSans-BoldItalic.otf", urw + "NimbusMonoPS-Regular.otf"}},
    };
}

/** The family a font resolves to, without the foundry Qt names where two share a family. */
QString resolvedFamily(const QFont& font) {
    return QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0);
}

/** A setup's fonts loaded, and DejaVu Sans at 9 points the desktop's font, while it lives. */
class LoadedFonts {
public:
    explicit LoadedFonts(const FontSetup& setup) : m_desktopFont(QApplication::font()) {
        if (usesMachineFonts()) {
            return;
        }
        const QString dejaVu = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
        for (const QString& file :
             QStringList{dejaVu + "DejaVuSans.ttf", dejaVu + "DejaVuSans-Bold.ttf"} + setup.files) {
            const int id = QFontDatabase::addApplicationFont(file);
            if (id < 0) {
                missing << file;
            } else {
                m_loaded << id;
            }
        }
        QFont desktop(QStringLiteral("DejaVu Sans"));
        desktop.setPointSize(9);
        QApplication::setFont(desktop);
    }
    ~LoadedFonts() {
        QApplication::setFont(m_desktopFont);
        for (const int id : m_loaded) {
            QFontDatabase::removeApplicationFont(id);
        }
    }
    LoadedFonts(const LoadedFonts&) = delete;
    LoadedFonts& operator=(const LoadedFonts&) = delete;

    QStringList missing;

private:
    QFont m_desktopFont;
    QList<int> m_loaded;
};

/** Where every widget below `root` stands, `root` first. */
std::vector<QRect> geometries(const QWidget& root) {
    std::vector<QRect> all{root.geometry()};
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        all.push_back(widget->geometry());
    }
    return all;
}

/**
 * Handles events until a round of them moves no widget below `root`: a resize posts layout
 * requests that post more, and on a busy machine a timed wait ends before they do.
 */
void settle(const QWidget& root) {
    std::vector<QRect> before = geometries(root);
    for (int round = 0; round < 100; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QTest::qWait(5);
        std::vector<QRect> now = geometries(root);
        if (now == before) {
            return;
        }
        before = std::move(now);
    }
    ADD_FAILURE() << "the layout still moves after 100 rounds of events";
}

class WindowFit : public GuiFixture, public ::testing::WithParamInterface<FontSetup> {
protected:
    void SetUp() override {
        m_fonts.emplace(GetParam());
        ASSERT_TRUE(m_fonts->missing.isEmpty())
            << "missing font files (scripts/packages.sh installs their packages): "
            << m_fonts->missing.join(QStringLiteral(", ")).toStdString();
        m_main = std::make_unique<gui::TFormBlachorys>(m_prompts, m_directory.path());
        m_main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void TearDown() override {
        m_main.reset();
        m_fonts.reset();
    }

    gui::CalculatorWindow* open(const core::Calculator& calculator) {
        return m_main->openCalculator(
            QString::fromStdString(core::nameKey(calculator.definition())));
    }

    /** Every calculator open in a main window as large as a 1280 × 800 screen leaves it. */
    std::vector<gui::CalculatorWindow*> openEveryCalculatorAndCalculate() {
        m_main->resize(1280, 781);
        std::vector<gui::CalculatorWindow*> windows;
        for (const core::Calculator* calculator : core::calculators()) {
            windows.push_back(open(*calculator));
            clickEnabled(
                *windows.back(),
                QString::fromStdString(calculator->definition().window.components.calculateButton));
        }
        settle(*m_main);
        return windows;
    }

    /**
     * The window's "Arial", its memo's fixed font, its fields and the desktop's font are the
     * setup's, or the test measures something else; said once per test, checked for each window.
     */
    void expectTheSetupsFonts(gui::CalculatorWindow& window) {
        const auto& components = window.definition().window.components;
        const QString arial = resolvedFamily(child<QLabel>(window, "Label19")->font());
        const QString fixed = resolvedFamily(
            child<QPlainTextEdit>(window, QString::fromStdString(components.resultsMemo))->font());
        const QString fields = resolvedFamily(
            child<QWidget>(window,
                           QString::fromStdString("Edit_" + window.definition().tabOrder.front()))
                ->font());
        const QString desktop = resolvedFamily(window.font());
        if (!m_fontsSaid) {
            m_fontsSaid = true;
            std::cout << "[fit] " << GetParam().name << " fonts: Arial " << arial.toStdString()
                      << ", fixed " << fixed.toStdString() << ", fields " << fields.toStdString()
                      << ", desktop " << desktop.toStdString() << '\n';
        }
        if (usesMachineFonts()) {
            return;
        }
        EXPECT_EQ(arial, GetParam().arial);
        EXPECT_EQ(fixed, GetParam().fixed);
        EXPECT_EQ(fields, QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(desktop, QStringLiteral("DejaVu Sans"));
    }

    std::optional<LoadedFonts> m_fonts;
    std::unique_ptr<gui::TFormBlachorys> m_main;
    bool m_fontsSaid = false;
};

/** Whether the window shows all its controls without scrolling them. */
bool showsEverything(gui::CalculatorWindow& window) {
    auto* scroll = window.findChild<QScrollArea*>("Przewijanie");
    return !scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible();
}

/**
 * The whole lines `memo` has room for, measured where its layout puts its first two lines (it
 * must hold two), from its top.
 */
int wholeLinesShown(QPlainTextEdit& memo) {
    memo.verticalScrollBar()->setValue(0);
    const QTextBlock first = memo.document()->firstBlock();
    EXPECT_TRUE(first.next().isValid()) << "the memo holds fewer than two lines";
    const int top = memo.cursorRect(QTextCursor(first)).top();
    const int pitch = memo.cursorRect(QTextCursor(first.next())).top() - top;
    return pitch > 0 ? (memo.viewport()->height() - top) / pitch : 0;
}

TEST_P(WindowFit, TheDesignedWindowHoldsEveryCalculatorWithoutScrolling) {
    // The screen has room: the main window keeps the designed 702 × 554 under its menu.
    ASSERT_EQ(m_main->width(), 702);
    ASSERT_EQ(m_main->height(), 554 + m_main->menuBar()->height());
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& d = calculator->definition();
        SCOPED_TRACE(d.key);
        gui::CalculatorWindow* window = open(*calculator);
        ASSERT_NE(window, nullptr);
        QCoreApplication::processEvents();
        expectTheSetupsFonts(*window);
        // Opened ready for typing: the caret in the first field.
        EXPECT_EQ(window->focusWidget()->objectName(),
                  QString::fromStdString("Edit_" + d.tabOrder.front()));
        auto* scroll = window->findChild<QScrollArea*>("Przewijanie");
        ASSERT_NE(scroll, nullptr);
        const QSize needed = scroll->widget()->minimumSizeHint();
        std::cout << "[fit] " << GetParam().name << ' ' << d.key << ": designed window "
                  << needed.width() << " x " << needed.height() << " in "
                  << scroll->viewport()->width() << " x " << scroll->viewport()->height() << '\n';
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible())
            << needed.width() << " wide in " << scroll->viewport()->width();
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible())
            << needed.height() << " high in " << scroll->viewport()->height();
        if (!usesMachineFonts()) {
            EXPECT_LE(needed.width() + kDesignedSlack, scroll->viewport()->width());
            EXPECT_LE(needed.height() + kDesignedSlack, scroll->viewport()->height());
        }
    }
}

TEST_P(WindowFit, AMaximisedCalculatorShowsTwentyFiveWholeLinesAndItsWidestLineWhole) {
    for (gui::CalculatorWindow* window : openEveryCalculatorAndCalculate()) {
        const auto& d = window->definition();
        SCOPED_TRACE(d.key);
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        window->parentWidget()->showMaximized();
        settle(*m_main);
        expectTheSetupsFonts(*window);
        auto* memo =
            child<QPlainTextEdit>(*window, QString::fromStdString(d.window.components.resultsMemo));
        int widest = 0;
        for (const QString& line : memo->toPlainText().split('\n')) {
            widest = std::max(widest, memo->fontMetrics().horizontalAdvance(line));
        }
        const int lines = wholeLinesShown(*memo);
        std::cout << "[fit] " << GetParam().name << ' ' << d.key << ": maximised memo " << lines
                  << " whole lines, widest line " << widest << " in " << memo->viewport()->width()
                  << '\n';
        EXPECT_GE(lines, kMaximisedMemoLines);
        EXPECT_GE(memo->viewport()->width(), widest);
        EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
        EXPECT_TRUE(showsEverything(*window));
    }
}

TEST_P(WindowFit, RestoredCalculatorsKeepTheirRoomAndTiledOnesTheirShareScrolledInside) {
    const std::vector<gui::CalculatorWindow*> windows = openEveryCalculatorAndCalculate();
    expectTheSetupsFonts(*windows.front());
    // Restored from maximised: it shows every control.
    windows.front()->parentWidget()->showNormal();
    settle(*m_main);
    EXPECT_TRUE(showsEverything(*windows.front()));
    // Tiled on a 1920 x 1080 screen: each takes its share of the area, none over another, the
    // area does not scroll, and a window too small for its controls scrolls to them inside.
    m_main->resize(1920, 1061);
    settle(*m_main);
    m_main->findChild<QAction*>("Tile1Click")->trigger();
    settle(*m_main);
    QMdiArea* area = m_main->mdiArea();
    const QRect viewport = area->viewport()->rect();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(windows[i]->definition().key);
        const QRect place = windows[i]->parentWidget()->geometry();
        EXPECT_TRUE(viewport.contains(place)) << place.width() << " x " << place.height();
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(place.intersects(windows[j]->parentWidget()->geometry()));
        }
        auto* scroll = windows[i]->findChild<QScrollArea*>("Przewijanie");
        const QSize needed = scroll->widget()->minimumSizeHint();
        EXPECT_GE(scroll->verticalScrollBar()->maximum(),
                  needed.height() - scroll->viewport()->height());
        EXPECT_GE(scroll->horizontalScrollBar()->maximum(),
                  needed.width() - scroll->viewport()->width());
        // Clicked, it keeps its share.
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(windows[i]->parentWidget()));
        settle(*m_main);
        EXPECT_EQ(windows[i]->parentWidget()->geometry(), place);
    }
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
}

TEST_P(WindowFit, AMemoAsTallAsItsLinesNeedShowsThemAllAndNoMore) {
    // The memo's font as a calculator window has it; lines apart as its layout sets them.
    gui::CalculatorWindow* window = open(*core::calculators().front());
    ASSERT_NE(window, nullptr);
    expectTheSetupsFonts(*window);
    const QFont font =
        child<QPlainTextEdit>(
            *window, QString::fromStdString(window->definition().window.components.resultsMemo))
            ->font();
    for (const int lines : {2, 25}) {
        SCOPED_TRACE(lines);
        QPlainTextEdit memo;
        memo.setFont(font);
        memo.setLineWrapMode(QPlainTextEdit::NoWrap);
        memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo.setPlainText(QStringLiteral("  1  2128.15  -334.07\n").repeated(40));
        memo.setFixedHeight(gui::memoHeightForLines(memo, lines));
        memo.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
        EXPECT_EQ(wholeLinesShown(memo), lines);
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, WindowFit, ::testing::ValuesIn(fontSetups()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace blachorys::test
