#pragma once

#include <benchmark/benchmark.h>

namespace zavevad::bench {

/// The class sizes every table and export benchmark runs over: a real class,
/// a school year and a stress case. Their cost must grow linearly.
inline void classSizes(benchmark::internal::Benchmark *b)
{
    b->Arg(30)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

} // namespace zavevad::bench
