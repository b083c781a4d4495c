#include "common/io/filesizesignal.h"

namespace blachorys::io {

// Windows has no file-size limit signal: a write past a quota or a full disk only fails, and
// the failure is reported like any other.
void ignoreFileSizeLimitSignal() {}

} // namespace blachorys::io
