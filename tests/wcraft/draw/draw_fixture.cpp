// Install directory and drawing readers for the drawing command tests.
#include "draw_fixture.h"

#include <filesystem>

#include "ads.h"
#include "select_dcl.h"

namespace wcraft::test {

namespace {

const resbuf* group(const resbuf* rb, int code) {
    for (; rb; rb = rb->rbnext)
        if (rb->restype == code) return rb;
    return nullptr;
}

std::string text_of(const resbuf* rb, int code) {
    const resbuf* g = group(rb, code);
    return g && g->resval.rstring ? g->resval.rstring : "";
}

}  // namespace

void DrawTest::SetUp() {
    PostprocTest::SetUp();
    namespace fs = std::filesystem;
    const fs::path support = fs::path(CH_SOURCE_DIR) / "support" / "wcraft";
    for (const char* b : {"WLINKU", "WLINKD", "WLINKR", "WLINKL", "RLMARKER", "SHEETNO"})
        fs::copy_file(support / "blocks" / (std::string(b) + ".DXF"), on_c(std::string("WCRAFT/") + b + ".DXF"));
    fs::copy_file(support / "WCRAFT.lin", on_c("WCRAFT/WCRAFT.lin"));
    const std::pair<const char*, const char*> dcls[] = {{"wcraft10.dcl", kWireSelectDcl},
                                                        {"wcraft11.dcl", kZoneSelectDcl}};
    for (const auto& [file, text] : dcls) {
        if (fs::exists(support / file)) fs::copy_file(support / file, on_c(std::string("WCRAFT/") + file));
        else write_file(std::string("WCRAFT/") + file, text);
    }
}

DrawTest::Layer DrawTest::layer(const std::string& name) {
    Layer l;
    resbuf* rec = ads_tblsearch("LAYER", name.c_str(), 0);
    if (!rec) return l;
    l.exists = true;
    if (const resbuf* c = group(rec, 62)) l.colour = c->resval.rint;
    l.linetype = text_of(rec, 6);
    ads_relrb(rec);
    return l;
}

std::string DrawTest::current_layer() {
    resbuf rb{};
    if (ads_getvar("CLAYER", &rb) != RTNORM || rb.restype != RTSTR) return "";
    std::string s = rb.resval.rstring;
    free(rb.resval.rstring);
    return s;
}

int DrawTest::short_var(const char* name) {
    resbuf rb{};
    if (ads_getvar(name, &rb) != RTNORM || rb.restype != RTSHORT) return -1;
    return rb.resval.rint;
}

std::vector<DrawTest::Insert> DrawTest::inserts() {
    std::vector<Insert> found;
    ads_name e;
    if (ads_entnext(nullptr, e) != RTNORM) return found;
    do {
        resbuf* ed = ads_entget(e);
        std::string type = text_of(ed, 0);
        if (type == "INSERT") {
            Insert i{text_of(ed, 2), text_of(ed, 8), group(ed, 10)->resval.rpoint[X],
                     group(ed, 10)->resval.rpoint[Y], {}};
            found.push_back(i);
        } else if (type == "ATTRIB" && !found.empty()) {
            found.back().attributes.emplace_back(text_of(ed, 2), text_of(ed, 1));
        }
        ads_relrb(ed);
    } while (ads_entnext(e, e) == RTNORM);
    return found;
}

std::vector<DrawTest::Outline> DrawTest::outlines() {
    std::vector<Outline> found;
    ads_name e;
    if (ads_entnext(nullptr, e) != RTNORM) return found;
    do {
        resbuf* ed = ads_entget(e);
        std::string type = text_of(ed, 0);
        if (type == "POLYLINE" || type == "LWPOLYLINE") {
            Outline o;
            o.layer = text_of(ed, 8);
            const resbuf* flags = group(ed, 70);
            o.closed = flags && (flags->resval.rint & 1);
            if (type == "LWPOLYLINE")
                for (const resbuf* rb = ed; rb; rb = rb->rbnext)
                    if (rb->restype == 10) o.points.emplace_back(rb->resval.rpoint[X], rb->resval.rpoint[Y]);
            found.push_back(o);
        } else if (type == "VERTEX" && !found.empty()) {
            const resbuf* p = group(ed, 10);
            found.back().points.emplace_back(p->resval.rpoint[X], p->resval.rpoint[Y]);
        }
        ads_relrb(ed);
    } while (ads_entnext(e, e) == RTNORM);
    return found;
}

int DrawTest::count_out(const std::string& text) const {
    int n = 0;
    for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + text.size())) ++n;
    return n;
}

}  // namespace wcraft::test
