// Look-ups over the library records.
#include "library/records.h"

#include "host/text.h"

namespace symvault {

GroupRecord* find_group(LibraryRecord& lib, const std::string& name) {
    for (GroupRecord& g : lib.groups)
        if (same_name(g.name, name)) return &g;
    return nullptr;
}

const ScaleOptionRecord* find_scale_option(const LibraryRecord& lib, const std::string& name) {
    for (const ScaleOptionRecord& o : lib.scale_options)
        if (same_name(o.name, name)) return &o;
    return nullptr;
}

GroupRecord& insert_group_sorted(LibraryRecord& lib, const std::string& name) {
    GroupRecord g;
    g.name = bounded(name, kGroupChars);
    auto at = lib.groups.begin();
    // Plain byte comparison, as the names are: "Zeta" sorts before "alpha".
    while (at != lib.groups.end() && at->name.compare(g.name) <= 0) ++at;
    return *lib.groups.insert(at, std::move(g));
}

LibraryRecord* find_library(const LibraryList& list, const std::string& name) {
    for (const auto& l : list)
        if (same_name(l->name, name)) return l.get();
    return nullptr;
}

}  // namespace symvault
