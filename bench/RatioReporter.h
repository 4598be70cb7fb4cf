#pragma once
// The console reporter of the benchmarks, keeping the real time of each
// benchmark that ran without error, for the "ratio <case> <value>" lines.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace Plix::Bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred)
        mTimes[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // The time of the first benchmark whose name starts with the prefix; 0
  // when none ran.
  double TimeOf(const std::string& prefix) const {
    for (const auto& [name, time] : mTimes)
      if (name.rfind(prefix, 0) == 0) return time;
    return 0;
  }

  std::map<std::string, double> mTimes;
};

}  // namespace Plix::Bench
