// Times wire numbering on a generated project of real size: 500 sheets of
// about a thousand segments. Prints the seconds taken; not a test.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "numbering/wire_numbering.h"
#include "numbering_support.h"  // the tests' project generator

int main(int argc, char** argv) {
    wcraft::test::ProjectShape shape;
    shape.sheets = argc > 1 ? atoi(argv[1]) : 500;
    shape.per_sheet = 2000;  // 1 to 2000 per wire type, about 1000 on average
    shape.grid = 400;
    shape.types = 1;
    wcraft::test::generate_project(7, shape);
    size_t segments = 0;
    for (const auto& list : wcraft::store().wires) segments += list.size();
    FILE* log = fopen("/dev/null", "w");
    std::clock_t c0 = std::clock();
    auto t0 = std::chrono::steady_clock::now();
    wcraft::number_wires(log);
    auto t1 = std::chrono::steady_clock::now();
    std::clock_t c1 = std::clock();
    fclose(log);
    size_t nodes = 0;
    for (const auto& list : wcraft::store().nodes) nodes += list.size();
    printf("%zu segments, %zu wire links, %zu phantoms, %zu node points: %.3f s (%.3f s of processor time)\n", segments,
           wcraft::store().links.size(), wcraft::store().phantoms.size(), nodes,
           std::chrono::duration<double>(t1 - t0).count(), double(c1 - c0) / CLOCKS_PER_SEC);
    return 0;
}
