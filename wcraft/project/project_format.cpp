// Reading and writing the project file's line layout, versions 1.0 to 2.0.
#include "project/project_format.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/error_codes.h"

namespace wcraft {

namespace {

void walk_identity_and_globals(ProjectConfig& c, double ver, FieldVisitor& v) {
    v.text(c.p_name.ref());
    v.text(c.p_dir.ref());
    v.text(c.p_title.ref());
    if (ver >= 1.3) {
        v.yes_no(c.en);
        v.real(c.v_x);
        v.real(c.h_x);
        v.real(c.v_y);
        v.real(c.h_y);
    } else {
        c.en = 0;
        c.v_x = c.h_x = c.v_y = c.h_y = 2.5;
    }
    if (ver >= 1.4) {
        v.real(c.height);
        for (int* f : {&c.ls, &c.us, &c.gs, &c.wbs, &c.wbg, &c.ftg}) v.yes_no(*f);
    } else {
        c.height = 2.5;
        c.ls = c.us = c.gs = c.wbs = c.wbg = c.ftg = 1;
    }
}

void walk_wire(WireDefn& w, double ver, FieldVisitor& v) {
    v.text(w.w_name.ref());
    v.text(w.l_name.ref());
    if (ver >= 1.4) v.integer(w.colnum);
    else w.colnum = 7;
    v.text(w.colour.ref());
    v.text(w.size.ref());
    v.text(w.signal.ref());
    v.integer(w.init);
    v.integer(w.incr);
    v.pp_mode(w.pp_mode);
    v.text(w.pp_val.ref());
    v.real(w.t_height);
    v.real(w.x_off);
    v.real(w.y_off);
    v.enabled(w.nodepts);
    v.yes_no(w.is_default);
}

void walk_zones(ProjectConfig& c, double ver, FieldVisitor& v) {
    if (ver > 1.5) {
        for (ZoneDefn& z : c.zone_defs) {
            v.text(z.z_name.ref());
            v.text(z.l_name.ref());
            v.integer(z.colnum);
            v.integer(z.level);
            v.text(z.parent.ref());
        }
        for (int i = 0; i < kZoneLevels - 1; ++i) v.text(c.zone_levels[i].ref());
        return;
    }
    // Older layouts hold 50 flat zones and no level names.
    for (int i = 0; i < 50; ++i) {
        ZoneDefn& z = c.zone_defs[i];
        v.text(z.z_name.ref());
        v.text(z.l_name.ref());
        if (ver >= 1.4) v.integer(z.colnum);
        else z.colnum = 7;
        z.level = 0;
        z.parent = "*";
    }
    const char* levels[] = {"*SUITE", "*CUBICLE", "*SUB-RACK", "*ZONE"};
    for (int i = 0; i < kZoneLevels; ++i) c.zone_levels[i] = i < 4 ? levels[i] : "*UNDEFINED";
}

void walk_comps(CompDefn* defs, int slots, bool has_cont_wire, FieldVisitor& v) {
    for (int i = 0; i < slots; ++i) {
        CompDefn& d = defs[i];
        v.text(d.name.ref());
        v.pp_mode(d.pp_mode);
        v.text(d.pp_val.ref());
        if (has_cont_wire) v.yes_no(d.cont_wire);
        else d.cont_wire = 0;
        v.integer(d.init);
        v.integer(d.incr);
    }
}

void walk_tail(ProjectConfig& c, FieldVisitor& v) {
    for (auto* t : {&c.coil_id, &c.no_id, &c.nc_id, &c.co_id, &c.tm_id}) v.text(t->ref());
    for (auto* t : {&c.no_prefix, &c.nc_prefix, &c.tm_prefix, &c.no_postfix, &c.nc_postfix, &c.tm_postfix})
        v.text(t->ref());
    for (int* f : {&c.wire_num, &c.sheet_rot, &c.wire_lis, &c.wire_sch, &c.wire_lnk, &c.part_lis, &c.analysis,
                   &c.term_num, &c.relay_cr, &c.cont_num, &c.cont_blk, &c.comp_num, &c.sheet_no,
                   &c.application_int, &c.audit})
        v.enabled(*f);
    FixedText<8>* files[] = {&c.int1f, &c.int2f, &c.int3f, &c.int4f, &c.int5f};
    FixedText<14>* funcs[] = {&c.int1x, &c.int2x, &c.int3x, &c.int4x, &c.int5x};
    for (int i = 0; i < 5; ++i) {
        v.text(files[i]->ref());
        v.text(funcs[i]->ref());
    }
}

// Reads each field from the next line; a missing line sets 1052 and
// leaves the field as it was.
class LineReader : public FieldVisitor {
public:
    LineReader(FILE* f, int& error) : m_f(f), m_error(error) {}
    bool next(std::string& line) {
        if (read_text_line(m_f, line)) return true;
        m_error = ERR_CFG_EOF;
        return false;
    }
    void text(TextRef t) override {
        if (next(m_line)) t.set(m_line);
    }
    void integer(int& v) override {
        if (!next(m_line)) return;
        long n = strtol(m_line.c_str(), nullptr, 10);
        v = n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
    }
    void real(double& v) override {
        if (next(m_line)) v = atof(m_line.c_str());
    }
    void pp_mode(int& v) override {
        if (next(m_line)) v = m_line == "PREFIX" ? PP_PREFIX : m_line == "POSTFIX" ? PP_POSTFIX : PP_NONE;
    }
    void yes_no(int& v) override {
        if (next(m_line)) v = m_line == "YES" ? 1 : 0;
    }
    void enabled(int& v) override {
        if (next(m_line)) v = m_line == "ENABLED" ? 1 : 0;
    }
    void file_mode(int& v) override {
        if (next(m_line)) v = m_line == "FILENAME" ? FM_FILENAME : m_line == "DIRECTORY" ? FM_DIRECTORY : FM_MASK;
    }

private:
    FILE* m_f;
    int& m_error;
    std::string m_line;
};

// Writes each field as one line and remembers whether every write worked.
class LineWriter : public FieldVisitor {
public:
    explicit LineWriter(FILE* f) : m_f(f) {}
    void line(const char* s) {
        if (fputs(s, m_f) < 0 || fputc('\n', m_f) == EOF) m_ok = false;
    }
    void text(TextRef t) override { line(t.buf); }
    void integer(int& v) override { line(std::to_string(v).c_str()); }
    void real(double& v) override {
        char buf[400];
        snprintf(buf, sizeof buf, "%f", v);
        line(buf);
    }
    void pp_mode(int& v) override { line(v == PP_PREFIX ? "PREFIX" : v == PP_POSTFIX ? "POSTFIX" : "NONE"); }
    void yes_no(int& v) override { line(v == 1 ? "YES" : "NO"); }
    void enabled(int& v) override { line(v == 1 ? "ENABLED" : "DISABLED"); }
    void file_mode(int& v) override { line(v == FM_FILENAME ? "FILENAME" : v == FM_DIRECTORY ? "DIRECTORY" : "MASK"); }
    bool ok() const { return m_ok; }

private:
    FILE* m_f;
    bool m_ok = true;
};

}  // namespace

void walk_layout(ProjectConfig& c, double ver, FieldVisitor& v) {
    walk_identity_and_globals(c, ver, v);
    for (WireDefn& w : c.wire_defs) walk_wire(w, ver, v);
    walk_zones(c, ver, v);
    v.file_mode(c.f_mode);
    v.text(c.f_mask.ref());
    for (auto& f : c.f_names) v.text(f.ref());
    for (auto* t : {&c.grid_ref, &c.title_block, &c.sheetno, &c.sheetmax, &c.ref, &c.bom, &c.bomatt, &c.tag,
                    &c.cid, &c.user, &c.id, &c.cv})
        v.text(t->ref());
    walk_comps(c.comp_defs, kMaxCompDefs, ver >= 1.2, v);
    walk_comps(c.term_defs, kMaxTermDefs, ver >= 1.1, v);
    walk_tail(c, v);
}

bool read_text_line(FILE* f, std::string& out) {
    out.clear();
    int ch;
    bool any = false;
    while ((ch = fgetc(f)) != EOF) {
        any = true;
        if (ch == '\n') break;
        if (out.size() < kMaxLineChars + 1) out.push_back(static_cast<char>(ch));
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    if (out.size() > kMaxLineChars) out.resize(kMaxLineChars);
    return any;
}

int read_project(FILE* f, ProjectConfig& c, const ReadLog& log) {
    int error = 0;
    LineReader in(f, error);
    std::string line;
    if (in.next(line) && line != kProjectHeader && line != kOlderProjectHeader) error = ERR_CFG_HEADER;
    if (error) return error;
    double ver = 0.0;
    if (in.next(line)) {
        if (line.compare(0, 3, "Ver") != 0) error = ERR_CFG_VERSION_MISSING;
        else if ((ver = atof(line.c_str() + 3)) < kLowestVersion || ver > kHighestVersion) error = ERR_CFG_VERSION;
        else log(" - project file version " + line);
    }
    if (error || ver == 0.0) return error;
    walk_layout(c, ver, in);
    std::string footer;
    in.next(footer);
    if (footer != kProjectFooter) error = ERR_CFG_FOOTER;
    if (!error) log(" - OK!");
    return error;
}

bool write_project(FILE* f, const ProjectConfig& c) {
    LineWriter out(f);
    out.line(kProjectHeader);
    out.line(kProjectVersion);
    // The writer visits without changing anything; the walk is shared with
    // the reader, which does change the fields.
    walk_layout(const_cast<ProjectConfig&>(c), kWrittenVersion, out);
    out.line(kProjectFooter);
    if (fflush(f) != 0 || ferror(f)) return false;
    return out.ok();
}

}  // namespace wcraft
