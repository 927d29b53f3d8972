#pragma once
// A dense matrix for the kernel tests, handed to the kernels as an array of
// row pointers, the way callers hold their matrices.

#include <cstddef>
#include <vector>

namespace vorenta::testing {

template <class T>
class RowMatrix {
 public:
  RowMatrix(int rows, int columns)
      : rows_(rows), columns_(columns), data_(static_cast<std::size_t>(rows) * columns), pointers_(rows) {
    for (int i = 0; i < rows; ++i) pointers_[i] = data_.data() + static_cast<std::size_t>(i) * columns;
  }
  RowMatrix(const RowMatrix& other) : RowMatrix(other.rows_, other.columns_) { data_ = other.data_; }
  RowMatrix& operator=(const RowMatrix&) = delete;

  int Rows() const { return rows_; }
  int Columns() const { return columns_; }
  T& operator()(int i, int j) { return pointers_[i][j]; }
  const T& operator()(int i, int j) const { return pointers_[i][j]; }
  T* const* RowPointers() { return pointers_.data(); }

 private:
  int rows_;
  int columns_;
  std::vector<T> data_;
  std::vector<T*> pointers_;
};

}  // namespace vorenta::testing
