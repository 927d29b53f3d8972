#pragma once
// The run shared by the autoregressive methods.

#include <cstdint>

#include "core/signal_store.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

// An AR kernel: (segment, capacity, length, order, output, spectrumLength) ->
// failure code, 0 on success.
using ArKernel = int (*)(ComplexSample*, int, int, int, double*, int);
// The method's order limit: (requested order, staged length N') -> order used.
using ArOrderClamp = int (*)(int, int);

// ResultKind := kind; the order clamped by `clamp` becomes ComponentCount and
// MainParameterUsed; order 0 or an empty selection: nothing computed.
// Otherwise stages the selection, runs `kernel` on SampleBuffer with
// SpectrumDb (10000 bins) as output, then FinishSpectrum. Throws
// VorentaError(message) for an all-zero selection, a kernel failure, a
// floating-point fault or exhausted memory.
SpectrumRunReport RunArMethod(const SpectrumRunRequest& request, std::int32_t kind, ArOrderClamp clamp,
                              ArKernel kernel, const char* message);

}  // namespace vorenta
