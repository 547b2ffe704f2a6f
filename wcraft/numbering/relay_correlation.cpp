// Relay correlation: contacts auto-numbered after their coil's TAG, coils
// and contacts tied by reference with xdata nodes, and the checks that
// report what stayed unmatched. The steps compare every coil with every
// later coil and with every contact; here indexes by TAG and by reference
// find the matching records, which are then visited in the steps' order, so
// every log line, REF and xdata node comes out as the steps give them.
#include "numbering/relay_correlation.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

#include "extract/entity_access.h"
#include "extract/store.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "numbering/messages.h"
#include "numbering/nocase_index.h"
#include "postproc/progress.h"

namespace wcraft {

namespace {

static_assert(ValueText::capacity <= kNocaseKeyChars);

inline constexpr char kContactSeparator = '-';
inline constexpr size_t kContactTagChars = 9;  // of the coil's TAG in a contact's reference

// The part of a contact's reference that names its coil: up to the first
// separator.
std::string_view coil_part(std::string_view ref) { return ref.substr(0, ref.find(kContactSeparator)); }

// Indexes every record of the list by the text `text_of` gives it.
template <typename TextOf>
void index_by(NocaseIndex& index, const std::vector<Component>& list, TextOf text_of) {
    for (uint32_t i = 0; i < list.size(); ++i) {
        progress_tick();
        index.add(text_of(list[i]), i);
    }
    index.finish();
}

void give_contact_number(Component& contact, std::string_view coil_tag, int32_t number) {
    char text[32];
    snprintf(text, sizeof text, "%.*s%c%d", static_cast<int>(std::min(coil_tag.size(), kContactTagChars)),
             coil_tag.data(), kContactSeparator, static_cast<int>(number));
    bounded_copy(contact.ref, text, static_cast<int>(sizeof contact.ref.buf));
    contact.numbered = 1;
}

// Every coil's REF becomes its TAG; each coil's contacts (by TAG) are
// numbered 1, 2, ... Coils of one TAG number the same contacts again, so
// only the last of them decides: it alone writes them.
void auto_number(FILE* log, std::vector<Component>& coils, std::vector<Component>& contacts) {
    NocaseIndex coil_tags, contact_tags;
    index_by(coil_tags, coils, [](const Component& r) { return r.tag.view(); });
    index_by(contact_tags, contacts, [](const Component& r) { return r.tag.view(); });
    for (uint32_t i = 0; i < coils.size(); ++i) {
        progress_tick();
        Component& coil = coils[i];
        if (coil.tag.empty()) {
            log_printf(log, nmsg::kMissingCoilTag, coil.grid.c_str());
            continue;
        }
        bounded_copy(coil.ref, coil.tag.view(), static_cast<int>(sizeof coil.ref.buf));
        NocaseIndex::Indexes later = coil_tags.after(coil.tag.view(), i);
        for (uint32_t j : later) {
            progress_tick();
            log_printf(log, nmsg::kDuplicateCoilTag, coils[j].tag.c_str(), coil.grid.c_str(), coils[j].grid.c_str());
        }
        if (!later.empty()) continue;
        int32_t counter = 1;
        for (uint32_t k : contact_tags.find(coil.tag.view())) {
            progress_tick();
            give_contact_number(contacts[k], coil.tag.view(), counter++);
        }
    }
}

// The nodes a correlated pair gets: the coil's place on the contact, the
// contact's place (by its kind) on the coil.
void tie(FILE* log, Component& coil, Component& contact) {
    const ProjectConfig& c = config();
    coil.numbered = 1;
    contact.numbered = 1;
    add_xdata_node(contact.xdata, XD_COIL, coil.grid.view());
    std::string_view cid = contact.cid.view();
    if (same_text_nocase(cid, c.no_id.view())) {
        add_xdata_node(coil.xdata, XD_NO, contact.grid.view());
    } else if (same_text_nocase(cid, c.nc_id.view())) {
        add_xdata_node(coil.xdata, XD_NC, contact.grid.view());
    } else if (same_text_nocase(cid, c.tm_id.view())) {
        add_xdata_node(coil.xdata, XD_TM, contact.grid.view());
    } else if (same_text_nocase(cid, c.co_id.view())) {
        add_xdata_node(coil.xdata, XD_NO, contact.grid.view());
        add_xdata_node(coil.xdata, XD_NC, contact.grid.view());
    } else {
        log_printf(log, nmsg::kUnexpectedCid, contact.cid.c_str());
    }
}

// Each coil with a REF, in list order: its duplicates among later coils,
// then every contact whose reference up to the separator is that REF, in
// list order. An index key holds no separator, so a coil REF with one
// finds nothing, as the steps' comparison would.
void correlate(FILE* log, std::vector<Component>& coils, std::vector<Component>& contacts) {
    NocaseIndex coil_refs, contact_refs;
    index_by(coil_refs, coils, [](const Component& r) { return r.ref.view(); });
    index_by(contact_refs, contacts, [](const Component& r) { return coil_part(r.ref.view()); });
    for (uint32_t i = 0; i < coils.size(); ++i) {
        progress_tick();
        Component& coil = coils[i];
        if (coil.ref.empty()) continue;
        for (uint32_t j : coil_refs.after(coil.ref.view(), i)) {
            progress_tick();
            log_printf(log, nmsg::kDuplicateCoilRef, coil.ref.c_str(), coil.grid.c_str(), coils[j].grid.c_str());
        }
        for (uint32_t k : contact_refs.find(coil.ref.view())) {
            progress_tick();
            tie(log, coil, contacts[k]);
        }
    }
}

void check(FILE* log, const std::vector<Component>& list, const char* missing, const char* unrelated) {
    for (const Component& r : list) {
        progress_tick();
        if (r.ref.empty()) log_printf(log, missing, r.grid.c_str());
        else if (r.xdata.empty()) log_printf(log, unrelated, r.ref.c_str(), r.grid.c_str());
    }
}

void run_steps(FILE* log) {
    Store& s = store();
    if (config().cont_num == 1) {
        log_printf(log, "%s", nmsg::kAutoNumbering);
        auto_number(log, s.coils, s.contacts);
    } else {
        log_printf(log, "%s", nmsg::kAutoNumberingOff);
    }
    log_printf(log, "%s", nmsg::kCorrelating);
    correlate(log, s.coils, s.contacts);
    check(log, s.coils, nmsg::kMissingCoilRef, nmsg::kUnrelatedCoil);
    check(log, s.contacts, nmsg::kMissingContactRef, nmsg::kUnrelatedContact);
}

}  // namespace

int correlate_relays(FILE* log) {
    log_printf(log, "%s", nmsg::kRelayLog);
    ads_printf("%s", nmsg::kRelayBanner);
    try {
        run_steps(log);
    } catch (const std::bad_alloc&) {
        // A working index could not be made: correlation stops where it is.
        fatal_alloc(nmsg::kFnRelayCorrelation, 1);
    }
    return 1;
}

}  // namespace wcraft
