// Writes the drawing store as DXF text and saves it atomically. Output of
// the same data form as the store is written tag for tag; other versions
// go through the VersionConverter.
#pragma once

#include <string>

#include "core/result.h"
#include "db/document.h"
#include "dxf/tag_writer.h"

namespace cadhost::db {

class DxfEmitter {
public:
    explicit DxfEmitter(const DrawingImpl& doc) : m_doc(doc) {}
    std::string write(DxfVersion version);
    Status save(const std::string& path, DxfVersion version);

    // Pieces shared with the version converter.
    // Chooses the output encoding; a drawing whose text the declared code
    // page cannot hold gets one that can, where there is one.
    void prepare(DxfVersion version);
    void header(dxf::TagWriter& w, DxfVersion version, DataForm form, uint64_t seed_handle);
    void tags(dxf::TagWriter& w, const TagVec& t);
    bool live(uint32_t id) const;  // written: committed and not deleted

private:
    void tables(dxf::TagWriter& w);
    void blocks(dxf::TagWriter& w);
    void entity_list(dxf::TagWriter& w, int list);
    const DrawingImpl& m_doc;
    dxf::TextCodec m_target;
    bool m_transcode = false;
    std::string m_codepage;  // $DWGCODEPAGE written instead of the stored one
};

}  // namespace cadhost::db
