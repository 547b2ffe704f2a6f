// Writes WCRINFO.SLD, the picture of the information box: a frame, a
// schematic rung with a contact and a coil, and the letters W5.
#include <cstdio>
#include <fstream>

#include "slide/slide.h"

int main(int argc, char** argv) {
    using cadhost::slide::Slide;
    Slide s;
    s.high_x = 399;
    s.high_y = 119;
    s.aspect = 400.0 / 120.0;
    struct V {
        int x1, y1, x2, y2, c;
    } const vectors[] = {
        {2, 2, 397, 2, 7},       {397, 2, 397, 117, 7},  {397, 117, 2, 117, 7},  {2, 117, 2, 2, 7},
        {20, 15, 20, 105, 3},    {200, 15, 200, 105, 3}, {20, 60, 70, 60, 3},    {70, 45, 70, 75, 3},
        {85, 45, 85, 75, 3},     {85, 60, 130, 60, 3},   {130, 50, 150, 50, 3},  {150, 50, 150, 70, 3},
        {150, 70, 130, 70, 3},   {130, 70, 130, 50, 3},  {150, 60, 200, 60, 3},  {230, 95, 245, 25, 1},
        {245, 25, 260, 70, 1},   {260, 70, 275, 25, 1},  {275, 25, 290, 95, 1},  {360, 95, 315, 95, 1},
        {315, 95, 315, 62, 1},   {315, 62, 350, 62, 1},  {350, 62, 360, 50, 1},  {360, 50, 360, 35, 1},
        {360, 35, 350, 25, 1},   {350, 25, 315, 25, 1},
    };
    for (const V& v : vectors) s.add_vector(v.x1, v.y1, v.x2, v.y2, v.c);
    auto bytes = cadhost::slide::write_slide(s);
    if (!bytes.ok()) {
        fprintf(stderr, "%s\n", bytes.error().what().c_str());
        return 1;
    }
    std::ofstream out(argc > 1 ? argv[1] : "WCRINFO.SLD", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    return out ? 0 : 1;
}
