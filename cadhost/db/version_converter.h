// Output in the other data form: R12 from R13+ data (no subclass markers,
// owners, OBJECTS or CLASSES; LWPOLYLINE as POLYLINE/VERTEX/SEQEND) and R13+
// from R12 data (block records, owners, subclass markers, root dictionary).
#pragma once

#include <string>

#include "db/document.h"

namespace cadhost::db {

class VersionConverter {
public:
    explicit VersionConverter(const DrawingImpl& doc) : m_doc(doc) {}
    std::string write(DxfVersion version);

private:
    const DrawingImpl& m_doc;
};

}  // namespace cadhost::db
