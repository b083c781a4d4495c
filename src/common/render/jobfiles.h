#pragma once

#include "common/cnc/cncdxf.h"
#include "common/core/job/jobgroups.h"
#include "common/render/outputfile.h"

#include <QString>

#include <vector>

namespace blachorys::render {

/** A calculated job, grouped and nested once: what every file of the job is made from. */
struct JobOutputs {
    core::Job job;
    core::JobCalculation calculation;
    std::vector<core::JobGroup> groups;
};

/**
 * The job calculated (`core::calculateJob`), dated `dateText`, and nested; the calculation's
 * problems say why nothing else can be made.
 */
JobOutputs jobOutputsOf(core::Job job, const core::CalculatorLookup& lookup,
                        const std::string& dateText);

/** The job's report (`core::jobReportLines`) in Windows-1250, CR LF after every line. */
OutputFile jobReportFile(const JobOutputs& outputs);
/** Every plate of the job as the cutting table's DXF, a block per plate. */
OutputFile jobNestingDxfFile(const JobOutputs& outputs, cnc::DxfVersion version);
/** The same as a PDF, a page per plate to scale; needs the program's drawing layer. */
OutputFile jobNestingPdfFile(const JobOutputs& outputs);

/** One piece's file, named by its entry's mark. */
struct NamedFile {
    QString name; ///< "K1_mniejsza.dxf", "K2.dxf"
    OutputFile file;
};

/**
 * Each calculated piece's cutting-table DXF, as its window's "Zapisz DXF dla CNC" makes it:
 * named by its mark, and by its development's key after it where its calculator has a choice.
 */
std::vector<NamedFile> jobCncFiles(const JobOutputs& outputs, cnc::DxfVersion version);

} // namespace blachorys::render
