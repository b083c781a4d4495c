#pragma once

#include "common/core/job/jobgroups.h"

#include <string>
#include <vector>

namespace blachorys::core {

/**
 * The job's report: its heading, each piece's whole report in turn under a line naming its
 * entry's mark, calculator and count, then the job's material list.
 */
std::vector<std::string> jobReportLines(const Job& job, const JobCalculation& calculation,
                                        const std::vector<JobGroup>& groups);

} // namespace blachorys::core
