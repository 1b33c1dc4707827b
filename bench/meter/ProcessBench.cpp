// Cost per sample frame of processReplacing with an open editor (level feed into both meters and
// LEDs), against a plain copy loop of the same block. Both run in the same process; the program
// ends with their ratio.
#include "effect/OrvaneVUMeter.h"
#include "editor/OrvaneVUMeterGUI.h"
#include "host/EntryPoint.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kBlock = 512;

VstIntPtr VSTCALLBACK benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

AudioEffect* makeVuMeter(audioMasterCallback host) { return new (std::nothrow) OrvaneVUMeter(host); }

struct Block {
    Block() : left(kBlock), right(kBlock), outL(kBlock), outR(kBlock) {
        for (int i = 0; i < kBlock; ++i) {
            left[i] = static_cast<float>(0.8 * std::sin(i * 0.05));
            right[i] = static_cast<float>(0.5 * std::cos(i * 0.031));
        }
    }
    std::vector<float> left, right, outL, outR;
};

void BM_CopyLoop(benchmark::State& state) {
    Block b;
    float* in[2] = {b.left.data(), b.right.data()};
    float* out[2] = {b.outL.data(), b.outR.data()};
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        for (int n = 0; n < kBlock; ++n) {
            const float l = in[0][n];
            const float r = in[1][n];
            out[0][n] = l;
            out[1][n] = r;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_CopyLoop);

void BM_ProcessOpenEditor(benchmark::State& state) {
    AEffect* effect = host::createEffectRecord(benchHost, makeVuMeter);
    static int parent;
    effect->dispatcher(effect, effEditOpen, 0, 0, &parent, 0.0f);
    Block b;
    float* in[2] = {b.left.data(), b.right.data()};
    float* out[2] = {b.outL.data(), b.outR.data()};
    for (auto _ : state) {
        effect->processReplacing(effect, in, out, kBlock);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}
BENCHMARK(BM_ProcessOpenEditor);

// Remembers the time per iteration of every run (the median when runs are repeated), then
// prints the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration && !medians.count(name)) {
                nanoseconds[name] = run.GetAdjustedRealTime();
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                nanoseconds[name] = run.GetAdjustedRealTime();
                medians.insert(name);
            }
        }
    }
    std::map<std::string, double> nanoseconds;
    std::set<std::string> medians;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double copy = reporter.nanoseconds["BM_CopyLoop"];
    const double process = reporter.nanoseconds["BM_ProcessOpenEditor"];
    if (copy > 0.0 && process > 0.0) {
        std::printf("per sample frame: copy %.3f ns, processReplacing with open editor %.3f ns\n",
                    copy / kBlock, process / kBlock);
        std::printf("ratio processReplacing(open editor) / copy loop: %.2f\n", process / copy);
    }
    benchmark::Shutdown();
    return 0;
}
