// Relay contact display: coil text lines and contact blocks, all on the coil
// text layer, which each sheet's coil update empties first so that a new
// run replaces the display of the last one instead of adding to it.
#include "update/contact_display.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "extract/entity_access.h"
#include "host/module_state.h"
#include "update/messages.h"
#include "update/run_index.h"

namespace wcraft {

namespace {

constexpr double kQuarterTurn = 1.570796327;  // radians, the coil text's only other rotation
constexpr double kLineStep = 1.5;             // line spacing, in text heights

// An entry (prefix, contact place, postfix) always fits on a line of its own.
static_assert(ValueText::capacity + 2 * decltype(ProjectConfig::no_prefix)::capacity <= kCoilLineChars);

bool coil_layer_exists() {
    struct resbuf* rec = ads_tblsearch("LAYER", umsg::kCoilLayer, 0);
    if (!rec) return false;
    ads_relrb(rec);
    return true;
}

// Sets the error when the host refused one of the coil display's commands.
bool coil_command_done(int result) {
    if (result == RTNORM) return true;
    error_code() = ERR_COIL_COMMAND;
    return false;
}

// Everything on the coil text layer goes: the texts and blocks of the
// previous run. False when that could not be done.
bool empty_coil_layer() {
    struct resbuf* filter = ads_buildlist(8, umsg::kCoilLayer, 0);
    if (!filter) {
        error_code() = ERR_COIL_TEXT_LIST;
        return false;
    }
    bool emptied = true;
    ads_name ss;
    if (ads_ssget("X", nullptr, nullptr, filter, ss) == RTNORM) {
        emptied = coil_command_done(ads_command(RTSTR, "_.ERASE", RTPICKS, ss, RTSTR, "", 0));
        ads_ssfree(ss);
    }
    ads_relrb(filter);
    return emptied;
}

void set_short_var(const char* name, short value) {
    struct resbuf rb {};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    ads_setvar(name, &rb);
}

void give_back(const char* name, struct resbuf& value, bool& have) {
    if (!have) return;
    ads_setvar(name, &value);
    if (value.restype == RTSTR) free(value.resval.rstring);
    value = resbuf{};
    have = false;
}

const char* prefix_of(int16_t type) {
    const ProjectConfig& c = config();
    switch (type) {
    case XD_NO: return c.no_prefix.c_str();
    case XD_NC: return c.nc_prefix.c_str();
    case XD_TM: return c.tm_prefix.c_str();
    default: return "";
    }
}

const char* postfix_of(int16_t type) {
    const ProjectConfig& c = config();
    switch (type) {
    case XD_NO: return c.no_postfix.c_str();
    case XD_NC: return c.nc_postfix.c_str();
    case XD_TM: return c.tm_postfix.c_str();
    default: return "";
    }
}

// Entries per line from the RTP value: its leading decimal number, 2 when
// it has none or it is 0.
long entries_per_line(const char* value) {
    errno = 0;
    long n = strtol(value, nullptr, 10);
    if (errno == ERANGE) n = n < 0 ? LONG_MIN : LONG_MAX;
    return n == 0 ? 2 : n;
}

const char* block_of(int16_t type) {
    if (type == XD_NO) return umsg::kNoBlock;
    if (type == XD_NC) return umsg::kNcBlock;
    return umsg::kTmBlock;
}

}  // namespace

int prepare_coil_display(CoilDisplaySaved& saved) {
    saved.have_attdia = ads_getvar("ATTDIA", &saved.attdia) == RTNORM;
    saved.have_attreq = ads_getvar("ATTREQ", &saved.attreq) == RTNORM;
    saved.have_clayer = ads_getvar("CLAYER", &saved.clayer) == RTNORM;
    set_short_var("ATTDIA", 0);
    set_short_var("ATTREQ", 1);
    bool ready = coil_layer_exists()
                     ? empty_coil_layer()
                     : coil_command_done(ads_command(RTSTR, "_.LAYER", RTSTR, "_N", RTSTR, umsg::kCoilLayer, RTSTR,
                                                     "", 0));
    // The layer is made current even when emptying it failed: the blocks
    // inserted on it must not land on another layer.
    ready = coil_command_done(ads_command(RTSTR, "_.LAYER", RTSTR, "_S", RTSTR, umsg::kCoilLayer, RTSTR, "", 0)) &&
            ready;
    return ready ? 1 : 0;
}

void restore_coil_display(CoilDisplaySaved& saved) {
    give_back("ATTDIA", saved.attdia, saved.have_attdia);
    give_back("ATTREQ", saved.attreq, saved.have_attreq);
    give_back("CLAYER", saved.clayer, saved.have_clayer);
}

std::vector<std::string> coil_text_lines(const std::vector<XdataNode>& contacts, long per_line) {
    std::vector<std::string> lines;
    std::string line;
    long count = 0;
    for (const XdataNode& n : contacts) {
        std::string entry = std::string(prefix_of(n.type)) + n.name.c_str() + postfix_of(n.type);
        // A full line, or one the entry would take past its length, is done.
        if (count == per_line || (count != 0 && line.size() + 3 + entry.size() > kCoilLineChars)) {
            lines.push_back(line);
            line.clear();
            count = 0;
        }
        if (count != 0) line += " : ";
        line += entry;
        ++count;
    }
    if (count != 0) lines.push_back(line);
    return lines;
}

void make_coil_text(double x, double y, double height, double rotation, const char* text) {
    ads_point pt = {x, y, 0.0};
    struct resbuf* ed =
        ads_buildlist(RTDXF0, "TEXT", 1, text, 8, umsg::kCoilLayer, 10, pt, 40, height, 50, rotation, 0);
    if (!ed) {
        error_code() = ERR_COIL_TEXT_LIST;
        return;
    }
    if (ads_entmake(ed) != RTNORM) ads_printf("%s", umsg::kCoilTextFailed);
    ads_relrb(ed);
}

void draw_coil_text(const Component& coil, const ads_name block, FILE* log) {
    AttributeFound at;
    ValueText value;
    if (!attribute_lookup(umsg::kCoilPlacesTag, at, value.ref(), block)) {
        fprintf(log, umsg::kNoCoilPlaces, umsg::kCoilPlacesTag, coil.ref.c_str(), coil.grid.c_str());
        return;
    }
    double rotation = at.rotation == 0.0 ? 0.0 : kQuarterTurn;
    double x = at.x, y = at.y;
    std::vector<std::string> lines = coil_text_lines(coil.xdata, entries_per_line(value.c_str()));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            if (rotation == 0.0) y -= kLineStep * at.height;
            else x += kLineStep * at.height;
        }
        make_coil_text(x, y, at.height, rotation, lines[i].c_str());
    }
    if (config().cont_blk == 1) insert_contact_blocks(coil, log);
}

void insert_contact_blocks(const Component& coil, FILE* log) {
    const RelayMark* mark = relay_mark_for(wcr().sheet_no, coil.ref.view());
    if (!mark) return;
    double rotation = mark->rotation == 0.0 ? 0.0 : 90.0;  // degrees, as the insert command takes it
    ads_point pt = {mark->point.x, mark->point.y, 0.0};
    for (const XdataNode& n : coil.xdata) {
        if (rotation == 0.0) pt[Y] -= kLineStep * mark->height;
        else pt[X] += kLineStep * mark->height;
        std::string name = std::string(wcr().install_dir.c_str()) + block_of(n.type);
        if (ads_command(RTSTR, "_.INSERT", RTSTR, name.c_str(), RT3DPOINT, pt, RTSHORT, 1, RTSHORT, 1, RTREAL,
                        rotation, RTSTR, n.name.c_str(), 0) != RTNORM)
            fprintf(log, umsg::kContactBlockFailed, block_of(n.type), coil.ref.c_str());
    }
}

}  // namespace wcraft
