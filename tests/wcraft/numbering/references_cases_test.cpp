// Component and terminal numbering and relay correlation on small hand-made
// projects: the examples and edge cases of their rules, the log lines, and
// references that would not fit their field.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "host/module_state.h"
#include "numbering/component_numbering.h"
#include "numbering/relay_correlation.h"
#include "numbering_support.h"
#include "references_support.h"

namespace wcraft::test {
namespace {

class References : public ::testing::Test {
protected:
    void SetUp() override {
        reset_module_state();
        store().reset();
        command_line().clear();
        config().comp_defs[0].name = kListEnd;
        config().term_defs[0].name = kListEnd;
    }
    static void definition(CompDefn* defs, int slot, const char* name, int mode, const char* affix, int init,
                           int incr) {
        defs[slot].name = name;
        defs[slot].pp_mode = mode;
        defs[slot].pp_val = affix;
        defs[slot].init = init;
        defs[slot].incr = incr;
    }
    static Component& record(std::vector<Component>& list, const char* tag, const char* ref = "",
                             const char* grid = "1,A", const char* cid = "") {
        Component r;
        r.tag = tag;
        r.ref = ref;
        r.grid = grid;
        r.cid = cid;
        list.push_back(r);
        return list.back();
    }
    static Component& coil(const char* tag, const char* ref, const char* grid) {
        return record(store().coils, tag, ref, grid, "COIL");
    }
    static Component& contact(const char* tag, const char* ref, const char* grid, const char* cid = "NOC") {
        return record(store().contacts, tag, ref, grid, cid);
    }
    void components() { run([](FILE* f) { number_components(f); }); }
    void terminals() { run([](FILE* f) { number_terminals(f); }); }
    void relays() { run([](FILE* f) { correlate_relays(f); }); }
    template <typename Op>
    void run(Op op) {
        MemoryLog log;
        op(log.file());
        log_text = log.text();
    }
    static std::vector<std::string> refs(const std::vector<Component>& list) {
        std::vector<std::string> out;
        for (const Component& r : list) out.emplace_back(r.ref.view());
        return out;
    }
    static std::vector<int> numbered(const std::vector<Component>& list) {
        std::vector<int> out;
        for (const Component& r : list) out.push_back(r.numbered);
        return out;
    }
    static std::string nodes(const Component& r) {
        std::string out;
        for (const XdataNode& n : r.xdata) out += std::to_string(n.type) + ":" + std::string(n.name.view()) + " ";
        return out;
    }
    std::string log_text;
};

using Refs = std::vector<std::string>;

// ---- component and terminal numbering

TEST_F(References, ComponentsAreNumberedInListOrderWithThePrefix) {
    definition(config().comp_defs, 0, "RELAY", PP_PREFIX, "K", 1, 1);
    config().comp_defs[1].name = kListEnd;
    for (const char* tag : {"RELAY", "relay", "RELAY1", "Relay"}) record(store().components, tag, "OLD");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"K1", "K2", "OLD", "K3"}));
    EXPECT_EQ(numbered(store().components), (std::vector<int>{1, 1, 0, 1}));
    EXPECT_EQ(log_text, "\nCalculating component numbers...");
    EXPECT_EQ(without_progress(command_line()), "\n:Calculating component numbers...:  ");
}

TEST_F(References, TerminalsUseTheTerminalDefinitions) {
    definition(config().comp_defs, 0, "TB", PP_PREFIX, "C", 1, 1);
    config().comp_defs[1].name = kListEnd;
    definition(config().term_defs, 0, "TB", PP_POSTFIX, "T", 5, 5);
    config().term_defs[1].name = kListEnd;
    record(store().terminals, "TB");
    record(store().terminals, "tb");
    record(store().components, "TB");
    terminals();
    EXPECT_EQ(refs(store().terminals), (Refs{"5T", "10T"}));
    EXPECT_EQ(refs(store().components), (Refs{""}));
    EXPECT_EQ(log_text, "\nCalculating terminal numbers...");
    EXPECT_EQ(without_progress(command_line()), "\n:Calculating terminal numbers...:  ");
}

TEST_F(References, ZeroIncrementRepeatsAndNegativeIncrementCountsBelowZero) {
    definition(config().comp_defs, 0, "LAMP", PP_PREFIX, "L", 4, 0);
    definition(config().comp_defs, 1, "RELAY", PP_PREFIX, "K", 1, -2);
    config().comp_defs[2].name = kListEnd;
    for (const char* tag : {"LAMP", "RELAY", "LAMP", "RELAY", "RELAY"}) record(store().components, tag);
    components();
    EXPECT_EQ(refs(store().components), (Refs{"L4", "K1", "L4", "K-1", "K-3"}));
}

TEST_F(References, ListEndFirstNumbersNothingAndLaterEntriesAreNotLookedAt) {
    config().comp_defs[0].name = "*ND*";
    definition(config().comp_defs, 1, "RELAY", PP_PREFIX, "K", 1, 1);
    record(store().components, "RELAY", "OLD");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"OLD"}));
    EXPECT_EQ(numbered(store().components), (std::vector<int>{0}));
    EXPECT_EQ(log_text, "\nCalculating component numbers...");
}

TEST_F(References, TheMarkerIsTheFirstFourCharactersExactly) {
    definition(config().comp_defs, 0, "*nd*", PP_PREFIX, "A", 1, 1);
    definition(config().comp_defs, 1, "RELAY", PP_PREFIX, "K", 1, 1);
    config().comp_defs[2].name = "*ND*OLD";
    definition(config().comp_defs, 3, "LAMP", PP_PREFIX, "L", 1, 1);
    record(store().components, "*ND*");
    record(store().components, "RELAY");
    record(store().components, "LAMP");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"A1", "K1", ""}));  // "*nd*" is a name, equal to "*ND*" ignoring case
}

TEST_F(References, NamesEqualIgnoringCaseNumberAgainAndTheSecondRemains) {
    definition(config().comp_defs, 0, "Relay", PP_PREFIX, "A", 1, 1);
    definition(config().comp_defs, 1, "RELAY", PP_POSTFIX, "B", 10, 1);
    config().comp_defs[2].name = kListEnd;
    record(store().components, "relay");
    record(store().components, "RELAY");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"10B", "11B"}));
}

TEST_F(References, ADefinitionWithAnEmptyNameNumbersTheRecordsWithoutTag) {
    definition(config().comp_defs, 0, "", PP_PREFIX, "E", 1, 1);
    config().comp_defs[1].name = kListEnd;
    record(store().components, "", "OLD");
    record(store().components, "LAMP", "OLD");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"E1", "OLD"}));  // an empty TAG equals an empty name
}

TEST_F(References, NoAffixModeIgnoresTheAffixText) {
    definition(config().comp_defs, 0, "LAMP", PP_NONE, "@", 7, 1);
    definition(config().comp_defs, 1, "PB", 3, "@", 1, 1);  // an unknown mode adds no affix either
    config().comp_defs[2].name = kListEnd;
    record(store().components, "LAMP");
    record(store().components, "PB");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"7", "1"}));
}

TEST_F(References, EveryHundredSlotsAreUsedWhenNoneIsTheMarker) {
    for (int d = 0; d < kMaxCompDefs; ++d) definition(config().comp_defs, d, "X", PP_PREFIX, "A", d, 1);
    config().comp_defs[99].name = "LAST";
    record(store().components, "LAST");
    record(store().components, "X");
    components();
    EXPECT_EQ(refs(store().components), (Refs{"A99", "A98"}));
}

TEST_F(References, AReferenceTooLongForTheFieldIsCut) {
    definition(config().comp_defs, 0, "BIG", PP_PREFIX, "ABCDE", INT_MIN, 1);
    definition(config().comp_defs, 1, "TOP", PP_POSTFIX, "VWXYZ", INT_MAX, 1);
    config().comp_defs[2].name = kListEnd;
    record(store().components, "BIG");
    record(store().components, "TOP");
    record(store().components, "TOP");
    components();
    // "ABCDE-2147483648" has 16 characters; the counter past INT_MAX wraps.
    EXPECT_EQ(refs(store().components), (Refs{"ABCDE-214748364", "2147483647VWXYZ", "-2147483648VWXY"}));
}

TEST_F(References, AnEmptyListGivesOnlyTheLogLine) {
    definition(config().comp_defs, 0, "RELAY", PP_PREFIX, "K", 1, 1);
    config().comp_defs[1].name = kListEnd;
    EXPECT_EQ(number_components(nullptr), 1);  // no log open: nothing written, still success
    components();
    EXPECT_EQ(log_text, "\nCalculating component numbers...");
}

// ---- relay correlation

TEST_F(References, AutoNumberedContactsCorrelateWithTheirCoil) {
    coil("K1", "", "1,A");
    contact("K1", "", "1,B", "NOC");
    contact("k1", "", "2,C", "NCC");
    contact("K1", "", "3,D", "TMC");
    relays();
    EXPECT_EQ(refs(store().coils), (Refs{"K1"}));
    EXPECT_EQ(refs(store().contacts), (Refs{"K1-1", "K1-2", "K1-3"}));
    EXPECT_EQ(numbered(store().contacts), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(store().coils[0].numbered, 1);
    EXPECT_EQ(nodes(store().coils[0]), "1:1,B 2:2,C 3:3,D ");
    for (const Component& c : store().contacts) EXPECT_EQ(nodes(c), "4:1,A ");
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts...\nCorrelating coil and contact references...");
    EXPECT_EQ(without_progress(command_line()), "\n:Calculating relay correlation...:  ");
}

TEST_F(References, WithoutAutoNumberingAContactRefCutAtTheDashCorrelates) {
    config().cont_num = 0;
    coil("K1", "K1", "1,A");
    contact("K1", "K1-7", "1,B");
    contact("", "k1", "1,C");
    contact("", "K1-", "1,D");
    contact("", "K10-1", "1,E");
    relays();
    EXPECT_EQ(refs(store().contacts), (Refs{"K1-7", "k1", "K1-", "K10-1"}));
    EXPECT_EQ(nodes(store().coils[0]), "1:1,B 1:1,C 1:1,D ");
    EXPECT_EQ(numbered(store().contacts), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nContact auto-numbering disabled...\n"
              "Correlating coil and contact references...\n:Error, unrelated CONTACT REF (K10-1), grid ref: 1,E");
}

TEST_F(References, ACoilRefWithADashNeverCorrelates) {
    config().cont_num = 0;
    coil("", "K1-2", "1,A");
    contact("", "K1-2", "1,B");
    relays();
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nContact auto-numbering disabled...\n"
              "Correlating coil and contact references...\n"
              ":Error, unrelated COIL REF (K1-2), grid ref: 1,A\n:Error, unrelated CONTACT REF (K1-2), grid ref: 1,B");
    EXPECT_EQ(store().coils[0].numbered, 0);
}

TEST_F(References, ALongCoilTagIsCutToNineInItsContacts) {
    coil("LONGCOILTAG12", "", "1,A");
    contact("longcoiltag12", "", "1,B");
    contact("LONGCOILTAG12", "", "1,C");
    relays();
    EXPECT_EQ(refs(store().coils), (Refs{"LONGCOILTAG12"}));
    EXPECT_EQ(refs(store().contacts), (Refs{"LONGCOILT-1", "LONGCOILT-2"}));
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts...\nCorrelating coil and contact references..."
              "\n:Error, unrelated COIL REF (LONGCOILTAG12), grid ref: 1,A"
              "\n:Error, unrelated CONTACT REF (LONGCOILT-1), grid ref: 1,B"
              "\n:Error, unrelated CONTACT REF (LONGCOILT-2), grid ref: 1,C");
}

TEST_F(References, AContactNumberTooLongForTheFieldIsCut) {
    coil("ABCDEFGHI", "", "1,A");
    for (int i = 0; i < 100000; ++i) contact("ABCDEFGHI", "", "1,B");
    relays();
    EXPECT_EQ(store().contacts[9998].ref.view(), "ABCDEFGHI-9999");
    EXPECT_EQ(store().contacts[99998].ref.view(), "ABCDEFGHI-99999");
    EXPECT_EQ(store().contacts[99999].ref.view(), "ABCDEFGHI-10000");  // "ABCDEFGHI-100000" cut to 15
    EXPECT_EQ(store().coils[0].xdata.size(), 100000u);
}

TEST_F(References, AChangeOverContactGivesItsCoilTwoNodes) {
    coil("K2", "", "1,A");
    contact("K2", "", "3,C", "coc");
    relays();
    EXPECT_EQ(nodes(store().coils[0]), "1:3,C 2:3,C ");
    EXPECT_EQ(nodes(store().contacts[0]), "4:1,A ");
}

TEST_F(References, RelayIdentificationsAreTriedInTheirOrder) {
    config().nc_id = "noc";  // no_id is tried before nc_id
    config().tm_id = "COC";  // tm_id before co_id
    coil("K1", "", "1,A");
    contact("K1", "", "1,B", "NOC");
    contact("K1", "", "1,C", "coc");
    relays();
    EXPECT_EQ(nodes(store().coils[0]), "1:1,B 3:1,C ");
}

TEST_F(References, AnUnexpectedCidIsReportedAndTheContactKeepsItsCoilNode) {
    coil("K1", "", "1,A");
    contact("K1", "", "1,B", "COIL");
    relays();
    EXPECT_EQ(nodes(store().contacts[0]), "4:1,A ");
    EXPECT_TRUE(store().coils[0].xdata.empty());
    EXPECT_EQ(store().coils[0].numbered, 1);
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts...\nCorrelating coil and contact references..."
              "\n:Unexpected contact CID(COIL), ignored!\n:Error, unrelated COIL REF (K1), grid ref: 1,A");
}

TEST_F(References, ACoilWithoutTagIsSkippedButCorrelatesByItsRef) {
    coil("", "K5", "1,A");
    contact("", "K5-1", "1,B");
    relays();
    EXPECT_EQ(nodes(store().coils[0]), "1:1,B ");
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts..."
              "\n:Warning, missing TAG on COIL block, grid ref: 1,A\nCorrelating coil and contact references...");
}

TEST_F(References, DuplicateCoilsAreReportedAndBothCollectTheContacts) {
    coil("K1", "", "1,A");
    coil("k1", "", "2,A");
    coil("K1", "", "3,A");
    contact("K1", "", "1,B");
    relays();
    EXPECT_EQ(refs(store().coils), (Refs{"K1", "k1", "K1"}));
    EXPECT_EQ(refs(store().contacts), (Refs{"K1-1"}));
    EXPECT_EQ(nodes(store().contacts[0]), "4:1,A 4:2,A 4:3,A ");
    for (const Component& c : store().coils) EXPECT_EQ(nodes(c), "1:1,B ");
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts..."
              "\n:Error, duplicate TAG name (k1) on COIL blocks, gridref(1,A) & (2,A)"
              "\n:Error, duplicate TAG name (K1) on COIL blocks, gridref(1,A) & (3,A)"
              "\n:Error, duplicate TAG name (K1) on COIL blocks, gridref(2,A) & (3,A)"
              "\nCorrelating coil and contact references..."
              "\n:Error, duplicate REF name (K1) on COIL blocks, gridref(1,A) & (2,A)"
              "\n:Error, duplicate REF name (K1) on COIL blocks, gridref(1,A) & (3,A)"
              "\n:Error, duplicate REF name (k1) on COIL blocks, gridref(2,A) & (3,A)");
}

TEST_F(References, AnEmptyCoilListReportsEveryContact) {
    contact("K1", "K1-1", "1,B");
    contact("", "", "1,C");
    relays();
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nAuto-numbering contacts...\nCorrelating coil and contact references..."
              "\n:Error, unrelated CONTACT REF (K1-1), grid ref: 1,B"
              "\n:Error, missing REF on CONTACT block, grid ref: 1,C");
}

TEST_F(References, MissingReferencesOnBothSidesAreReported) {
    config().cont_num = 0;
    coil("K1", "", "1,A");
    contact("K1", "", "1,B");
    relays();
    EXPECT_EQ(log_text,
              "\nCalculating relay correlation...\nContact auto-numbering disabled...\n"
              "Correlating coil and contact references..."
              "\n:Error, missing REF on COIL block, grid ref: 1,A"
              "\n:Error, missing REF on CONTACT block, grid ref: 1,B");
}

TEST_F(References, ASecondRunAddsEveryNodeAgain) {
    coil("K1", "", "1,A");
    contact("K1", "", "1,B");
    relays();
    relays();
    EXPECT_EQ(nodes(store().coils[0]), "1:1,B 1:1,B ");
    EXPECT_EQ(nodes(store().contacts[0]), "4:1,A 4:1,A ");
}

// ---- scale

size_t progress_steps() {
    size_t shown = 0;
    for (char ch : command_line()) shown += ch == '\b';
    return shown * 90 / 8;  // eight characters for every ninety steps
}

TEST_F(References, CorrelationWorkGrowsWithTheRecordsNotTheirProduct) {
    const int coils = 20000, contacts = 60000;
    for (int i = 0; i < coils; ++i) coil(("K" + std::to_string(i)).c_str(), "", "1,A");
    for (int i = 0; i < contacts; ++i) contact(("k" + std::to_string(i / 3)).c_str(), "", "1,B", "NOC");
    relays();
    EXPECT_EQ(store().contacts[59999].ref.view(), "K19999-3");
    EXPECT_EQ(store().coils[19999].xdata.size(), 3u);
    EXPECT_LT(progress_steps(), size_t(20) * (coils + contacts));  // the steps' walk would take over 10^9
}

TEST_F(References, NumberingWorkGrowsWithTheRecordsNotDefinitionsTimesRecords) {
    for (int d = 0; d < kMaxCompDefs; ++d) definition(config().comp_defs, d, ("T" + std::to_string(d)).c_str(), 1, "X", 1, 1);
    const int records = 100000;
    for (int i = 0; i < records; ++i) record(store().components, ("t" + std::to_string(i % 150)).c_str());
    components();
    EXPECT_EQ(store().components[149].ref.view(), "");  // t149 names no definition
    EXPECT_EQ(store().components[150].ref.view(), "X2");
    EXPECT_EQ(store().components[99999].ref.view(), "X667");  // the 667th t99
    EXPECT_LT(progress_steps(), size_t(5) * records);
}

}  // namespace
}  // namespace wcraft::test
