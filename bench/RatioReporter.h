#pragma once
// The console reporter of the benchmarks, keeping for each benchmark that
// ran without error its best real time per iteration over its repetitions
// (the least disturbed by other work on the machine), for the
// "ratio <case> <value>" lines.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace Plix::Bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0 || r.error_occurred) continue;
      const double t = r.GetAdjustedRealTime();
      auto [it, added] = mTimes.emplace(r.run_name.function_name, t);
      if (!added && t < it->second) it->second = t;
    }
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
