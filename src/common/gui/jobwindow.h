#pragma once

#include "common/core/job/job.h"
#include "common/gui/guicontext.h"
#include "common/render/jobfiles.h"

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;

namespace blachorys::gui {

/**
 * The job's window ("Zlecenie"): its name, plate and entries (mark, calculator, developments
 * cut, main sizes, thickness, count, mass), the mark, developments and count edited in place,
 * an entry removed or reopened in its calculator, and the job's files. The job is calculated
 * after every change; a change that leaves an entry that does not calculate is refused with a
 * warning and the job stays as it was.
 */
class JobWindow final : public QWidget {
    Q_OBJECT
public:
    /** The table's columns. */
    enum Column { Mark, CalculatorKey, Developments, Sizes, Thickness, Count, Mass, Columns };

    JobWindow(const GuiContext& context, const core::CalculatorLookup& lookup,
              QWidget* parent = nullptr);

    const core::Job& job() const { return m_job; }
    /** The file the job was opened from or last saved to; empty for a new job. */
    const QString& path() const { return m_path; }
    bool isModified() const { return m_modified; }
    /** A job opened or new, with the file it came from: not modified. */
    void setJob(core::Job job, QString path);
    /**
     * A job opened from `path`, when every entry calculates; an error box and the job as it
     * was otherwise.
     */
    bool openJob(core::Job job, QString path);
    /** The job saved to `path`: it is the job's file now. */
    void markSaved(QString path);
    /**
     * The calculator's inputs and edge as a new entry, every development cut, once, marked
     * with the next free mark; refused with a warning, the job unchanged, when it does not
     * calculate.
     */
    bool addEntry(const core::Calculator& calculator, const core::CalculatorInputs& inputs,
                  const core::EdgeTexts& edge = {});
    /** The entry of the table's current row, or -1. */
    int currentEntry() const;

signals:
    /** "Otwórz w kalkulatorze": the entry's calculator is to show its inputs. */
    void reopenRequested(int entry);
    /** The title changed: the job's name, its file or whether it is modified. */
    void titleChanged();

public slots:
    void UsunPozycjeClick();
    void OtworzPozycjeClick();
    void ArkuszZleceniaClick();
    void ZapiszRaportClick();
    /** "Rozkrój na arkuszach": the DXF, R12 or the PDF, as the dialog's filter chooses. */
    void RozkrojZleceniaClick();
    void CncZleceniaClick();

protected:
    /** A modified job closes only when the user lets its changes go. */
    void closeEvent(QCloseEvent* event) override;

private:
    /** Takes `candidate` when it calculates; a warning and no change otherwise. */
    bool tryJob(core::Job candidate);
    void cellEdited(QTableWidgetItem* item);
    void refill();
    void updateTitle();
    /** The outputs ready; an error box otherwise. */
    bool outputsReady();
    void saveFile(const QString& filter, const QString& name,
                  const std::function<render::OutputFile(int filterIndex)>& make);

    GuiContext m_context;
    core::CalculatorLookup m_lookup;
    core::Job m_job;
    render::JobOutputs m_outputs;
    QString m_path;
    bool m_modified = false;
    QLineEdit* m_name = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace blachorys::gui
