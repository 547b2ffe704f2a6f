// Times Drawing::read_file and Drawing::save on one file and prints the
// throughput in MB/s (1 MB = 10^6 bytes), best of several runs.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "db/drawing.h"

using cadhost::db::Drawing;
using Clock = std::chrono::steady_clock;

namespace {

double seconds_since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

long long file_size(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 ? st.st_size : -1;
}

long count_entities(const Drawing& d) {
    long n = 0;
    for (auto e = d.first_entity(); e; e = d.next_entity(e)) ++n;
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dxf_bench FILE.dxf OUT.dxf [runs]\n");
        return 2;
    }
    std::string in = argv[1], out = argv[2];
    int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    double in_mb = static_cast<double>(file_size(in)) / 1e6;
    double best_read = 1e30, best_save = 1e30, out_mb = 0;
    long entities = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        auto d = Drawing::read_file(in);
        double tr = seconds_since(t0);
        if (!d) {
            std::fprintf(stderr, "dxf_bench: %s\n", d.error().what().c_str());
            return 1;
        }
        best_read = std::min(best_read, tr);
        if (i == 0) entities = count_entities(**d);
        auto version = (*d)->version();
        t0 = Clock::now();
        auto st = (*d)->save(out, version);
        double ts = seconds_since(t0);
        if (!st) {
            std::fprintf(stderr, "dxf_bench: %s\n", st.error().what().c_str());
            return 1;
        }
        best_save = std::min(best_save, ts);
        out_mb = static_cast<double>(file_size(out)) / 1e6;
    }
    std::printf("cadhost read  %8.1f MB  %7.2f s  %7.1f MB/s  (%ld entities)\n", in_mb, best_read, in_mb / best_read,
                entities);
    std::printf("cadhost save  %8.1f MB  %7.2f s  %7.1f MB/s\n", out_mb, best_save, out_mb / best_save);
    return 0;
}
