// Files written beside the one they replace and renamed into place.
#include "host/replace_file.h"

#include "host/host_api.h"

namespace wcraft {

std::string beside_name(const std::string& path) {
    size_t dot = path.rfind('.');
    size_t sep = path.find_last_of("\\/:");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return path + ".$$$";
    return path.substr(0, dot + 1) + "$" + path.substr(dot + 1, 2);
}

FILE* open_beside(const std::string& path, const char* mode) { return rt_fopen(beside_name(path).c_str(), mode); }

bool close_beside(FILE* f) {
    // A write error may show only at the close, when the buffer is written.
    bool ok = ferror(f) == 0;
    if (fclose(f) != 0) ok = false;
    return ok;
}

void drop_beside(const std::string& path) { rt_remove(beside_name(path).c_str()); }

// The file layer never renames over a file, so the old file steps aside
// first and comes back when the new one cannot take its place: at every
// step one of them is there under `to`'s name or beside it, never neither.
bool replace_with(const std::string& from, const std::string& to) {
    std::string aside = to + "~";
    bool had = rt_access(to.c_str(), 0) == 0;
    if (had) {
        rt_remove(aside.c_str());
        if (rt_rename(to.c_str(), aside.c_str()) != 0) return false;
    }
    if (rt_rename(from.c_str(), to.c_str()) != 0) {
        if (had) rt_rename(aside.c_str(), to.c_str());
        return false;
    }
    if (had) rt_remove(aside.c_str());
    return true;
}

bool place_beside(const std::string& path) {
    if (replace_with(beside_name(path), path)) return true;
    drop_beside(path);
    return false;
}

bool put_in_place(FILE* f, const std::string& path) {
    if (close_beside(f)) return place_beside(path);
    drop_beside(path);
    return false;
}

}  // namespace wcraft
