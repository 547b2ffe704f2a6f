// The in-process host session of the post-processor tests with the install
// directory the drawing commands need: the block drawings, the linetype
// file and the two selection dialogs.
#pragma once

#include <string>
#include <vector>

#include "postproc/postproc_fixture.h"

namespace wcraft::test {

class DrawTest : public PostprocTest {
protected:
    void SetUp() override;

    // The open drawing's layer record: colour and linetype.
    struct Layer {
        bool exists = false;
        int colour = 0;
        std::string linetype;
    };
    Layer layer(const std::string& name);
    std::string current_layer();
    int short_var(const char* name);
    // The INSERTs of the open drawing with their attributes (tag = value).
    struct Insert {
        std::string block, layer;
        double x = 0, y = 0;
        std::vector<std::pair<std::string, std::string>> attributes;
    };
    std::vector<Insert> inserts();
    // The vertices of the polylines of the open drawing, each with its
    // layer and closed flag.
    struct Outline {
        std::string layer;
        bool closed = false;
        std::vector<std::pair<double, double>> points;
    };
    std::vector<Outline> outlines();
    // Counts of `text` in the command line output.
    int count_out(const std::string& text) const;
};

}  // namespace wcraft::test
