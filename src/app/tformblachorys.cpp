#include "app/tformblachorys.h"

#include "app/defaultmenustyle.h"
#include "app/tinfo.h"
#include "cases/cone/tstozek.h"
#include "cases/pipe_pipe/trurarura.h"
#include "common/gui/calculatorwindow.h"
#include "common/gui/prompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace blachorys::gui {
namespace {

using CalculatorFactory = CalculatorWindow* (*)(const GuiContext&, QWidget*);

/** A calculator in the product menu; no factory while that calculator is not built. */
struct CalculatorEntry {
    const char* caption;
    const char* handler;
    const char* nameKey;
    CalculatorFactory create;
};

const CalculatorEntry kCalculatorEntries[] = {
    {"Rura - RURA       (króciec - Płaszcz)", "Rurarura1Click", "RURARURA",
     [](const GuiContext& context, QWidget* parent) -> CalculatorWindow* {
         return new TRurarura(context, parent);
     }},
    {"Rura - STOŻEK    (króciec - Płaszcz)", "Rurastozek1Click", "RURASTOZEK", nullptr},
    {"Stożek symetryczny - RURA     (króciec - Płaszcz)", "StozekRura1Click", "STOZEKRURA",
     nullptr},
    {"Stożek", "Stozek1Click", "STOZEK_",
     [](const GuiContext& context, QWidget* parent) -> CalculatorWindow* {
         return new TStozek_(context, parent);
     }},
    {"Kolano segmentowe", "KolanoSegm1Click", "KOLANOSEGM", nullptr},
    {"Przejsciówka  Koło - Prostokąt", "Przejsciowka_KoloProstokatClick", "KOLOPROSTOKAT", nullptr},
};

/** Preview windows of the calculators after the pipe-pipe one, made at start in this order. */
const std::pair<const char*, const char*> kLaterPreviews[] = {
    {"TRSWynikiRysunek", "Wyniki - Rysunek (Rura-Stożek)"},
    {"TStWynikiRysunek", "Wyniki - Rysunek (STOZEK)"},
    {"TKSWynikiRysunek", "Wyniki - Rysunek (KOLANO SEGMENTOWE)"},
    {"TKPWynikiRysunek", "Wyniki - Rysunek (przejsciowka KOLO - PROSTOKAT)"},
    {"TSRWynikiRysunek", "Wyniki - Rysunek (Stożek-Rura)"},
};

constexpr QSize kClientSize(702, 554);
constexpr QPoint kInitialPosition(279, 56);

} // namespace

TFormBlachorys::TFormBlachorys(Prompts& prompts, QString savedInputsDirectory, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("FormBlachorys"));
    setWindowTitle(
        QStringLiteral("Blachorys - trabo -             UWAGA wersja TESTOWA !!! (1.2)"));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TFormBlachorys::subWindowActivated);

    m_outputWindows = std::make_unique<OutputWindows>(this, [this]() -> QWidget* {
        // The current child, not the active one: while a modal dialog has the focus no
        // child is active, but the one it was opened from is still current.
        QMdiSubWindow* current = m_mdiArea->currentSubWindow();
        return current != nullptr ? current->widget() : nullptr;
    });
    m_context.prompts = &prompts;
    m_context.hints = &m_hints;
    m_context.outputWindows = m_outputWindows.get();
    m_context.savedInputsDirectory = std::move(savedInputsDirectory);

    buildMenus();
    move(kInitialPosition);
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());

    // The windows that live for the whole run, in their order of creation.
    m_outputWindows->scheme();
    m_outputWindows->createPreview(QStringLiteral("TWynikiRysunek"),
                                   QStringLiteral("Wyniki - Rysunek (Rura-Rura)"));
    showInfo();
    for (const auto& [className, caption] : kLaterPreviews) {
        m_outputWindows->createPreview(QString::fromUtf8(className), QString::fromUtf8(caption));
    }

    // Returning to the program from another one brings the information window back.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) {
                    showInfo();
                } else if (m_info != nullptr) {
                    m_info->parentWidget()->close();
                }
            });
}

TFormBlachorys::~TFormBlachorys() {
    // The children go with the MDI area below; none of their activations may reach a main
    // window that is half destroyed.
    disconnect(m_mdiArea, nullptr, this, nullptr);
}

void TFormBlachorys::buildMenus() {
    QMenu* files = menuBar()->addMenu(QStringLiteral("&Pliki"));
    QAction* quit = files->addAction(QStringLiteral("&Koniec"), this, &TFormBlachorys::Rura1Click);
    quit->setObjectName(QStringLiteral("Rura1Click"));

    QMenu* product = menuBar()->addMenu(QStringLiteral("&Blachorys"));
    product->setObjectName(QStringLiteral("Blachorys"));
    // The product menu is the menu bar's default item, marked in bold.
    auto* style = new DefaultMenuStyle(product->menuAction());
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    for (const CalculatorEntry& entry : kCalculatorEntries) {
        const QString nameKey = QString::fromUtf8(entry.nameKey);
        QAction* action = product->addAction(QString::fromUtf8(entry.caption), this,
                                             [this, nameKey] { openCalculator(nameKey); });
        action->setObjectName(QString::fromUtf8(entry.handler));
        action->setEnabled(entry.create != nullptr);
    }

    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Okna"));
    m_windowMenu->setObjectName(QStringLiteral("Okna"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TFormBlachorys::updateWindowMenu);
    updateWindowMenu();
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
        for (const CalculatorEntry& entry : kCalculatorEntries) {
            if (QString::fromUtf8(entry.nameKey) == nameKey && entry.create != nullptr) {
                calculator = entry.create(m_context, nullptr);
                QMdiSubWindow* window = m_mdiArea->addSubWindow(calculator);
                window->setAttribute(Qt::WA_DeleteOnClose);
                window->showMaximized();
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

void TFormBlachorys::showInfo() {
    if (m_info != nullptr) {
        return;
    }
    m_info = new TInfo(*m_context.prompts);
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

void TFormBlachorys::Tile1Click() {
    m_mdiArea->tileSubWindows();
}

void TFormBlachorys::Kaskada1Click() {
    m_mdiArea->cascadeSubWindows();
}

void TFormBlachorys::closeEvent(QCloseEvent* event) {
    // Every child closes, from the last to the first; each calculator saves its inputs.
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        (*it)->close();
    }
    event->accept();
}

} // namespace blachorys::gui
