// Builds the drawing store from DXF text: sections, tables, blocks and
// entities first, then handles and complex entities.
#pragma once

#include <string>
#include <string_view>

#include "db/document.h"
#include "dxf/tag_reader.h"

namespace cadhost::db {

class DxfLoader {
public:
    DxfLoader(DrawingImpl& doc, std::string_view text, const std::string& name) : m_doc(doc), m_reader(text, name) {
        doc.m_objects.reserve(text.size() / 256);  // typical object size; avoids regrowing on big files
    }
    Status load();

private:
    Result<bool> next(dxf::RawTag& t);  // false at the end of input
    Status read_section();
    Status read_header();
    Status read_raw(Section& s);
    Status read_tables();
    Status read_blocks();
    Status read_entities(int list);
    Status read_objects();
    // Reads the tags of one object whose 0 group is first; stops before the next 0 group.
    Result<uint32_t> read_object(const dxf::RawTag& first, ObjKind kind);
    Tag tag_of(const dxf::RawTag& t) const;
    Error error(long line, const char* message) const { return m_reader.error_at(line, message); }
    Error end_error() const { return m_reader.error_at(m_reader.line(), "unexpected end of file inside a section"); }
    void finish();
    void add_missing_layers();
    void add_missing_block_records();

    DrawingImpl& m_doc;
    dxf::TagReader m_reader;
};

}  // namespace cadhost::db
