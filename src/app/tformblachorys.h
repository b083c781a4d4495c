#pragma once

#include "app/tinfo.h"
#include "common/gui/guicontext.h"
#include "common/gui/hintrouter.h"
#include "common/gui/outputwindows.h"

#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace blachorys::gui {

class CalculatorWindow;
class Prompts;

/**
 * The main window: a menu that opens each calculator at most once as a maximised child, the
 * window arrangement commands, and the information window that greets the start and, unless
 * the user unticks it, every return to the program. It opens at its designed size the first
 * time and as it was left afterwards; a calculator window that is not maximised is never
 * smaller than its controls need, and the area scrolls to reach it.
 */
class TFormBlachorys final : public QMainWindow {
    Q_OBJECT
public:
    /** Creates the scheme dialog, the preview windows and the information window, in that order. */
    TFormBlachorys(Prompts& prompts, QString savedInputsDirectory, QWidget* parent = nullptr);
    ~TFormBlachorys() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    OutputWindows& outputWindows() { return m_outputWindows; }
    /** The open calculator whose form name in capitals is `nameKey`, or nullptr. */
    CalculatorWindow* findMdiChild(const QString& nameKey) const;
    /** The information window, while one is open. */
    TInfo* info() const { return m_info; }

public slots:
    /** Opens the calculator with this name key, or brings the open one forward. */
    CalculatorWindow* openCalculator(const QString& nameKey);
    void Rura1Click();
    /** Side by side in a grid, each calculator no smaller than it needs; the area scrolls. */
    void Tile1Click();
    void Kaskada1Click();
    /** Creates and shows the information window unless one is open. */
    void showInfo();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    /** The designed size and place where the screen has room, else the screen's room. */
    void fitToScreen();
    /** A calculator's child window made at least as large as its controls need. */
    void keepRoomFor(QMdiSubWindow* window);
    /** The tiling itself, once the windows are restored. */
    void tileNow();
    void updateWindowMenu();
    void subWindowActivated(QMdiSubWindow* window);
    /** The calculator window the user works in now, or nullptr. */
    CalculatorWindow* currentCalculator() const;

    QMdiArea* m_mdiArea = nullptr;
    QMenu* m_windowMenu = nullptr;
    HintRouter m_hints;
    OutputWindows m_outputWindows;
    GuiContext m_context;
    QPointer<TInfo> m_info;
};

} // namespace blachorys::gui
