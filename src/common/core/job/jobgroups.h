#pragma once

#include "common/core/job/job.h"
#include "common/core/plate/flatpiece.h"
#include "common/core/plate/jobpieces.h"
#include "common/core/plate/nesting.h"
#include "common/core/sheets/nestingdrawing.h"

#include <string>
#include <vector>

namespace blachorys::core {

/**
 * The pieces of a job cut from one material of one thickness, nested together: each named by
 * its entry's mark ("K1 plaszcz") and counted as often as its entry is cut.
 */
struct JobGroup {
    Material material;
    double thicknessMm = 0.0;
    std::vector<JobPiece> pieces;
    /** The marking lines and points of each piece, in the pieces' order. */
    std::vector<PieceDrawing> drawings;
    Nesting nesting;
};

/** The calculated job's pieces by material and thickness, thinnest first, each nested. */
std::vector<JobGroup> jobGroupsOf(const Job& job, const JobCalculation& calculation);

/**
 * The job's material list: per material and thickness every piece with its count, net area
 * and mass, the plates it takes and their share used, the group's mass; then the total mass.
 */
std::vector<std::string> jobMaterialListLines(const Job& job, const JobCalculation& calculation,
                                              const std::vector<JobGroup>& groups);

/** One entry as the job's window lists it. */
struct JobEntrySummary {
    /** The first fields of its calculator's tab order: "Dm 300 , Dd 800". */
    std::string sizes;
    /** The thicknesses its pieces are cut from: "3.00", "3.00 / 6.00". */
    std::string thickness;
    /** All its copies, kg, as the material list weighs them. */
    double massKg = 0.0;
};

/** Each entry of the calculated job, in the job's order. */
std::vector<JobEntrySummary> entrySummaries(const Job& job, const JobCalculation& calculation);

/** The job's mass, kg: every piece's net area times its thickness and density, times its count. */
double jobMass(const std::vector<JobGroup>& groups);

/**
 * Every group's plates as one drawing, numbered through the job ("Arkusz 3/5 : 1500 x 3000 ,
 * stal 7.85 kg/dm3 t = 3.00 mm , wykorzystanie 64.1 %"), each part captioned with its mark; or
 * why there is none.
 */
NestingDrawingResult jobNestingDrawing(const std::vector<JobGroup>& groups);

} // namespace blachorys::core
