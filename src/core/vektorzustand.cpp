#include "core/vektorzustand.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TARVELLO_VEKTOR_X86 1
#endif

namespace tarvello {

#ifdef TARVELLO_VEKTOR_X86

namespace {

// Only this function is built for AVX, so the rest stays baseline code.
__attribute__((target("avx"))) void obere_haelften_leeren() {
    _mm256_zeroupper();
}

bool mit_avx() {
    // cpu_init first: the check may run before the runtime's own constructor.
    static const bool avx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return avx;
}

} // namespace

void vektorzustand_leeren() {
    if (mit_avx()) obere_haelften_leeren();
}

#else

void vektorzustand_leeren() {}

#endif

} // namespace tarvello
