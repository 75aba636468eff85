// Benchmarks of the comparison on the generated netlist pairs (bench/gen_netlists.py):
//   Run/<set>/<format>        the whole comparison run, result file included
//   ReadIndex/<set>/<format>  reading and indexing both netlists alone
//   Cli/<set>/<format>        the command-line program as a process; peak_kb is its peak memory
//   Python/full/pads          the plain script bench/plain_diff.py on the same pair, as a process
//   Floor/full/pads           bench/read_floor.cpp on the same pair: start, read both files, end
// Usage: bench_run DATA_DIR CLI PYTHON_SCRIPT READ_FLOOR [Google Benchmark options]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs a program and waits for it; returns its peak resident memory in kilobytes.
long run_process(const std::vector<std::string>& argv) {
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
  return usage.ru_maxrss;
}

void run_program(benchmark::State& state, std::vector<std::string> argv) {
  long peak = 0;
  for (auto _ : state)
    peak = std::max(peak, run_process(argv));
  state.counters["peak_kb"] = static_cast<double>(peak);
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
        std::vector<std::string>{cli, "-q", "-f", p.format, p.ref, p.cmp, "-o", result})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (p.set == "full" && p.format == "pads") {
      benchmark::RegisterBenchmark(
          "Python/full/pads", run_program,
          std::vector<std::string>{"/usr/bin/python3", script, p.ref, p.cmp})
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
      benchmark::RegisterBenchmark("Floor/full/pads", run_program,
                                   std::vector<std::string>{floor, p.ref, p.cmp})
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
