#include "app/tformblachorys.h"

#include "app/defaultmenustyle.h"
#include "app/tinfo.h"
#include "cases/calculators.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/filesaving.h"
#include "common/gui/jobwindow.h"
#include "common/gui/prompts.h"
#include "common/io/jobfile.h"
#include "common/io/programsettings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace blachorys::gui {
namespace {

constexpr QSize kClientSize(702, 554);
constexpr QPoint kInitialPosition(279, 56);
/** A calculator window's property: it was tiled, and keeps its share of the area. */
constexpr const char* kTiled = "blachorysTiled";
const QString kJobFilter = QStringLiteral("Zlecenie - JSON|*.json");

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** The built calculators in the order their preview windows are made at start-up. */
std::vector<const core::Calculator*> inPreviewStartupOrder() {
    std::vector<const core::Calculator*> ordered = core::calculators();
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto* a, const auto* b) {
        return a->definition().window.previewStartupOrder <
               b->definition().window.previewStartupOrder;
    });
    return ordered;
}

} // namespace

TFormBlachorys::TFormBlachorys(Prompts& prompts, QString savedInputsDirectory, QWidget* parent)
    : QMainWindow(parent),
      m_outputWindows(this,
                      [this] {
                          const CalculatorWindow* calculator = currentCalculator();
                          return calculator != nullptr ? calculator->schemePicture() : QString();
                      }),
      m_context{prompts, m_hints, m_outputWindows, std::move(savedInputsDirectory)} {
    setObjectName(QStringLiteral("FormBlachorys"));
    m_context.addToJob = [this](const core::Calculator& calculator,
                                const core::CalculatorInputs& inputs,
                                const core::EdgeTexts& edge) {
        ensureJobWindow()->addEntry(calculator, inputs, edge);
    };
    setWindowTitle(
        QStringLiteral("Blachorys - trabo -             UWAGA wersja TESTOWA !!! (1.2)"));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    // Windows kept at the size they need may reach past the area: it scrolls to them.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TFormBlachorys::subWindowActivated);

    buildMenus();
    fitToScreen();

    // The windows that live for the whole run, in their order of creation: the scheme dialog,
    // the first preview, the information window, the other previews.
    m_outputWindows.scheme();
    const auto previews = inPreviewStartupOrder();
    for (std::size_t i = 0; i < previews.size(); ++i) {
        if (i == 1) {
            showInfo();
        }
        m_outputWindows.preview(previews[i]->definition().window);
    }
    showInfo();

    // Returning to the program from another one brings the information window back, unless
    // the user asked for it only at the start.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) {
                    if (io::ProgramSettings(m_context.savedInputsDirectory).showInfoOnReturn()) {
                        showInfo();
                    }
                } else if (m_info != nullptr) {
                    m_info->parentWidget()->close();
                }
            });
}

void TFormBlachorys::fitToScreen() {
    // As the user left it, maximised or not; the designed size and place the first time.
    if (restoreGeometry(io::ProgramSettings(m_context.savedInputsDirectory).mainWindowGeometry())) {
        return;
    }
    const QSize wanted(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    const QRect screenArea = screen()->availableGeometry();
    // The window manager adds a title bar and a frame round the client area; off screen there
    // is no window manager.
    const bool managed = QGuiApplication::platformName() != QStringLiteral("offscreen");
    const int frame = managed ? 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) : 0;
    const QSize decoration(frame,
                           managed ? style()->pixelMetric(QStyle::PM_TitleBarHeight) + frame : 0);
    const QSize size = wanted.boundedTo(screenArea.size() - decoration);
    resize(size);
    const QRect designed(kInitialPosition, size + decoration);
    move(screenArea.contains(designed) ? kInitialPosition : screenArea.topLeft());
}

TFormBlachorys::~TFormBlachorys() {
    // The children go with the MDI area below; none of their activations may reach a main
    // window that is half destroyed.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

void TFormBlachorys::buildMenus() {
    m_filesMenu = menuBar()->addMenu(QStringLiteral("&Pliki"));
    m_filesMenu->setObjectName(QStringLiteral("Pliki"));
    connect(m_filesMenu, &QMenu::aboutToShow, this, &TFormBlachorys::updateFilesMenu);
    updateFilesMenu();

    QMenu* product = menuBar()->addMenu(QStringLiteral("&Blachorys"));
    product->setObjectName(QStringLiteral("Blachorys"));
    // The product menu is the menu bar's default item, marked in bold.
    auto* style = new DefaultMenuStyle(product->menuAction());
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& window = calculator->definition().window;
        QAction* action = product->addAction(q(window.menuCaption));
        action->setObjectName(q(window.menuHandler));
        const QString key = q(core::nameKey(calculator->definition()));
        connect(action, &QAction::triggered, this, [this, key] { openCalculator(key); });
    }

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Okna"));
    m_windowMenu->setObjectName(QStringLiteral("Okna"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFormBlachorys::updateWindowMenu);
    updateWindowMenu();
}

void TFormBlachorys::updateFilesMenu() {
    m_filesMenu->clear();
    const auto add = [this](const QString& caption, const char* name, auto slot) {
        QAction* action = m_filesMenu->addAction(caption, this, slot);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    add(QStringLiteral("Nowe zlecenie"), "NoweZlecenie", &TFormBlachorys::NoweZlecenieClick);
    add(QStringLiteral("Otwórz zlecenie…"), "OtworzZlecenie", &TFormBlachorys::OtworzZlecenieClick);
    add(QStringLiteral("Zapisz zlecenie"), "ZapiszZlecenie", &TFormBlachorys::ZapiszZlecenieClick)
        ->setEnabled(m_jobWindow != nullptr);
    add(QStringLiteral("Zapisz zlecenie jako…"), "ZapiszZlecenieJako",
        &TFormBlachorys::ZapiszZlecenieJakoClick)
        ->setEnabled(m_jobWindow != nullptr);
    const QStringList recent = io::ProgramSettings(m_context.savedInputsDirectory).recentJobs();
    if (!recent.isEmpty()) {
        m_filesMenu->addSeparator();
    }
    for (qsizetype k = 0; k < recent.size(); ++k) {
        const QString path = recent[k];
        QAction* action = m_filesMenu->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(path)), this,
            [this, path] { openJobFile(path); });
        action->setObjectName(QStringLiteral("OstatnieZlecenie%1").arg(k + 1));
    }
    m_filesMenu->addSeparator();
    add(QStringLiteral("&Koniec"), "Rura1Click", &TFormBlachorys::Rura1Click);
}

JobWindow* TFormBlachorys::ensureJobWindow() {
    if (m_jobWindow == nullptr) {
        m_jobWindow = new JobWindow(m_context, core::findCalculator);
        connect(m_jobWindow, &JobWindow::reopenRequested, this, &TFormBlachorys::reopenEntry);
        QMdiSubWindow* window = m_mdiArea->addSubWindow(m_jobWindow);
        window->setAttribute(Qt::WA_DeleteOnClose);
        JobWindow* job = m_jobWindow;
        connect(job, &JobWindow::titleChanged, window,
                [window, job] { window->setWindowTitle(job->windowTitle()); });
        window->setWindowTitle(job->windowTitle());
        window->resize(kClientSize);
        window->show();
    }
    return m_jobWindow;
}

bool TFormBlachorys::mayReplaceJob() {
    return m_jobWindow == nullptr || !m_jobWindow->isModified() ||
           m_context.prompts.askYesNo(
               this, QStringLiteral("Zlecenie ma niezapisane zmiany. Porzucić je?"));
}

void TFormBlachorys::NoweZlecenieClick() {
    if (!mayReplaceJob()) {
        return;
    }
    JobWindow* job = ensureJobWindow();
    job->setJob({"Nowe zlecenie", {}, {}, {}}, {});
    m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(job->parentWidget()));
}

QString TFormBlachorys::jobFolder() const {
    const QString folder =
        io::ProgramSettings(m_context.savedInputsDirectory).lastSaveFolder();
    return folder.isEmpty() ? m_context.savedInputsDirectory : folder;
}

void TFormBlachorys::rememberJobFile(const QString& path) {
    io::ProgramSettings settings(m_context.savedInputsDirectory);
    settings.addRecentJob(path);
    settings.setLastSaveFolder(QFileInfo(path).absolutePath());
}

void TFormBlachorys::OtworzZlecenieClick() {
    if (const auto path = m_context.prompts.openFileName(this, kJobFilter, jobFolder())) {
        openJobFile(*path);
    }
}

bool TFormBlachorys::openJobFile(const QString& path) {
    if (!mayReplaceJob()) {
        return false;
    }
    const io::JobReading reading = io::loadJobFile(path, core::findCalculator);
    if (!reading.job) {
        m_context.prompts.error(this, reading.problem);
        return false;
    }
    const bool wasOpen = m_jobWindow != nullptr;
    JobWindow* job = ensureJobWindow();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!job->openJob(*reading.job, absolute)) {
        if (!wasOpen) {
            job->parentWidget()->close();
        }
        return false;
    }
    rememberJobFile(absolute);
    m_mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(job->parentWidget()));
    return true;
}

void TFormBlachorys::ZapiszZlecenieClick() {
    if (m_jobWindow == nullptr) {
        return;
    }
    if (m_jobWindow->path().isEmpty()) {
        ZapiszZlecenieJakoClick();
        return;
    }
    const QString path = m_jobWindow->path();
    if (const auto failure = io::saveJobFile(path, m_jobWindow->job(), core::findCalculator)) {
        m_context.prompts.error(this, QStringLiteral("Nie moge zapisac pliku ") +
                                          QDir::toNativeSeparators(path) + QStringLiteral(" : ") +
                                          *failure);
        return;
    }
    m_jobWindow->markSaved(path);
    rememberJobFile(path);
}

void TFormBlachorys::ZapiszZlecenieJakoClick() {
    if (m_jobWindow == nullptr) {
        return;
    }
    const QString offered = m_jobWindow->path().isEmpty()
                                ? QDir(jobFolder()).filePath(QStringLiteral("zlecenie.json"))
                                : m_jobWindow->path();
    const JobWindow* job = m_jobWindow;
    const auto outcome = saveThroughDialog(
        m_context.prompts, this, kJobFilter, offered, [job](const QString& path, int) {
            return io::saveJobFile(path, job->job(), core::findCalculator);
        });
    if (outcome && outcome->written) {
        const QString absolute = QFileInfo(outcome->path).absoluteFilePath();
        m_jobWindow->markSaved(absolute);
        rememberJobFile(absolute);
    }
}

void TFormBlachorys::reopenEntry(int entry) {
    if (m_jobWindow == nullptr || entry < 0 ||
        static_cast<std::size_t>(entry) >= m_jobWindow->job().entries.size()) {
        return;
    }
    const core::JobEntry chosen = m_jobWindow->job().entries[static_cast<std::size_t>(entry)];
    const core::Calculator* calculator = core::findCalculator(chosen.calculator);
    if (calculator == nullptr) {
        return;
    }
    CalculatorWindow* window = openCalculator(q(core::nameKey(calculator->definition())));
    if (window != nullptr) {
        window->setInputs(chosen.inputs,
                          chosen.developments.empty() ? 0 : chosen.developments.front(),
                          chosen.edge);
    }
}

void TFormBlachorys::updateWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addAction(QStringLiteral("Sąsiadująco"), this, &TFormBlachorys::Tile1Click)
        ->setObjectName(QStringLiteral("Tile1Click"));
    m_windowMenu->addAction(QStringLiteral("Kaskada"), this, &TFormBlachorys::Kaskada1Click)
        ->setObjectName(QStringLiteral("Kaskada1Click"));
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty()) {
        m_windowMenu->addSeparator();
    }
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action = m_windowMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()), this,
            [this, window] { m_mdiArea->setActiveSubWindow(window); });
        action->setCheckable(true);
        action->setChecked(window == m_mdiArea->activeSubWindow());
    }
}

CalculatorWindow* TFormBlachorys::findMdiChild(const QString& nameKey) const {
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->widget() != nullptr && window->widget()->objectName().toUpper() == nameKey) {
            return qobject_cast<CalculatorWindow*>(window->widget());
        }
    }
    return nullptr;
}

CalculatorWindow* TFormBlachorys::openCalculator(const QString& nameKey) {
    CalculatorWindow* calculator = findMdiChild(nameKey);
    if (calculator == nullptr) {
        for (const core::Calculator* candidate : core::calculators()) {
            if (q(core::nameKey(candidate->definition())) == nameKey) {
                calculator = new CalculatorWindow(*candidate, m_context);
                QMdiSubWindow* window = m_mdiArea->addSubWindow(calculator);
                window->setAttribute(Qt::WA_DeleteOnClose);
                // Once the window has its frame for the new state.
                connect(window, &QMdiSubWindow::windowStateChanged, this, [this, window] {
                    QTimer::singleShot(0, window, [this, window] { keepRoomFor(window); });
                });
                window->showMaximized();
                calculator->focusFirstField();
            }
        }
    }
    if (calculator == nullptr) {
        return nullptr;
    }
    auto* window = qobject_cast<QMdiSubWindow*>(calculator->parentWidget());
    window->show();
    window->raise();
    m_mdiArea->setActiveSubWindow(window);
    return calculator;
}

CalculatorWindow* TFormBlachorys::currentCalculator() const {
    // The current child, not the active one: while a modal dialog has the focus no child is
    // active, but the one it was opened from is still current.
    QMdiSubWindow* current = m_mdiArea->currentSubWindow();
    return current != nullptr ? qobject_cast<CalculatorWindow*>(current->widget()) : nullptr;
}

void TFormBlachorys::showInfo() {
    if (m_info != nullptr) {
        return;
    }
    io::ProgramSettings settings(m_context.savedInputsDirectory);
    m_info = new TInfo(m_context.prompts, settings.showInfoOnReturn());
    connect(m_info, &TInfo::showOnReturnChanged, this,
            [directory = m_context.savedInputsDirectory](bool show) {
                io::ProgramSettings(directory).setShowInfoOnReturn(show);
            });
    QMdiSubWindow* window = m_mdiArea->addSubWindow(m_info);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    m_mdiArea->setActiveSubWindow(window);
}

void TFormBlachorys::subWindowActivated(QMdiSubWindow* window) {
    // The information window closes itself as soon as another window takes over.
    if (m_info != nullptr && (window == nullptr || window->widget() != m_info)) {
        QWidget* infoWindow = m_info->parentWidget();
        m_info = nullptr;
        infoWindow->close();
    }
}

void TFormBlachorys::Rura1Click() {
    close();
}

void TFormBlachorys::keepRoomFor(QMdiSubWindow* window) {
    auto* calculator = qobject_cast<CalculatorWindow*>(window->widget());
    if (calculator == nullptr) {
        return;
    }
    // Maximised, the window is the area's size and its own contents scroll; tiled, it keeps its
    // share of the area and its contents scroll too, until it is maximised or cascaded;
    // otherwise it keeps the room its controls need, and the area scrolls.
    if (window->isMaximized() || window->isMinimized()) {
        window->setProperty(kTiled, false);
        window->setMinimumSize(0, 0);
        return;
    }
    if (window->property(kTiled).toBool()) {
        window->setMinimumSize(0, 0);
        return;
    }
    // Its frame and title bar are those it has now, not maximised.
    window->setMinimumSize(calculator->neededSize() + window->size() - calculator->size());
}

void TFormBlachorys::Tile1Click() {
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized() || window->isMinimized()) {
            window->showNormal();
        }
    }
    // Once the restored windows have their frames and title bars again.
    QTimer::singleShot(0, this, &TFormBlachorys::tileNow);
}

void TFormBlachorys::tileNow() {
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    const auto count = static_cast<int>(windows.size());
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const QSize area = m_mdiArea->viewport()->size();
    // Each its share of the area, its contents scrolled inside it where they need more.
    const QSize cell(area.width() / columns, area.height() / rows);
    for (QMdiSubWindow* window : windows) {
        window->setProperty(kTiled, true);
        keepRoomFor(window);
    }
    m_mdiArea->horizontalScrollBar()->setValue(0);
    m_mdiArea->verticalScrollBar()->setValue(0);
    for (int i = 0; i < count; ++i) {
        windows[i]->setGeometry(
            QRect(QPoint(i % columns * cell.width(), i / columns * cell.height()), cell));
    }
}

void TFormBlachorys::Kaskada1Click() {
    m_mdiArea->cascadeSubWindows();
    QTimer::singleShot(0, this, [this] {
        for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
            window->setProperty(kTiled, false);
            keepRoomFor(window);
        }
    });
}

void TFormBlachorys::closeEvent(QCloseEvent* event) {
    // A modified job the user keeps keeps the program open.
    if (m_jobWindow != nullptr && !m_jobWindow->parentWidget()->close()) {
        event->ignore();
        return;
    }
    io::ProgramSettings(m_context.savedInputsDirectory).setMainWindowGeometry(saveGeometry());
    // Every child closes, from the last to the first; each calculator saves its inputs.
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        (*it)->close();
    }
    event->accept();
}

} // namespace blachorys::gui
