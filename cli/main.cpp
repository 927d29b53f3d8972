// vorenta-cli: the spectrum methods and the signal generator of Vorenta from
// the command line, for scripts and end-to-end checks. Engine only, no Qt.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/generate_command.h"
#include "cli/spectrum_command.h"
#include "cli/tf_command.h"
#include "core/error.h"
#include "core/message_sink.h"
#include "core/messages.h"

namespace {

constexpr char kUsage[] =
    "usage: vorenta-cli spectrum FILE --method NAME [options] | vorenta-cli tf FILE --method NAME --window W "
    "[options] | vorenta-cli generate OUTPUT [options] | vorenta-cli --help";

constexpr char kHelp[] = R"(vorenta-cli - spectrum estimation of sampled signals

vorenta-cli spectrum FILE --method NAME [options]
  Imports FILE (delimited text: ";", space or tab between fields, "," or "."
  as decimal separator, header lines skipped) exactly as the program's Open
  command does, runs one spectrum method on the selection and writes the
  result.
  --method NAME     one of: Periodogram, Simplex, Quasi-Newton, Prony,
                    PronyModif, AR Burg, AR Covarience, Music, EV
                    (case-insensitive; quote names with a space)
  --order N         main parameter: number of exponents, AR order or
                    eigenvector dimension (default 2); each method clamps it
  --subspace Q      signal subspace dimension, Music and EV (default 1)
  --start S         first selected sample, 0-based (default: first sample)
  --end E           last selected sample (default: last sample)
  --columns C1[,C2] 1-based file columns of the real and the imaginary part
                    (0 = not used; default: the columns the import settings
                    dialog proposes)
  --decimation D    average blocks of D rows, 1 .. 10000 (default 1)
  --keep-dc         do not remove the mean (removed by default)
  --analytic        turn a one-column signal into the analytic signal
  --passes P        passes of the Simplex fit (default 1)
  --seed S          seed of the pseudo-random generator (default: the clock)
  --components FILE write the component table
  --model FILE      write the model and its forecast

  Standard output, one line per point, tab-separated:
    normalised frequency (cycles per sample, -0.5 .. 0.4999 ascending in
    steps of 0.0001), level (dB relative to the peak, -100 .. 0).
    After Simplex or Quasi-Newton: the merged line spectrum, frequency
    ascending, then line level in dB relative to the strongest line.
  --components FILE, one line per component, tab-separated:
    amplitude (signal units), frequency (cycles per sample), phase
    (radians), damping (natural log of the per-sample growth factor; 0 for
    the sinusoid fits). After a sinusoid fit the constant term comes first.
    Written by Simplex, Quasi-Newton, Prony and PronyModif; empty otherwise.
  --model FILE, one line per sample, tab-separated:
    sample index (0-based, from the start of the selection), real part,
    imaginary part of the model with its forecast past the selection (100
    samples for the fits and Prony, 101 predicted samples after the data
    for the AR methods; at most 10000 lines). Empty for Periodogram, Music, EV.
  Standard error: the method, the parameters used, the dB range, the
  relative error of a fitted model, the pass count.

vorenta-cli tf FILE --method NAME --window W [options]
  Imports FILE as "spectrum" does (the same --columns, --decimation,
  --keep-dc, --analytic, --start and --end), slides a window of W samples
  along the selection one sample at a time and turns every window into one
  column of a time-frequency distribution.
  --method NAME     one of: Fourier, Wigner-Ville, Symplex, Prony Modified,
                    AR Burg, AR Covar, MUSIC, WV_MUSIC, WVS (case-insensitive)
  --window W        window length in samples (at least 1)
  --fft N           FFT size of the grid methods (default 2000; raised to W
                    and to the next length the FFT accepts)
  --order A         number of exponents (Symplex, WVS, Prony Modified), AR
                    order, or eigenvector dimension (MUSIC) (default 2);
                    each method clamps it
  --subspace D      signal-space dimension of MUSIC, WV_MUSIC (default 1)
  --iterations I    fit iterations of Symplex, WVS (default 1)
  --seed S          seed of the pseudo-random generator (default: the clock)
  --matrix FILE     write the value matrix: one line per row, lowest
                    frequency first, one tab-separated value per window
                    (column 0 = the window centred on the first selected
                    sample). Grid methods: the spectrum of the window
                    divided by its largest value (Fourier: squared
                    magnitude, Wigner-Ville: signed). Symplex, WVS: one row
                    per component, its amplitude divided by the largest
                    one (WVS signed).
  --frequencies FILE  write the matching frequencies (cycles per sample) in
                    the same layout; a component a window lacks has
                    frequency -123 (-61.5 for WVS)
  --image FILE.pgm  write the grey image (binary PGM, black = the upper clip
                    level): interpolated for the grid methods, one dot per
                    component for Symplex and WVS
  --width X, --height Y  image size in pixels (default 800 x 600)
  --amax V, --amin V     clip levels of the grey scale (default: the run's
                    largest and smallest value)
  Standard error: the parameters used, progress as a percentage with elapsed
  and remaining time, the matrix size and the value range.

vorenta-cli generate OUTPUT [options]
  Synthesises a signal as the generator dialog does and writes it to OUTPUT
  in the program's saved-selection format: one line per sample, the real
  part, then (complex signals only) a tab and the imaginary part, each as
  "0.000000e+00", lines ending in CR LF.
  --samples N       number of samples, at least 2 (default 1000)
  --noise S         standard deviation of the Gaussian noise added to each
                    part (default 0)
  --seed S          seed of the pseudo-random generator (default: the clock)
  --real            a real signal (sum of sinusoids); complex by default
  --chirp           linear frequency modulation instead of exponentials
  --component A,F,PHI,D       (repeatable) amplitude, frequency (cycles per
                    sample), phase (radians), damping factor (per sample);
                    with --chirp: A,F1,F2,PHI,D, frequency running from F1
                    at sample 0 to F2 at sample N. Missing values are 0.
                    Default: one component 1,0.1,0,0 (1,0.1,0.2,0,0).

Exit status: 0 success; 1 the program refused (its message on standard
error); 2 wrong arguments.
)";

}  // namespace

int main(int argc, char** argv) {
  using namespace vorenta;
  SetMessageSink([](const std::string& message) { std::cerr << message << '\n'; });
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    std::cerr << kUsage << '\n';
    return cli::kExitUsage;
  }
  const std::string_view command = arguments.front();
  const std::span<const std::string_view> rest(arguments.begin() + 1, arguments.end());
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      std::cout << kHelp;
      return cli::kExitSuccess;
    }
    if (command == "spectrum") return cli::RunSpectrumCommand(rest);
    if (command == "generate") return cli::RunGenerateCommand(rest);
    if (command == "tf") return cli::RunTfCommand(rest);
    throw cli::UsageError("unknown command '" + std::string(command) + "'");
  } catch (const cli::UsageError& error) {
    std::cerr << "vorenta-cli: " << error.what() << '\n' << kUsage << '\n';
    return cli::kExitUsage;
  } catch (const VorentaError& error) {
    std::cerr << error.what() << '\n';
    return cli::kExitRefused;
  } catch (const std::bad_alloc&) {
    std::cerr << vorenta::kOutOfMemoryMessage << '\n';
    return cli::kExitRefused;
  }
}
