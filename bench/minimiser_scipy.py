#!/usr/bin/python3
"""scipy's Nelder-Mead and L-BFGS-B on the problems of minimiser_bench.cpp.

Same functions, starts and bounds; prints objective calls, final value and
wall time per minimisation. Run by hand: /usr/bin/python3 bench/minimiser_scipy.py
"""

import time

import numpy as np
from scipy.optimize import minimize

FIT_LENGTH = 1000
TRUE_OMEGA = (0.7, -1.3)
AMPLITUDES = (1.0 + 0.5j, 0.6 - 0.2j)
START_OMEGA = (0.702, -1.298)
SIMPLEX_UNIT = 0.001

m = np.arange(FIT_LENGTH)
samples = sum(a * np.exp(1j * w * m) for a, w in zip(AMPLITUDES, TRUE_OMEGA))
energy = np.sum(np.abs(samples) ** 2)


def rosenbrock(x):
    return 100.0 * (x[1] - x[0] ** 2) ** 2 + (1.0 - x[0]) ** 2


def two_tone(omega):
    """Relative residual of the least-squares fit by two exponentials."""
    basis = np.exp(1j * np.outer(m, omega))
    coefficients, *_ = np.linalg.lstsq(basis, samples, rcond=None)
    residual = samples - basis @ coefficients
    return np.sum(np.abs(residual) ** 2) / energy


def two_tone_scaled(x):
    return two_tone(np.asarray(x) * SIMPLEX_UNIT)


def measure(label, function, start, **options):
    calls = [0]

    def counted(x):
        calls[0] += 1
        return function(x)

    repeats = 20
    began, began_cpu = time.perf_counter(), time.process_time()
    for _ in range(repeats):
        calls[0] = 0
        result = minimize(counted, np.asarray(start, dtype=float), **options)
    elapsed = (time.perf_counter() - began) / repeats
    elapsed_cpu = (time.process_time() - began_cpu) / repeats
    print(f"{label:32s} calls {calls[0]:5d}  f {result.fun:.3e}  "
          f"x {np.array2string(np.asarray(result.x), precision=8)}  "
          f"wall {elapsed * 1e6:9.1f} us  cpu {elapsed_cpu * 1e6:9.1f} us")


measure("Nelder-Mead Rosenbrock2", rosenbrock, (-1.2, 1.0), method="Nelder-Mead",
        options={"maxfev": 2000, "xatol": 1e-8, "fatol": 1e-12})
measure("L-BFGS-B Rosenbrock2", rosenbrock, (-1.2, 1.0), method="L-BFGS-B",
        bounds=[(-10, 10)] * 2)
measure("Nelder-Mead two-tone (unit 1e-3)", two_tone_scaled,
        tuple(w / SIMPLEX_UNIT for w in START_OMEGA), method="Nelder-Mead",
        options={"maxfev": 400, "xatol": 1e-8, "fatol": 1e-12})
measure("L-BFGS-B two-tone", two_tone, START_OMEGA, method="L-BFGS-B",
        bounds=[(-2 * np.pi, 2 * np.pi)] * 2)
