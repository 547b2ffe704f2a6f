// Component and terminal numbering: each definition in table order numbers
// the records whose TAG is its name, in list order, from its initial value.
// The records of a name are found through an index by TAG instead of a walk
// of the whole list for every definition; what each record is given, and
// in which order, is the same.
#include "numbering/component_numbering.h"

#include <cstdint>
#include <new>
#include <vector>

#include "extract/store.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "numbering/messages.h"
#include "numbering/nocase_index.h"
#include "postproc/progress.h"

namespace wcraft {

namespace {

static_assert(ValueText::capacity <= kNocaseKeyChars && decltype(CompDefn::name)::capacity <= kNocaseKeyChars);

// One of the two numberings: its definitions, records and texts.
struct NumberingKind {
    const CompDefn* defs;
    int slots;
    std::vector<Component>& list;
    const char* log_line;
    const char* banner;
    const char* routine;
};

// The counter steps as a 32-bit two's complement number: a run past the
// largest value goes on from the smallest instead of being undefined.
int32_t step_counter(int32_t counter, int32_t incr) {
    return static_cast<int32_t>(static_cast<uint32_t>(counter) + static_cast<uint32_t>(incr));
}

// The affix (by the definition's mode) and the number. An affix of 5
// characters and "-2147483648" make 16 characters: the bounded copy cuts
// that to the 15 of the REF field.
void give_reference(Component& c, const CompDefn& def, int32_t number) {
    char text[32];
    const char* prefix = def.pp_mode == PP_PREFIX ? def.pp_val.c_str() : "";
    const char* postfix = def.pp_mode == PP_POSTFIX ? def.pp_val.c_str() : "";
    snprintf(text, sizeof text, "%s%d%s", prefix, static_cast<int>(number), postfix);
    bounded_copy(c.ref, text, static_cast<int>(sizeof c.ref.buf));
    c.numbered = 1;
}

void number_by_definitions(const NumberingKind& kind) {
    NocaseIndex by_tag;
    for (size_t i = 0; i < kind.list.size(); ++i) {
        progress_tick();
        by_tag.add(kind.list[i].tag.view(), static_cast<uint32_t>(i));
    }
    by_tag.finish();
    for (int d = 0; d < kind.slots && !is_list_end(kind.defs[d].name.view()); ++d) {
        progress_tick();
        const CompDefn& def = kind.defs[d];
        int32_t counter = def.init;
        for (uint32_t i : by_tag.find(def.name.view())) {
            progress_tick();
            give_reference(kind.list[i], def, counter);
            counter = step_counter(counter, def.incr);
        }
    }
}

int number_kind(FILE* log, const NumberingKind& kind) {
    log_printf(log, "%s", kind.log_line);
    ads_printf("%s", kind.banner);
    try {
        number_by_definitions(kind);
    } catch (const std::bad_alloc&) {
        // The index is made before any record changes: nothing is numbered.
        fatal_alloc(kind.routine, 1);
    }
    return 1;
}

}  // namespace

int number_components(FILE* log) {
    return number_kind(log, NumberingKind{config().comp_defs, kMaxCompDefs, store().components, nmsg::kComponentLog,
                                          nmsg::kComponentBanner, nmsg::kFnCalcComponents});
}

int number_terminals(FILE* log) {
    return number_kind(log, NumberingKind{config().term_defs, kMaxTermDefs, store().terminals, nmsg::kTerminalLog,
                                          nmsg::kTerminalBanner, nmsg::kFnCalcTerminals});
}

}  // namespace wcraft
