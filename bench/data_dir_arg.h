// The one argument of their own that the data-file benchmarks take after
// Google Benchmark has taken its: --data_dir=DIR, the folder of the
// generated items-N.cgi files.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

// Reads the arguments left by benchmark::Initialize into `dataDir`; false
// (with a message) on any other argument.
inline bool ReadDataDirArg(int argc, char** argv, std::string& dataDir)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data_dir=", 11) != 0) {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return false;
        }
        dataDir = argv[i] + 11;
    }
    return true;
}

// The whole main of a data-file benchmark: Google Benchmark's arguments,
// then --data_dir, then every benchmark asked for. 2 on an unknown argument.
inline int RunDataFileBenchmarks(int argc, char** argv, std::string& dataDir)
{
    benchmark::Initialize(&argc, argv);
    if (!ReadDataDirArg(argc, argv, dataDir))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
