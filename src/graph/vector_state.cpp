#include "graph/vector_state.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

namespace {

__attribute__((target("avx"))) void zeroUpper() { __builtin_ia32_vzeroupper(); }

bool hasAvx() {
  static const bool avx = __builtin_cpu_supports("avx");
  return avx;
}

}  // namespace

void clearUpperVectorState() {
  if (hasAvx()) zeroUpper();
}

#else

void clearUpperVectorState() {}

#endif
