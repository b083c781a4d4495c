#pragma once

#include "app/tinfo.h"
#include "common/gui/guicontext.h"
#include "common/gui/hintrouter.h"
#include "common/gui/jobwindow.h"
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
    /** The job's window, while one is open. */
    JobWindow* jobWindow() const { return m_jobWindow; }

public slots:
    /** Opens the calculator with this name key, or brings the open one forward. */
    CalculatorWindow* openCalculator(const QString& nameKey);
    void Rura1Click();
    /** Side by side in a grid, each calculator no smaller than it needs; the area scrolls. */
    void Tile1Click();
    void Kaskada1Click();
    /** Creates and shows the information window unless one is open. */
    void showInfo();
    /** "Nowe zlecenie": an empty job in the job's window, once a modified one may go. */
    void NoweZlecenieClick();
    /** "Otwórz zlecenie…": a job file through the open dialog. */
    void OtworzZlecenieClick();
    /** "Zapisz zlecenie": to its file, or as a new one when it has none. */
    void ZapiszZlecenieClick();
    void ZapiszZlecenieJakoClick();
    /** Opens the job file at `path`; a file refused leaves the open job as it was. */
    bool openJobFile(const QString& path);

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
    /** "Pliki": the job's commands, the last jobs, "Koniec". */
    void updateFilesMenu();
    /** The job's window, made with a new job when none is open. */
    JobWindow* ensureJobWindow();
    /** Whether the open job may be replaced: not modified, or the user lets its changes go. */
    bool mayReplaceJob();
    /** The entry's calculator opened with its inputs. */
    void reopenEntry(int entry);
    /** The folder the job's dialogs start in: the last a job went to, else the program's. */
    QString jobFolder() const;
    /** The file first among the recent jobs, its folder the one the dialogs start in. */
    void rememberJobFile(const QString& path);
    void subWindowActivated(QMdiSubWindow* window);
    /** The calculator window the user works in now, or nullptr. */
    CalculatorWindow* currentCalculator() const;

    QMdiArea* m_mdiArea = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_filesMenu = nullptr;
    QPointer<JobWindow> m_jobWindow;
    HintRouter m_hints;
    OutputWindows m_outputWindows;
    GuiContext m_context;
    QPointer<TInfo> m_info;
};

} // namespace blachorys::gui
