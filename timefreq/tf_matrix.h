#pragma once
// One matrix of a time-frequency run: Rows x Columns doubles, addressed as
// [row][column]. A column is one window, so each column is stored
// contiguously: an estimator writes a whole column at once and the image
// renderer reads cells in any order.

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace vorenta {

class TfMatrix {
 public:
  // Releases the old cells and allocates rows x columns zeros (a window that
  // writes nothing thus leaves zeros). The zeros come from calloc, so a
  // large matrix costs no clearing pass: its pages are touched only when an
  // estimator writes them. Throws std::bad_alloc; the old cells are gone
  // either way.
  void Allocate(int rows, int columns);
  void Release() {
    cells_.reset();
    rows_ = columns_ = 0;
  }

  int AllocatedRows() const { return rows_; }
  int AllocatedColumns() const { return columns_; }

  double* Column(int c) { return cells_.get() + static_cast<std::size_t>(c) * rows_; }
  const double* Column(int c) const { return cells_.get() + static_cast<std::size_t>(c) * rows_; }
  double& operator()(int r, int c) { return Column(c)[r]; }
  double operator()(int r, int c) const { return Column(c)[r]; }

 private:
  struct FreeCells {
    void operator()(double* cells) const { std::free(cells); }
  };
  std::unique_ptr<double[], FreeCells> cells_;
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace vorenta
