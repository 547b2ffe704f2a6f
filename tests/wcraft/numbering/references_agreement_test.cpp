// Component and terminal numbering and relay correlation of random projects
// give exactly what the step-by-step rules give: every REF, numbered flag
// and xdata node, the log and the command line.

#include <gtest/gtest.h>

#include "literal_references.h"
#include "numbering/component_numbering.h"
#include "numbering/relay_correlation.h"
#include "numbering_support.h"
#include "references_support.h"

namespace wcraft::test {
namespace {

enum class Way { Literal, Fast };

RecordOutcome referenced(uint32_t seed, const RelayShape& shape, Way way) {
    generate_references_project(seed, shape);
    MemoryLog log;
    int runs = seed % 11 == 0 ? 2 : 1;  // a second run adds every node again
    for (int run = 0; run < runs; ++run) {
        if (way == Way::Literal) {
            literal_number_components(log.file());
            literal_number_terminals(log.file());
            literal_correlate_relays(log.file());
        } else {
            EXPECT_EQ(number_components(log.file()), 1);
            EXPECT_EQ(number_terminals(log.file()), 1);
            EXPECT_EQ(correlate_relays(log.file()), 1);
        }
    }
    return take_records(log.text());
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = 0; (p = text.find(what, p)) != std::string::npos; p += what.size()) ++n;
    return n;
}

// How much of the interesting ground the projects covered.
struct Coverage {
    size_t missing_tag = 0, duplicate_tag = 0, duplicate_ref = 0, unexpected_cid = 0, missing_ref = 0,
           unrelated = 0, disabled = 0;
    size_t numbered_records = 0, negative_refs = 0, full_refs = 0, contacts_tied = 0, coil_nodes = 0,
           change_over = 0, timer = 0, cut_contact_refs = 0;
    void add(const RecordOutcome& o) {
        missing_tag += count(o.log, "missing TAG");
        duplicate_tag += count(o.log, "duplicate TAG");
        duplicate_ref += count(o.log, "duplicate REF");
        unexpected_cid += count(o.log, "Unexpected contact CID");
        missing_ref += count(o.log, "missing REF");
        unrelated += count(o.log, "unrelated");
        disabled += count(o.log, "auto-numbering disabled");
        for (const auto* list : {&o.components, &o.terminals})
            for (const Component& r : *list) {
                numbered_records += r.numbered;
                negative_refs += r.numbered && r.ref.view().find('-') != std::string_view::npos;
                full_refs += r.ref.view().size() == ValueText::capacity;
            }
        for (const Component& r : o.contacts) {
            contacts_tied += !r.xdata.empty();
            cut_contact_refs += r.ref.view().size() > 10 && r.ref.view().substr(9, 1) == "-";
        }
        for (const Component& r : o.coils) {
            coil_nodes += r.xdata.size();
            for (size_t i = 1; i < r.xdata.size(); ++i)
                change_over += r.xdata[i - 1].type == XD_NO && r.xdata[i].type == XD_NC &&
                               r.xdata[i - 1].name.view() == r.xdata[i].name.view();
            for (const XdataNode& n : r.xdata) timer += n.type == XD_TM;
        }
    }
};

Coverage compare_seeds(uint32_t first, int seeds, const RelayShape& shape) {
    Coverage cover;
    for (uint32_t seed = first; seed < first + static_cast<uint32_t>(seeds); ++seed) {
        RecordOutcome expected = referenced(seed, shape, Way::Literal);
        RecordOutcome actual = referenced(seed, shape, Way::Fast);
        std::string diff = first_record_difference(expected, actual);
        if (!diff.empty()) {
            ADD_FAILURE() << "seed " << seed << ": " << diff;
            break;
        }
        cover.add(actual);
    }
    return cover;
}

void expect_broad(const Coverage& c, size_t floor) {
    EXPECT_GT(c.missing_tag, floor);
    EXPECT_GT(c.duplicate_tag, floor);
    EXPECT_GT(c.duplicate_ref, floor);
    EXPECT_GT(c.unexpected_cid, floor);
    EXPECT_GT(c.missing_ref, floor);
    EXPECT_GT(c.unrelated, floor);
    EXPECT_GT(c.disabled, floor / 4);
    EXPECT_GT(c.numbered_records, floor);
    EXPECT_GT(c.negative_refs, floor);
    EXPECT_GT(c.full_refs, floor / 4);
    EXPECT_GT(c.contacts_tied, floor);
    EXPECT_GT(c.coil_nodes, floor);
    EXPECT_GT(c.change_over, floor);
    EXPECT_GT(c.timer, floor);
    EXPECT_GT(c.cut_contact_refs, floor / 4);
}

TEST(ReferencesAgreement, SmallProjectsWithFewTags) {
    RelayShape shape;
    shape.coils = 6;
    shape.contacts = 12;
    shape.components = 8;
    shape.tags = 4;
    expect_broad(compare_seeds(1, 600, shape), 40);
}

TEST(ReferencesAgreement, SmallProjectsWithEveryTag) {
    RelayShape shape;
    shape.tags = 100;
    expect_broad(compare_seeds(2001, 600, shape), 40);
}

TEST(ReferencesAgreement, MediumProjects) {
    RelayShape shape;
    shape.coils = 80;
    shape.contacts = 300;
    shape.components = 200;
    shape.tags = 100;
    expect_broad(compare_seeds(5001, 40, shape), 40);
}

TEST(ReferencesAgreement, ManyCoilsOfOneTag) {
    RelayShape shape;
    shape.coils = 40;
    shape.contacts = 60;
    shape.components = 4;
    shape.tags = 2;
    Coverage c = compare_seeds(8001, 60, shape);
    EXPECT_GT(c.duplicate_tag, 1000u);
    EXPECT_GT(c.duplicate_ref, 1000u);
    EXPECT_GT(c.coil_nodes, 1000u);
}

}  // namespace
}  // namespace wcraft::test
