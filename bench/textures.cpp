// Cost of one fire step and one plasma picture, CPU only.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "textures/fire.h"
#include "textures/plasma.h"

namespace {

void BM_FireStep(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    fire_param param(size, size);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size) * size * 4);
    std::srand(1);
    for (auto _ : state) {
        fire(0, size, size, pixels.data(), &param);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}
BENCHMARK(BM_FireStep)->Arg(64)->Arg(256);

void BM_Plasma(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    unsigned char param[3] = {10, 20, 30};
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size) * size * 4);
    int time = 0;
    for (auto _ : state) {
        plasma(time, size, size, pixels.data(), param);
        benchmark::DoNotOptimize(pixels.data());
        time += 16;
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}
BENCHMARK(BM_Plasma)->Arg(64)->Arg(256);

}  // namespace
