#include "common/io/filesizesignal.h"

#include <csignal>

namespace blachorys::io {

void ignoreFileSizeLimitSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace blachorys::io
