#pragma once

#include "common/core/calculator/pointreport.h"

#include <QFont>
#include <QString>

class QPrinter;

namespace blachorys::gui {

/**
 * The report's fixed-pitch font at 10 pt: the one the printouts were always made with when
 * the system has it, else a fixed-pitch font that every installation of the program has.
 */
QFont reportFont();

/** Page margins that hold the printer's unprintable edge: the report starts inside them. */
void keepInsidePrintableArea(QPrinter& printer);

/**
 * Prints the report on `printer`: the heading on the first page, header and result lines
 * paged by core::planPrint, on the last page a rule with the date and maker lines below, and
 * at the foot of every page "strona i z n".
 * False when the printer cannot be opened.
 */
bool printReport(QPrinter& printer, const QString& jobTitle, const QString& heading,
                 const core::PointReport& report);

} // namespace blachorys::gui
