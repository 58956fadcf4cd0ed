// mapexport's work on one map, from the archive open to the renamed .glb:
// the map read, the world built with its textures' sizes, the surfaces, the
// model with its PNG pictures, and the file. Maps go from small to large,
// so the process's peak resident memory after each (peak_MiB) is that map's
// peak in a process that has already exported the smaller ones; the file's
// size and its share of PNG bytes come with it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchFile.h"
#include "ProcessMemory.h"
#include "tools/demo/DemoArchive.h"
#include "tools/mapexport/MapExporter.h"

namespace {

const BenchFile& archiveFile()
{
    static const BenchFile file("export.grp", VellTools::demoArchive(true));
    return file;
}

// The bytes of the .glb's binary chunk that its PNG pictures take: every
// PNG signature found up to the next IEND chunk's end.
long pngBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::string signature("\x89PNG\r\n\x1a\n", 8);
    long total = 0;
    for (std::size_t at = data.find(signature); at != std::string::npos; at = data.find(signature, at + 1)) {
        const std::size_t end = data.find("IEND", at);
        if (end == std::string::npos)
            break;
        total += long(end + 8 - at);   // "IEND" and its CRC
    }
    return total;
}

void exportMap(benchmark::State& state)
{
    static const char* names[] = {"e3l1.map", "demo.map", "large.map", "huge.map"};
    const char* name = names[state.range(0)];
    const std::string output =
        (std::filesystem::temp_directory_path() / ("vell-bench-export-" + std::to_string(getpid()) + ".glb")).string();
    VellTools::ExportOptions options;
    options.archive = archiveFile().path();
    VellTools::MapExporter exporter(options);
    for (auto _ : state)
        exporter.exportMap(name, output);
    const double size = double(std::filesystem::file_size(output));
    state.counters["file_MiB"] = size / (1024.0 * 1024.0);
    state.counters["png_share"] = double(pngBytes(output)) / size;
    state.counters["peak_MiB"] = double(processMemoryKiB("VmHWM")) / 1024.0;
    state.SetLabel(name);
    std::filesystem::remove(output);
}

} // namespace

BENCHMARK(exportMap)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

BENCHMARK_MAIN();
