// The steps of component and terminal numbering and of relay correlation,
// one by one, with whole-list walks and no index.
#include "literal_references.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "extract/entity_access.h"
#include "extract/store.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "postproc/progress.h"

namespace wcraft::test {
namespace {

void literal_number(FILE* log, const CompDefn* defs, std::vector<Component>& list, const char* log_line,
                    const char* banner) {
    log_printf(log, "%s", log_line);
    ads_printf("%s", banner);
    for (int d = 0; d < 100; ++d) {
        if (strncmp(defs[d].name.c_str(), "*ND*", 4) == 0) break;
        progress_tick();
        std::string name = defs[d].name.c_str();
        int mode = defs[d].pp_mode;
        std::string val = defs[d].pp_val.c_str();
        int32_t counter = defs[d].init;
        int32_t incr = defs[d].incr;
        for (Component& r : list) {
            progress_tick();
            if (!same_text_nocase(r.tag.view(), name)) continue;
            std::string text;
            if (mode == PP_PREFIX) text += val;
            text += std::to_string(counter);
            if (mode == PP_POSTFIX) text += val;
            bounded_copy(r.ref, text, 16);
            r.numbered = 1;
            counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + static_cast<uint32_t>(incr));
        }
    }
}

void literal_auto_number(FILE* log, std::vector<Component>& coils, std::vector<Component>& contacts) {
    for (size_t i = 0; i < coils.size(); ++i) {
        progress_tick();
        Component& coil = coils[i];
        if (coil.tag.view().empty()) {
            log_printf(log, "\n:Warning, missing TAG on COIL block, grid ref: %s", coil.grid.c_str());
            continue;
        }
        bounded_copy(coil.ref, coil.tag.view(), 16);
        for (size_t j = i + 1; j < coils.size(); ++j) {
            progress_tick();
            if (same_text_nocase(coils[j].tag.view(), coil.tag.view()))
                log_printf(log, "\n:Error, duplicate TAG name (%s) on COIL blocks, gridref(%s) & (%s)", coils[j].tag.c_str(),
                           coil.grid.c_str(), coils[j].grid.c_str());
        }
        int counter = 1;
        for (Component& contact : contacts) {
            progress_tick();
            if (!same_text_nocase(contact.tag.view(), coil.tag.view())) continue;
            std::string text = std::string(coil.tag.view().substr(0, 9)) + "-" + std::to_string(counter);
            bounded_copy(contact.ref, text, 16);
            contact.numbered = 1;
            ++counter;
        }
    }
}

void literal_pair(FILE* log, Component& coil, Component& contact) {
    const ProjectConfig& c = config();
    contact.numbered = 1;
    coil.numbered = 1;
    add_xdata_node(contact.xdata, XD_COIL, coil.grid.view());
    if (same_text_nocase(contact.cid.view(), c.no_id.view())) {
        add_xdata_node(coil.xdata, XD_NO, contact.grid.view());
    } else if (same_text_nocase(contact.cid.view(), c.nc_id.view())) {
        add_xdata_node(coil.xdata, XD_NC, contact.grid.view());
    } else if (same_text_nocase(contact.cid.view(), c.tm_id.view())) {
        add_xdata_node(coil.xdata, XD_TM, contact.grid.view());
    } else if (same_text_nocase(contact.cid.view(), c.co_id.view())) {
        add_xdata_node(coil.xdata, XD_NO, contact.grid.view());
        add_xdata_node(coil.xdata, XD_NC, contact.grid.view());
    } else {
        log_printf(log, "\n:Unexpected contact CID(%s), ignored!", contact.cid.c_str());
    }
}

void literal_correlate(FILE* log, std::vector<Component>& coils, std::vector<Component>& contacts) {
    for (size_t i = 0; i < coils.size(); ++i) {
        progress_tick();
        Component& coil = coils[i];
        if (coil.ref.view().empty()) continue;
        for (size_t j = i + 1; j < coils.size(); ++j) {
            progress_tick();
            if (same_text_nocase(coils[j].ref.view(), coil.ref.view()))
                log_printf(log, "\n:Error, duplicate REF name (%s) on COIL blocks, gridref(%s) & (%s)", coil.ref.c_str(),
                           coil.grid.c_str(), coils[j].grid.c_str());
        }
        for (Component& contact : contacts) {
            progress_tick();
            if (contact.ref.view().empty()) continue;
            char cut[16];
            strcpy(cut, contact.ref.c_str());
            if (char* dash = strchr(cut, '-')) *dash = '\0';
            if (same_text_nocase(cut, coil.ref.view())) literal_pair(log, coil, contact);
        }
    }
}

void literal_check(FILE* log, std::vector<Component>& list, const char* what) {
    for (Component& r : list) {
        progress_tick();
        if (r.ref.view().empty())
            log_printf(log, "\n:Error, missing REF on %s block, grid ref: %s", what, r.grid.c_str());
        else if (r.xdata.empty())
            log_printf(log, "\n:Error, unrelated %s REF (%s), grid ref: %s", what, r.ref.c_str(), r.grid.c_str());
    }
}

}  // namespace

void literal_number_components(FILE* log) {
    literal_number(log, config().comp_defs, store().components, "\nCalculating component numbers...",
                   "\n:Calculating component numbers...:  ");
}

void literal_number_terminals(FILE* log) {
    literal_number(log, config().term_defs, store().terminals, "\nCalculating terminal numbers...",
                   "\n:Calculating terminal numbers...:  ");
}

void literal_correlate_relays(FILE* log) {
    log_printf(log, "%s", "\nCalculating relay correlation...");
    ads_printf("%s", "\n:Calculating relay correlation...:  ");
    Store& s = store();
    if (config().cont_num == 1) {
        log_printf(log, "%s", "\nAuto-numbering contacts...");
        literal_auto_number(log, s.coils, s.contacts);
    } else {
        log_printf(log, "%s", "\nContact auto-numbering disabled...");
    }
    log_printf(log, "%s", "\nCorrelating coil and contact references...");
    literal_correlate(log, s.coils, s.contacts);
    literal_check(log, s.coils, "COIL");
    literal_check(log, s.contacts, "CONTACT");
}

}  // namespace wcraft::test
