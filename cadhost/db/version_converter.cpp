// Conversion between the R12 and R13+ data forms at write time.
#include "version_converter.h"

#include "db/emitter.h"

namespace cadhost::db {

std::string VersionConverter::write(DxfVersion) { return {}; }

}  // namespace cadhost::db
