// Benchmarks of the comparison on the generated netlist pairs (bench/gen_netlists.py):
//   Run/<set>/<format>        the whole comparison run, result file included
//   ReadIndex/<set>/<format>  reading and indexing both netlists alone
//   Cli/<set>/<format>        the command-line program as a process; peak_kb is its peak memory
//   Python/full/pads          the plain script bench/plain_diff.py on the same pair, as a process
//   Floor/full/pads           bench/read_floor.cpp on the same pair: start, read both files, end
// and, on the pairs beyond the fixed capacities that are there (big20k, big100k, big1m, adv100k):
//   Cli/<set>/pads            the command-line program with --no-limits; us_per_pin is the
//                             microseconds per pin of one netlist, so that its growth with the
//                             size reads directly (adv100k against big100k, the plain pair of
//                             the same size)
//   CliDefault/big20k/pads    the command-line program in its fixed tables, which big20k fills
// A process that fails (exit status 2, or killed) marks its benchmark skipped with an error.
// Usage: bench_run DATA_DIR CLI PYTHON_SCRIPT READ_FLOOR [Google Benchmark options]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "compare/run.h"
#include "netlist/index.h"
#include "netlist/reader.h"
#include "settings/settings.h"

namespace {

namespace fs = std::filesystem;
using namespace veltrax;

struct Pair {
  std::string set;
  std::string format;
  int format_index;
  std::string ref;
  std::string cmp;
};

const char* const kSets[] = {"full", "moved", "renamed", "wide"};

// The PADS pairs beyond the fixed capacities: name, pins per netlist, repetitions (0: as asked).
struct BigSet {
  const char* name;
  int pins;
  int repetitions;
};
const BigSet kBigSets[] = {
    {"big20k", 20000, 0}, {"big100k", 100000, 0}, {"big1m", 1000000, 3}, {"adv100k", 100000, 0}};

std::vector<Pair> find_pairs(const fs::path& dir) {
  std::vector<Pair> pairs;
  for (const char* set : kSets) {
    for (int f = 0; f < FORMAT_COUNT; ++f) {
      const std::string prefix = std::string(set) + "-" + format_at(f).name + "-";
      for (const char* ext : {".net", ".ccf"}) {
        const fs::path ref = dir / (prefix + "ref" + ext);
        if (fs::exists(ref)) {
          pairs.push_back(
              {set, format_at(f).name, f, ref.string(), (dir / (prefix + "cmp" + ext)).string()});
        }
      }
    }
  }
  return pairs;
}

void run_pair(benchmark::State& state, const Pair& p, const std::string& result) {
  static Settings* const s = new Settings;
  clear_settings(*s);
  s->param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
  s->param[ref_format_param(0)] = p.format_index;
  s->param[cmp_format_param(0)] = p.format_index;
  set_slot(*s, ref_path_slot(0), p.ref);
  set_slot(*s, cmp_path_slot(0), p.cmp);
  RunOptions options;
  options.result_name = result.c_str();
  for (auto _ : state) {
    RunReport report;
    comparison_run(*s, options, &report);
    if (report.outcome != RunOutcome::completed) state.SkipWithError("the run failed");
  }
}

void read_and_index(benchmark::State& state, const Pair& p) {
  for (auto _ : state) {
    RunMemory memory;
    for (int side = 0; side < 2; ++side) {
      NetlistStore store(memory);
      std::FILE* f = std::fopen(side == 0 ? p.ref.c_str() : p.cmp.c_str(), "rb");
      InputFile in(f);
      int pins = 0;
      const int read = read_netlist(p.format_index, in, store, pins, 0);
      benchmark::DoNotOptimize(index_netlist(store, read, pins));
      std::fclose(f);
    }
  }
}

struct Exit {
  long peak_kb;
  bool failed;  // exit status 2, no program to run (127), or killed by a signal
};

// Runs a program and waits for it; returns its peak resident memory in kilobytes and whether
// it failed.
Exit run_process(const std::vector<std::string>& argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) == 2 || WEXITSTATUS(status) == 127;
  return {usage.ru_maxrss, failed};
}

// pins: the pins of one netlist of the pair, for the counter us_per_pin; 0 for none.
void run_program(benchmark::State& state, std::vector<std::string> argv, int pins) {
  long peak = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const Exit exit = run_process(argv);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (exit.failed) {
      state.SkipWithError("the program failed");
      break;
    }
    peak = std::max(peak, exit.peak_kb);
  }
  state.counters["peak_kb"] = static_cast<double>(peak);
  if (pins > 0) {
    state.counters["us_per_pin"] =
        benchmark::Counter(seconds * 1e6 / pins, benchmark::Counter::kAvgIterations);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: bench_run DATA_DIR CLI PYTHON_SCRIPT READ_FLOOR [benchmark options]\n");
    return 2;
  }
  const fs::path dir = argv[1];
  const std::string cli = fs::absolute(argv[2]).string();
  const std::string script = fs::absolute(argv[3]).string();
  const std::string floor = fs::absolute(argv[4]).string();
  const std::string result = (dir / "result.csv").string();
  for (const Pair& p : find_pairs(dir)) {
    const std::string name = p.set + "/" + p.format;
    benchmark::RegisterBenchmark(("Run/" + name).c_str(), run_pair, p, result)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ReadIndex/" + name).c_str(), read_and_index, p)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        ("Cli/" + name).c_str(), run_program,
        std::vector<std::string>{cli, "-q", "-f", p.format, p.ref, p.cmp, "-o", result}, 0)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (p.set == "full" && p.format == "pads") {
      benchmark::RegisterBenchmark(
          "Python/full/pads", run_program,
          std::vector<std::string>{"/usr/bin/python3", script, p.ref, p.cmp}, 0)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
      benchmark::RegisterBenchmark("Floor/full/pads", run_program,
                                   std::vector<std::string>{floor, p.ref, p.cmp}, 0)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  }
  for (const BigSet& set : kBigSets) {
    const std::string ref = (dir / (std::string(set.name) + "-pads-ref.net")).string();
    const std::string cmp = (dir / (std::string(set.name) + "-pads-cmp.net")).string();
    if (!fs::exists(ref)) continue;
    auto* b = benchmark::RegisterBenchmark(
        ("Cli/" + std::string(set.name) + "/pads").c_str(), run_program,
        std::vector<std::string>{cli, "-q", "--no-limits", "-f", "pads", ref, cmp, "-o", result},
        set.pins);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
    if (set.repetitions > 0) b->Repetitions(set.repetitions);
    if (std::string(set.name) == "big20k") {
      benchmark::RegisterBenchmark(
          "CliDefault/big20k/pads", run_program,
          std::vector<std::string>{cli, "-q", "-f", "pads", ref, cmp, "-o", result}, set.pins)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  }
  argc -= 4;
  argv += 4;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
