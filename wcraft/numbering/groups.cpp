// Connected groups of segments and the wire numbers of one wire type. Each
// build takes its segments in the order repeated passes over the list would
// reach them, since that order decides where link pending is cleared and in
// which order node points are made.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "extract/store.h"
#include "host/module_state.h"
#include "numbering/messages.h"
#include "numbering/numbering_steps.h"
#include "numbering/touch.h"
#include "numbering/walk_queue.h"
#include "postproc/progress.h"

namespace wcraft {

namespace {

// Segments sharing one value (a user link, a link, a group). Once a build
// has taken a set, none of its segments is unvisited any more, so the set is
// spent and never walked again.
class SharedSets {
public:
    void add(int32_t value, int32_t seg) { m_sets[value].members.push_back(seg); }
    // The set's members the first time it is asked for, else nothing.
    const std::vector<int32_t>* take(int32_t value) {
        auto it = m_sets.find(value);
        if (it == m_sets.end() || it->second.spent) return nullptr;
        it->second.spent = true;
        return &it->second.members;
    }

private:
    struct Set {
        std::vector<int32_t> members;
        bool spent = false;
    };
    std::unordered_map<int32_t, Set> m_sets;
};

// One group build: the segments reached, in the order they were finished.
struct GroupBuild {
    std::vector<WireSegment>& list;
    SegmentIndex& index;
    NodeBook& nodes;
    int node_mode;
    WalkQueue queue;
    std::vector<int32_t> candidates;

    void reach(int32_t seg) {
        list[seg].state = SEG_QUEUED;
        index.remove(seg);
        queue.push(seg);
    }
    void visit(int32_t t, SharedSets& user_links) {
        progress_tick();
        WireSegment& ts = list[t];
        if (ts.link_pending == 1 && ts.user_link > 0)
            if (const std::vector<int32_t>* same = user_links.take(ts.user_link))
                for (int32_t u : *same)
                    if (list[u].state == SEG_UNVISITED) {
                        reach(u);
                        list[u].link_pending = 0;
                    }
        candidates.clear();
        index.connected_to(list, t, candidates);
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (int32_t u : candidates)
            if (list[u].state == SEG_UNVISITED && connected(ts, list[u], node_mode, &nodes)) reach(u);
        ts.state = SEG_REACHED;
    }
};

}  // namespace

void build_groups(int type, SegmentIndex& index, int32_t& group_counter) {
    std::vector<WireSegment>& list = store().wires[type];
    index.build_points(list);
    NodeBook nodes(type);
    SharedSets user_links;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].state != SEG_UNVISITED) index.remove(static_cast<int32_t>(i));
        if (list[i].user_link > 0) user_links.add(list[i].user_link, static_cast<int32_t>(i));
    }
    GroupBuild build{list, index, nodes, config().wire_defs[type].nodepts, WalkQueue{}, {}};
    std::vector<int32_t> reached;
    bool first = true;
    for (size_t i = 0; i < list.size(); ++i) {
        progress_tick();
        if (list[i].state != SEG_UNVISITED) continue;
        int32_t s = static_cast<int32_t>(i);
        list[s].state = SEG_QUEUED;
        index.remove(s);
        ++group_counter;
        build.queue.start(s);
        reached.clear();
        if (first) {
            // Segments that came in queued or reached belong to the first
            // build: its passes walk over the queued ones after the start,
            // and it finishes every reached one.
            for (size_t j = 0; j < list.size(); ++j) {
                if (list[j].state == SEG_QUEUED && j > i) build.queue.push(static_cast<int32_t>(j));
                if (list[j].state == SEG_REACHED) reached.push_back(static_cast<int32_t>(j));
            }
            first = false;
        }
        int32_t t;
        while (build.queue.next(t)) {
            build.visit(t, user_links);
            reached.push_back(t);
        }
        for (int32_t r : reached) {
            list[r].state = SEG_DONE;
            list[r].group = group_counter;
        }
    }
    index.clear();
}

namespace {

// The number the wire carries from its links: the first positive link in
// list order; a different positive link further on is reported and ignored.
bool wire_link_number(FILE* log, const std::vector<WireSegment>& list, const std::vector<int32_t>& wire,
                      int32_t& number) {
    bool found = false;
    for (int32_t seg : wire) {
        const WireSegment& s = list[seg];
        if (s.link <= 0) continue;
        if (!found) {
            number = s.link;
            found = true;
        } else if (s.link != number) {
            log_printf(log, nmsg::kWireConflict, s.link, s.sheet);
        }
    }
    return found;
}

// The next automatic number: `next` stepped by the increment while it is
// above 0 and a link of the wire type uses it. An increment of 0 would never
// leave a number in use, so it steps by 1 to the first free one instead.
int32_t free_number(int32_t next, int32_t incr, const std::unordered_set<int32_t>& in_use) {
    int32_t step = incr == 0 ? 1 : incr;
    while (next > 0 && in_use.count(next)) next = add_wrapping(next, step);
    return next;
}

}  // namespace

void number_type(FILE* log, int type) {
    std::vector<WireSegment>& list = store().wires[type];
    const WireDefn& def = config().wire_defs[type];
    SharedSets by_link, by_group;
    std::unordered_set<int32_t> in_use;
    for (size_t i = 0; i < list.size(); ++i) {
        by_link.add(list[i].link, static_cast<int32_t>(i));
        by_group.add(list[i].group, static_cast<int32_t>(i));
        if (list[i].link > 0) in_use.insert(list[i].link);
    }
    int32_t next_free = def.init;
    WalkQueue queue;
    std::vector<int32_t> wire;
    auto reach = [&](int32_t u, bool by_link_rule) {
        if (list[u].state != SEG_UNVISITED) return;
        list[u].state = SEG_QUEUED;
        if (by_link_rule) list[u].link_pending = 0;
        queue.push(u);
    };
    for (size_t i = 0; i < list.size(); ++i) {
        progress_tick();
        if (list[i].state != SEG_UNVISITED) continue;
        list[i].state = SEG_QUEUED;
        queue.start(static_cast<int32_t>(i));
        wire.clear();
        int32_t t;
        while (queue.next(t)) {
            progress_tick();
            if (list[t].link_pending == 1)
                if (const std::vector<int32_t>* same = by_link.take(list[t].link))
                    for (int32_t u : *same) reach(u, true);
            if (const std::vector<int32_t>* same = by_group.take(list[t].group))
                for (int32_t u : *same) reach(u, false);
            list[t].state = SEG_REACHED;
            wire.push_back(t);
        }
        std::sort(wire.begin(), wire.end());
        int32_t number = 0;
        if (!wire_link_number(log, list, wire, number)) {
            number = free_number(next_free, def.incr, in_use);
            next_free = add_wrapping(number, def.incr);
        }
        for (int32_t seg : wire) {
            list[seg].wire_number = number;
            list[seg].state = SEG_DONE;
        }
    }
}

}  // namespace wcraft
