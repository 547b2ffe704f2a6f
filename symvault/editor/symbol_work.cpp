// The drawing work of the symbol definition: writing the symbol's block,
// making its slide and opening its script or AutoLISP file.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/edit_rules.h"
#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"
#include "library/paths.h"
#include "library/records.h"

namespace symvault {

namespace {

enum Work { WORK_BLOCK = 10, WORK_GROUP, WORK_DRAWING, WORK_SLIDE, WORK_SCRIPT, WORK_PARA };

// Runs the work inside an undo group that is undone afterwards, so that
// the drawing is left as it was.
template <typename F>
void undone(F work) {
    set_short_var("CMDECHO", 0);
    ads_command(RTSTR, "_.UNDO", RTSTR, "_BE", RTNONE);
    work();
    set_short_var("CMDECHO", 0);
    ads_command(RTSTR, "_.UNDO", RTSTR, "_E", RTNONE);
    ads_command(RTSTR, "_U", RTNONE);
}

void wblock_objects(const std::string& path, const ads_point base, const ads_name ss) {
    if (file_exists(path))
        ads_command(RTSTR, "_.WBLOCK", RTSTR, path.c_str(), RTSTR, "_Y", RTSTR, "", RT3DPOINT, base, RTPICKS, ss,
                    RTSTR, "", RTNONE);
    else
        ads_command(RTSTR, "_.WBLOCK", RTSTR, path.c_str(), RTSTR, "", RT3DPOINT, base, RTPICKS, ss, RTSTR, "",
                    RTNONE);
}

// Objects and a base point, written as the scratch drawing; false when
// the user cancelled or chose nothing.
bool objects_to_scratch(const char* prompt, const std::string& path, bool all_when_none) {
    ads_printf("\n%s", prompt);
    ads_name ss;
    int got = ads_ssget(nullptr, nullptr, nullptr, nullptr, ss);
    if (got == RTCAN) return false;
    if (got != RTNORM) {
        if (!all_when_none) return false;
        struct resbuf hl = {};
        bool had = ads_getvar("HIGHLIGHT", &hl) == RTNORM;
        set_short_var("HIGHLIGHT", 0);
        got = ads_ssget("X", nullptr, nullptr, nullptr, ss);
        if (had) ads_setvar("HIGHLIGHT", &hl);
        if (got != RTNORM) return false;
    }
    ads_point base;
    if (ads_getpoint(nullptr, "Insertion base point: ", base) != RTNORM) return ads_ssfree(ss), false;
    wblock_objects(path, base, ss);
    ads_ssfree(ss);
    return true;
}

void select_block(SymbolRecord& w, const std::string& path) {
    ads_name e;
    ads_point at;
    int got = ads_entsel("Select block <Create new>:", e, at);
    if (got == RTCAN) return;
    if (got != RTNORM) return void(objects_to_scratch("Select objects for new block :", path, false));
    struct resbuf* list = ads_entget(e);
    std::string type, name;
    for (struct resbuf* rb = list; rb; rb = rb->rbnext) {
        if (rb->restype == 0 && rb->resval.rstring) type = rb->resval.rstring;
        if (rb->restype == 2 && rb->resval.rstring) name = rb->resval.rstring;
    }
    ads_relrb(list);
    if (type != "INSERT") return alert_dialog("Invalid selection", "Entity must be a block!");
    if (name.empty()) return void(error_code() = 5020);
    if (file_exists(path))
        ads_command(RTSTR, "_.WBLOCK", RTSTR, path.c_str(), RTSTR, "_Y", RTSTR, name.c_str(), RTNONE);
    else
        ads_command(RTSTR, "_.WBLOCK", RTSTR, path.c_str(), RTSTR, name.c_str(), RTNONE);
    if (w.name.empty()) w.name = bounded(upper(name), kSymNameChars);
}

// Zooms to what the slide shows; false when the user gave up.
bool frame_slide() {
    double& mag = sv().slide_magnification;
    ads_point p1, p2;
    ads_initget(0, "C");
    int got = ads_getpoint(nullptr, "Create slide, pick first window point, <Center>:", p1);
    if (got == RTNORM) {
        if (ads_getcorner(p1, "\nSecond window point : ", p2) != RTNORM) return false;
        ads_command(RTSTR, "_.ZOOM", RTSTR, "_W", RT3DPOINT, p1, RT3DPOINT, p2, RTNONE);
        return true;
    }
    if (got == RTCAN) return false;
    char prompt[96];
    snprintf(prompt, sizeof prompt, "\nPick center point of image <Magnification=%.2f> >", mag);
    ads_initget(0, "M");
    got = ads_getpoint(nullptr, prompt, p1);
    if (got == RTKWORD || got == RTNONE) {
        ads_real m = 0;
        ads_initget(6, nullptr);
        if (ads_getreal("\nMagnification : ", &m) == RTNORM) mag = m;
        got = ads_getpoint(nullptr, "\nPick center point of image >", p1);
    }
    if (got != RTNORM) return got != RTCAN;
    ads_command(RTSTR, "_.ZOOM", RTSTR, "_C", RT3DPOINT, p1, RTREAL, mag, RTNONE);
    return true;
}

void make_slide(const std::string& path) {
    if (!frame_slide()) return;
    for (;;) {
        char answer[134] = {};
        ads_initget(0, "Abort Shade Hide Create");
        int got = ads_getkword("\n'Pan or 'Zoom to align slide, Abort, Shade, Hide, <Create>:", answer);
        if (got == RTCAN) return;
        std::string a = got == RTNONE ? "Create" : answer;
        if (a == "Shade") ads_command(RTSTR, "_.SHADE", RTNONE);
        else if (a == "Hide") ads_command(RTSTR, "_.HIDE", RTNONE);
        else if (a == "Abort") return;
        else if (a == "Create") break;
    }
    struct resbuf rb = {};
    rb.restype = RTREAL;
    rb.resval.rreal = sv().slide_magnification;
    ads_setvar("VIEWSIZE", &rb);  // a read-only variable in most hosts: the zoom above set the view
    ads_command(RTSTR, "_.MSLIDE", RTSTR, path.c_str(), RTNONE);
}

void shell_edit(const LibraryRecord& lib, const std::string& path) {
    std::string line = lib.parametric_editor + " " + path;
    ads_command(RTSTR, "_.SHELL", RTSTR, line.c_str(), RTNONE);
}

void make_from_template(const LibraryRecord& lib, const SymbolRecord& w, const std::string& path) {
    std::string tpl = support_path(lib.lisp_master_function ? "LISP1.TEM" : "LISP2.TEM");
    auto lines = read_raw_lines(tpl);
    if (!lines) return alert_dialog("Can't open template file", tpl);
    std::vector<std::string> out;
    for (const std::string& l : *lines) out.push_back(fill_template_line(bounded(l, 129), lib.name, w.name));
    write_whole_file(path, joined_lines(out));
}

void edit_parametric(const LibraryRecord& lib, SymbolRecord& w, const std::string& dir) {
    std::string path = dir + (lib.lisp_master_file ? lib.name : w.name) + ".LSP";
    if (find_host_file(path).empty()) make_from_template(lib, w, path);
    if (!settings().direct_start) return shell_edit(lib, path);
    const char* argv[] = {lib.parametric_editor.c_str(), path.c_str(), nullptr};
    if (rt_spawnv(RT_P_NOWAIT, lib.parametric_editor.c_str(), argv) != -1) return;
    const char* why = errno == ENOENT ? "File or path not found..." : errno == ENOMEM ? "Insufficient memory..."
                                                                                      : "Invalid executable file...";
    alert_dialog("Parametric editor could not be executed!", why);
}

}  // namespace

void do_symbol_work(int work, const LibraryRecord& lib, SymbolRecord& w, const std::string& dir) {
    std::string drawing = dir + "$$TEMP$$." + kDrawingExt, slide = dir + "$$TEMP$$.SLD";
    std::string name = w.name;
    bool named = check_name(name, settings().max_name_length) == NAME_OK;
    switch (work) {
    case WORK_BLOCK: undone([&] { select_block(w, drawing); }); break;
    case WORK_GROUP:
        if (!named) return alert_dialog("Invalid group symbol name!", w.name);
        undone([&] { objects_to_scratch("Select objects for group symbol :", drawing, false); });
        break;
    case WORK_DRAWING:
        if (!named) return alert_dialog("Invalid drawing symbol name!", w.name);
        undone([&] { objects_to_scratch("Select objects for drawing symbol <All>:", drawing, true); });
        break;
    case WORK_SLIDE: make_slide(slide); break;
    case WORK_SCRIPT:
        if (!named) return alert_dialog("Invalid script symbol name!", w.name);
        shell_edit(lib, dir + w.name + ".SCR");
        break;
    case WORK_PARA:
        if (!named) return alert_dialog("Invalid parametric name!", w.name);
        edit_parametric(lib, w, dir);
        break;
    default: break;
    }
}

}  // namespace symvault
