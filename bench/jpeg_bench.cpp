// JPEG encode and decode of a 4000 x 3000 photo-like picture at quality 50, each timed against the
// codec's own command-line tools on the same picture in the same run. Our side: an in-memory encode
// plus the file write (decode: file read plus the full decode into a raster); the tools' side: the
// whole process, reading and writing files in the temporary folder. The "ratio" counter is ours
// divided by the tool's (medians of the iterations); "cpu_ratio" compares processor time (user plus
// system), which stays meaningful when other work shares the machine.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "formats/TJPEGImage.h"
#include "tests/formats/JpegTestPictures.h"

namespace {

constexpr int PhotoWidth = 4000, PhotoHeight = 3000, Quality = 50;

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

TBitmap& Photo() {
    static TBitmap photo;
    if (photo.IsEmpty()) MakePhoto(photo, PhotoWidth, PhotoHeight);
    return photo;
}

// The same picture for the tools, red first as PPM wants it.
const std::string& PhotoPpm() {
    static std::string path;
    if (!path.empty()) return path;
    path = TempPath("brelvik-jpeg-bench.ppm");
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << PhotoWidth << ' ' << PhotoHeight << "\n255\n";
    std::vector<char> line(std::size_t(PhotoWidth) * 3);
    for (int y = 0; y < PhotoHeight; ++y) {
        const std::uint8_t* row = Photo().Row(y);
        for (int x = 0; x < PhotoWidth; ++x)
            line[3 * x] = char(row[3 * x + 2]), line[3 * x + 1] = char(row[3 * x + 1]),
                     line[3 * x + 2] = char(row[3 * x]);
        out.write(line.data(), std::streamsize(line.size()));
    }
    return path;
}

double CpuMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Timing {
    double wall = 0, cpu = 0;
};

// Wall and processor time of `work`; `who` picks this process or its finished children.
template <class F>
Timing Measure(int who, F&& work) {
    const double cpu = CpuMs(who);
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
            CpuMs(who) - cpu};
}

Timing RunTool(const std::string& command) {
    return Measure(RUSAGE_CHILDREN, [&] {
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "jpeg_bench: failed: %s\n", command.c_str());
    });
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Report(benchmark::State& state, const std::vector<Timing>& ours, const std::vector<Timing>& tool) {
    auto wall = [](const std::vector<Timing>& t) {
        std::vector<double> v;
        for (auto& x : t) v.push_back(x.wall);
        return Median(v);
    };
    auto cpu = [](const std::vector<Timing>& t) {
        std::vector<double> v;
        for (auto& x : t) v.push_back(x.cpu);
        return Median(v);
    };
    state.counters["ours_ms"] = wall(ours);
    state.counters["tool_ms"] = wall(tool);
    state.counters["ratio"] = wall(ours) / wall(tool);
    state.counters["ours_cpu_ms"] = cpu(ours);
    state.counters["tool_cpu_ms"] = cpu(tool);
    state.counters["cpu_ratio"] = cpu(ours) / cpu(tool);
}

void BM_EncodeVsCjpeg(benchmark::State& state) {
    const std::string ppm = PhotoPpm(), ours = TempPath("brelvik-jpeg-bench-ours.jpg"),
                      theirs = TempPath("brelvik-jpeg-bench-cjpeg.jpg");
    const std::string command = "cjpeg -dct float -baseline -quality 50 " + ppm + " > " + theirs;
    std::vector<Timing> oursMs, toolMs;
    for (auto _ : state) {
        const Timing ms = Measure(RUSAGE_SELF, [&] {
            TJPEGImage jpeg;
            jpeg.CopyFrom(&Photo());
            jpeg.Encode(JpegSettingsAtQuality(Quality));
            jpeg.WriteToFile(ours);
        });
        state.SetIterationTime(ms.wall / 1000);
        oursMs.push_back(ms);
        toolMs.push_back(RunTool(command));
    }
    Report(state, oursMs, toolMs);
    state.counters["bytes"] = double(std::filesystem::file_size(ours));
    state.counters["tool_bytes"] = double(std::filesystem::file_size(theirs));
}
BENCHMARK(BM_EncodeVsCjpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecodeVsDjpeg(benchmark::State& state) {
    const std::string file = TempPath("brelvik-jpeg-bench-decode.jpg"),
                      out = TempPath("brelvik-jpeg-bench-djpeg.ppm");
    {
        TJPEGImage jpeg;
        jpeg.CopyFrom(&Photo());
        jpeg.Encode(JpegSettingsAtQuality(Quality));
        jpeg.WriteToFile(file);
    }
    const std::string command = "djpeg -dct float " + file + " > " + out;
    std::vector<Timing> oursMs, toolMs;
    for (auto _ : state) {
        const Timing ms = Measure(RUSAGE_SELF, [&] {
            TJPEGImage jpeg;
            jpeg.ReadFromFile(file);
            benchmark::DoNotOptimize(jpeg.DecodedBitmap().Row(0));
        });
        state.SetIterationTime(ms.wall / 1000);
        oursMs.push_back(ms);
        toolMs.push_back(RunTool(command));
    }
    Report(state, oursMs, toolMs);
}
BENCHMARK(BM_DecodeVsDjpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
