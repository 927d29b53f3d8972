#!/usr/bin/python3
"""The "Fourier" time-frequency distribution in scipy, beside timefreq_bench.

Same case as BM_FourierDistribution: 100000 complex samples, a rectangular
window of 100 centred on every sample (zeros beyond the signal), step 1,
FFT 2000, each column (|X| / max |X|)^2 with rows from the most negative
frequency up. Two ways:
  stft   scipy.signal.stft (boxcar, hop 1, two-sided), then normalised;
  chunks scipy.fft.fft of sliding windows, a chunk of windows at a time,
         written into one preallocated (windows x 2000) array, i.e. one
         contiguous row per window as in the engine's column-major matrix.
Prints seconds and the peak resident set (ru_maxrss) after each.
Run by hand with Debian's python3-scipy:
  /usr/bin/python3 bench/timefreq_scipy.py [stft|chunks|both] [samples]
"""

import resource
import sys
import time

import numpy as np
import scipy.fft
import scipy.signal

WINDOW = 100
FFT_SIZE = 2000


def test_signal(n):
    rng = np.random.default_rng(2026)
    k = np.arange(n)
    t = k / n
    x = np.exp(2j * np.pi * 0.1 * k) + 0.7 * np.exp(2j * np.pi * (-0.3 * k + 0.25 * t * k))
    return x + 0.05 * (rng.standard_normal(n) + 1j * rng.standard_normal(n))


def peak_mb():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0


def normalise_rows(power):
    """(|X| / max|X|)^2 per window, in place on |X|^2."""
    power /= power.max(axis=1, keepdims=True)
    return power


def with_stft(x):
    # boundary="zeros" pads WINDOW/2 zeros on both sides, so segment q covers
    # samples q - 50 .. q + 49 like the engine's window; n + 1 segments.
    _, _, z = scipy.signal.stft(x, window="boxcar", nperseg=WINDOW, noverlap=WINDOW - 1, nfft=FFT_SIZE,
                                return_onesided=False, boundary="zeros", padded=False, detrend=False,
                                scaling="spectrum")
    power = np.abs(z.T[: len(x)]) ** 2
    del z
    power = np.fft.fftshift(power, axes=1)
    return normalise_rows(power)


def with_chunks(x, chunk=128):
    n = len(x)
    padded = np.concatenate([np.zeros(WINDOW // 2, complex), x, np.zeros(WINDOW, complex)])
    frames = np.lib.stride_tricks.sliding_window_view(padded, WINDOW)
    power = np.empty((n, FFT_SIZE))
    half = FFT_SIZE // 2
    for start in range(0, n, chunk):
        stop = min(start + chunk, n)
        spectrum = scipy.fft.fft(frames[start:stop], n=FFT_SIZE, axis=1, workers=1)
        block = spectrum.real ** 2 + spectrum.imag ** 2
        block /= block.max(axis=1, keepdims=True)
        power[start:stop, :half] = block[:, half:]
        power[start:stop, half:] = block[:, :half]
    return power


def main():
    which = sys.argv[1] if len(sys.argv) > 1 else "chunks"
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    x = test_signal(n)
    print(f"samples {n}, window {WINDOW}, FFT {FFT_SIZE}; one matrix {n * FFT_SIZE * 8 / 2**20:.0f} MB")
    results = {}
    for name, run in (("chunks", with_chunks), ("stft", with_stft)):
        if which not in (name, "both"):
            continue
        begin = time.perf_counter()
        cpu = time.process_time()
        results[name] = run(x)
        print(f"{name:7s} {time.perf_counter() - begin:7.2f} s wall {time.process_time() - cpu:7.2f} s cpu "
              f"peak {peak_mb():8.0f} MB")
    if len(results) == 2:
        print("largest difference", np.max(np.abs(results["chunks"] - results["stft"])))


if __name__ == "__main__":
    main()
