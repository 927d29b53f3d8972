#pragma once
// Merging of sinusoid-fit lines that lie too close in frequency to be told
// apart, into one line per group.

#include "spectrum/result_model.h"

namespace vorenta {

// Merges lines of lines.Raw (ascending frequency) whose frequencies differ by
// less than `distance` (cycles per sample) into single lines, leaving the
// result in lines.Merged. Each line carries f, A, phi, SinTerm = p and
// CosTerm = q, where p = -A*f*sin(2*pi*f*t0 + phi), q = A*f*cos(2*pi*f*t0 + phi)
// at the reference time t0 (samples).
//
// A group is a chain: a line joins it when its frequency differs from the
// previous line of the group by less than `distance`. At t0 a group has the
// phasor Z = sum A_k*exp(i*(2*pi*f_k*t0 + phi_k)) and P = sum p_k,
// Q = sum q_k; it yields the line
//   f = (Re Z*Q - Im Z*P) / |Z|^2,  A = |Z|,  phi = arg Z - 2*pi*t0*f,
//   p = P, q = Q
// (phi is not reduced to (-pi, pi]), or no line when |Z|^2 < 1e-15 (the group
// cancels). The merged frequency is the amplitude-weighted instantaneous
// frequency of the group's sum at t0.
// While a round merges anything (fewer lines out than in), its result is
// copied into lines.Raw and merged again, so on return lines.Raw holds the
// input of the last round and no two neighbours of lines.Merged lie closer
// than `distance`. Terminates: every further round has fewer lines.
// The spectrum tab passes distance = 0.2/N and t0 = N/2 for a fit over N samples.
void MergeLines(SpectrumLineLists& lines, double distance, double referenceTime);

}  // namespace vorenta
