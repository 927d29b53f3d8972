#include "spectrum/subspace.h"

#include <algorithm>
#include <complex>
#include <limits>
#include <vector>

#include "core/error.h"
#include "numeric/complex_svd.h"
#include "numeric/fft.h"
#include "spectrum/guarded_run.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"
#include "spectrum/spectrum_messages.h"

namespace vorenta {

namespace {

using Complex = std::complex<double>;

constexpr double kSingularValueFloor = 1e-16;

// A dense row-major complex matrix with the row pointers the SVD takes.
class ComplexMatrix {
 public:
  ComplexMatrix(int rows, int columns)
      : values_(static_cast<std::size_t>(rows) * columns), rowPointers_(rows) {
    for (int r = 0; r < rows; ++r) rowPointers_[r] = values_.data() + static_cast<std::size_t>(r) * columns;
  }
  Complex* const* Rows() const { return rowPointers_.data(); }
  Complex* Row(int r) const { return rowPointers_[r]; }

 private:
  std::vector<Complex> values_;
  std::vector<Complex*> rowPointers_;
};

ComplexMatrix ForwardBackwardDataMatrix(const ComplexSample* segment, int length, int dimension) {
  const int k = length - dimension;
  ComplexMatrix matrix(2 * k, dimension);
  for (int r = 0; r < k; ++r) {
    Complex* forward = matrix.Row(r);
    Complex* backward = matrix.Row(k + r);
    for (int c = 0; c < dimension; ++c) {
      const ComplexSample& newest = segment[r + dimension - 1 - c];
      forward[c] = Complex(newest.re, newest.im);
      const ComplexSample& later = segment[r + 1 + c];
      backward[c] = Complex(later.re, -later.im);
    }
  }
  return matrix;
}

SpectrumRunReport RunSubspace(const SpectrumRunRequest& request, SubspaceWeighting weighting) {
  ResultKind = result_kind::kSubspace;
  SpectrumRunReport report;
  const std::int64_t length = SelectionLength(request.SelectionStart, request.SelectionEnd);
  const int stagedLength = static_cast<int>(std::min<std::int64_t>(length, kSampleBufferLength));
  const SubspaceDimensions dimensions =
      ClampSubspaceDimensions(request.MainParameter, request.SubspaceParameter, stagedLength);
  report.MainParameterUsed = dimensions.VectorDimension;
  report.SubspaceParameterUsed = dimensions.SignalDimension;
  if (length == 0) return report;
  if (!SubspaceDimensionsUsable(dimensions)) throw VorentaError(kSubspaceFailureMessage);

  StageSelection(request.SelectionStart, request.SelectionEnd);
  // A zero matrix has no noise subspace, only identity vectors and a flat curve.
  if (StagedSamplesAllZero(stagedLength)) throw VorentaError(kSubspaceFailureMessage);

  RunGuardedSpectrumDb(kSubspaceFailureMessage, report, [&] {
    int failure = 0;
    SubspaceSpectrum(weighting, SampleBuffer.data(), stagedLength, dimensions.VectorDimension,
                     dimensions.SignalDimension, kSpectrumBins, SpectrumDb.data(), failure);
    return failure == subspace_failure::kNone;
  });
  return report;
}

}  // namespace

void SubspaceSpectrum(SubspaceWeighting weighting, const ComplexSample* segment, int length, int vectorDimension,
                      int signalDimension, int spectrumLength, double* output, int& failure) {
  const int m = vectorDimension;
  const int q = signalDimension;
  if (q >= m || q < 0) {
    failure = subspace_failure::kSignalDimension;
    return;
  }
  if (m < 1 || 2 * (static_cast<long long>(length) - m) < m || spectrumLength < m) {
    failure = subspace_failure::kMatrixShape;
    return;
  }
  const int rows = 2 * (length - m);
  ComplexMatrix data = ForwardBackwardDataMatrix(segment, length, m);
  ComplexMatrix right(m, m);
  std::vector<double> sigma(m);
  int svdFailure = 0;
  // Only the right singular vectors enter the pseudo-spectrum.
  ComplexSvd(data.Rows(), rows, m, 0, m, sigma.data(), nullptr, right.Rows(), svdFailure);
  if (svdFailure != 0) {
    failure = subspace_failure::kDecomposition;
    return;
  }

  std::vector<double> sum(spectrumLength, 0.0);
  std::vector<double> re(spectrumLength);
  std::vector<double> im(spectrumLength);
  for (int j = q; j < m; ++j) {
    std::fill(re.begin(), re.end(), 0.0);
    std::fill(im.begin(), im.end(), 0.0);
    for (int c = 0; c < m; ++c) {
      re[c] = right.Row(c)[j].real();
      im[c] = right.Row(c)[j].imag();
    }
    int fftFailure = 0;
    ComplexFft(re.data(), im.data(), spectrumLength, fftFailure);
    if (fftFailure != 0) {
      failure = subspace_failure::kTransform;
      return;
    }
    const double weight = weighting == SubspaceWeighting::kEv ? 1.0 / std::max(sigma[j], kSingularValueFloor) : 1.0;
    for (int k = 0; k < spectrumLength; ++k) sum[k] += (re[k] * re[k] + im[k] * im[k]) * weight;
  }
  for (int k = 0; k < spectrumLength; ++k) {
    output[k] = 1.0 / std::max(sum[k], std::numeric_limits<double>::min());
  }
  failure = subspace_failure::kNone;
}

SpectrumRunReport RunMusic(const SpectrumRunRequest& request) { return RunSubspace(request, SubspaceWeighting::kMusic); }

SpectrumRunReport RunEv(const SpectrumRunRequest& request) { return RunSubspace(request, SubspaceWeighting::kEv); }

}  // namespace vorenta
