#pragma once

namespace blachorys::io {

/**
 * Ignores SIGXFSZ, so that a write past the process's file-size limit (`ulimit -f`) fails
 * with EFBIG and is reported like any failed write, instead of the signal ending the program
 * without a word. Both programs call it first thing.
 */
void ignoreFileSizeLimitSignal();

} // namespace blachorys::io
