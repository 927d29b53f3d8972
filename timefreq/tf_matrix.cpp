#include "timefreq/tf_matrix.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vorenta {
namespace {

// Asks the kernel for huge pages behind a large matrix: a run of 100000
// windows writes gigabytes, and faulting them in 4 KB at a time costs more
// than the transforms. Only a hint; nothing depends on it being honoured.
void AdviseHugePages([[maybe_unused]] void* cells, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kWorthIt = std::size_t{32} << 20;
  constexpr std::uintptr_t kPage = 4096;
  if (bytes < kWorthIt) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(cells);
  const std::uintptr_t alignedBegin = (begin + kPage - 1) & ~(kPage - 1);
  const std::uintptr_t alignedEnd = (begin + bytes) & ~(kPage - 1);
  madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
#endif
}

}  // namespace

void TfMatrix::Allocate(int rows, int columns) {
  Release();
  const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  if (count > 0) {
    cells_.reset(static_cast<double*>(std::calloc(count, sizeof(double))));
    if (!cells_) throw std::bad_alloc();
    AdviseHugePages(cells_.get(), count * sizeof(double));
  }
  rows_ = rows;
  columns_ = columns;
}

}  // namespace vorenta
