// Output in the other data form. R12 output from R13+ data leaves out
// subclass markers, owners, OBJECTS and CLASSES and writes LWPOLYLINE as
// POLYLINE/VERTEX/SEQEND; R13+ output from R12 data is built by replaying
// the drawing into the prototype, which supplies block records, owners,
// subclass markers and the root dictionary.
#pragma once

#include <string>

#include "db/document.h"
#include "db/emitter.h"
#include "dxf/tag_writer.h"

namespace cadhost::db {

class VersionConverter {
public:
    explicit VersionConverter(const DrawingImpl& doc) : m_doc(doc), m_emit(doc) {}
    std::string write(DxfVersion version);
    // Whether R12 output of R12 data must still convert: files that say they
    // are R12 or older may hold entities of later versions.
    static bool holds_later_entities(const DrawingImpl& doc);

private:
    // R12 output
    std::string write_classic();
    void classic_tables(dxf::TagWriter& w);
    void classic_blocks(dxf::TagWriter& w);
    void classic_entities(dxf::TagWriter& w, int list, bool paper);
    void classic_entity(dxf::TagWriter& w, uint32_t id, bool paper);
    void lwpolyline_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper);
    void classic_head(dxf::TagWriter& w, const char* type, uint64_t handle, uint32_t source, bool paper);
    void points_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper, const std::vector<Point>& pts, bool closed);
    void ellipse_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper);
    void spline_as_polyline(dxf::TagWriter& w, uint32_t id, bool paper);
    void mtext_as_text(dxf::TagWriter& w, uint32_t id, bool paper);
    void viewport_as_classic(dxf::TagWriter& w, uint32_t id, bool paper);
    void text_tag(dxf::TagWriter& w, int code, const std::string& text);
    void classic_tags(dxf::TagWriter& w, const TagVec& tags, bool entity);
    TagVec classic_dimstyle(const TagVec& tags) const;
    // R13+ output
    void upgrade(DrawingImpl& up, DxfVersion version) const;
    void renumber(DrawingImpl& up) const;
    void copy_tables(DrawingImpl& up) const;
    void replay_list(DrawingImpl& up, int list) const;
    void link_arrow_blocks(DrawingImpl& up) const;

    const DrawingImpl& m_doc;
    DxfEmitter m_emit;
    uint64_t m_next_handle = 0;
};

}  // namespace cadhost::db
