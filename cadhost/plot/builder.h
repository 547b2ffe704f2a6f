// The walk that turns a drawing's model space into a plot scene: layer,
// colour and linetype resolution, block references, and one function per
// entity kind (builder.cpp, shapes.cpp, texts.cpp).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/drawing.h"
#include "plot/scene.h"

namespace cadhost::plot {

// What an entity takes from the block reference that brings it in.
struct Inherit {
    Affine xf;                    // block frame into the drawing
    std::string layer;            // the reference's layer, for entities on layer "0"
    std::optional<Rgb> colour;    // colour BYBLOCK; none at the top: index 7
    std::string ltype;            // linetype BYBLOCK; "" at the top: continuous
    std::vector<std::string> blocks;  // block names being expanded, outermost first
};

// An entity's resolved appearance.
struct Look {
    std::string layer;
    Rgb colour;                   // screen colour, before the paper mapping
    std::string ltype;            // upper case
    std::vector<double> dashes;   // drawing units
};

class Builder {
public:
    // A polyline vertex: its point, the widths of the segment it starts and
    // the segment's bulge.
    struct Vertex {
        Vec2 p;
        double w0 = 0, w1 = 0, bulge = 0;
    };
    explicit Builder(db::Drawing& d);
    Scene run();

private:
    struct LayerInfo {
        Rgb colour{255, 255, 255};
        std::string ltype = "CONTINUOUS";
        bool shown = true;   // on, thawed and not the definition points layer
        bool frozen = false;
    };
    struct StyleInfo {
        std::string font = "sans-serif";
        double height = 0, width_factor = 1, oblique = 0;
    };

    // builder.cpp
    void walk_list(EntityRef first, const Inherit& in);
    void entity(EntityRef e, const Inherit& in);
    void insert(EntityRef e, const GroupList& g, const Inherit& in);
    void dimension(const GroupList& g, const Inherit& in);
    std::optional<Look> look(const GroupList& g, const Inherit& in, bool reference = false);
    const LayerInfo& layer(const std::string& name);
    const std::vector<double>& pattern(const std::string& ltype);
    const StyleInfo& style(const std::string& name);
    void note(const std::string& text);
    bool room();

    // shapes.cpp
    void line(const GroupList& g, const Inherit& in, const Look& lk);
    void circle(const GroupList& g, const Inherit& in, const Look& lk, bool arc);
    void ellipse(const GroupList& g, const Inherit& in, const Look& lk);
    void lwpolyline(const GroupList& g, const Inherit& in, const Look& lk);
    void polyline(EntityRef e, const GroupList& g, const Inherit& in, const Look& lk);
    void mesh(const std::vector<GroupList>& verts, const GroupList& g, const Inherit& in, const Look& lk);
    void solid(const GroupList& g, const Inherit& in, const Look& lk);
    void face(const GroupList& g, const Inherit& in, const Look& lk);
    void leader(const GroupList& g, const Inherit& in, const Look& lk);
    void point(const GroupList& g, const Inherit& in, const Look& lk);
    void vertices(const std::vector<Vertex>& vs, bool closed, const Affine& m, const Look& lk);
    void stroke(Path path, const Look& lk, double width = 0);

    // texts.cpp
    void text(const GroupList& g, const Inherit& in, const Look& lk, const std::string& type);
    void mtext(const GroupList& g, const Inherit& in, const Look& lk);

    db::Drawing& m_d;
    Scene m_scene;
    std::map<std::string, LayerInfo> m_layers;               // by upper-case name
    std::map<std::string, std::vector<double>> m_patterns;   // by upper-case name, unscaled
    std::map<std::string, StyleInfo> m_styles;
    std::map<std::string, int> m_notes;                      // note text, times met
    double m_ltscale = 1;
    size_t m_limit = 2'000'000;  // items a scene may hold
};

// Helpers shared by the builder's files.
std::optional<Vec2> group_point(const GroupList& g, int code);
// The map from an entity's own coordinate system (group 210) into the
// drawing's plane, by the arbitrary axis rule; the identity without 210.
Affine ocs_of(const GroupList& g);
std::string upper(std::string s);

}  // namespace cadhost::plot
