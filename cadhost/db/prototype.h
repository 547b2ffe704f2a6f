// The host's own prototype drawing: layer 0, standard linetypes, text style
// STANDARD, model and paper space, layouts and the root dictionary.
#pragma once

#include "db/document.h"

namespace cadhost::db {

class Prototype {
public:
    static void build(DrawingImpl& doc, DxfVersion version);
};

}  // namespace cadhost::db
