#include "cli/vectorstate.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace blachorys::cli {

#if defined(__x86_64__) || defined(__i386__)
namespace {

__attribute__((target("avx"))) void zeroUpper() {
    _mm256_zeroupper();
}

} // namespace

void clearUpperVectorState() {
    if (__builtin_cpu_supports("avx")) {
        zeroUpper();
    }
}
#else
void clearUpperVectorState() {}
#endif

} // namespace blachorys::cli
