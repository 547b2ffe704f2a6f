// Compiling filter lists into a tree of tests and matching entities.
#include "select/filter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>

#include "core/groupcode.h"
#include "select/messages.h"
#include "select/wildcard.h"

namespace cadhost::select {

enum class Op { Equal, NotEqual, Less, LessEq, Greater, GreaterEq, Any, Wild };
enum class NodeKind { Test, And, Or, Not, Xor, XData };

struct Filter::Node {
    NodeKind kind = NodeKind::And;
    Group test;                 // Test: the group to compare
    std::vector<Op> ops;        // Test: one operator, or one per axis for points
    std::vector<std::string> apps;  // XData: application names
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

std::optional<Op> parse_op(const std::string& s) {
    if (s == "=") return Op::Equal;
    if (s == "!=" || s == "/=" || s == "<>") return Op::NotEqual;
    if (s == "<") return Op::Less;
    if (s == "<=") return Op::LessEq;
    if (s == ">") return Op::Greater;
    if (s == ">=") return Op::GreaterEq;
    if (s == "*") return Op::Any;
    return std::nullopt;
}

std::optional<std::vector<Op>> parse_ops(const std::string& s) {
    std::vector<Op> out;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == ',') {
            auto op = parse_op(s.substr(start, i - start));
            if (!op) return std::nullopt;
            out.push_back(*op);
            start = i + 1;
        }
    if (out.empty() || out.size() > 3) return std::nullopt;
    return out;
}

std::optional<double> number(const GroupValue& v) {
    if (auto p = std::get_if<double>(&v)) return *p;
    if (auto p = std::get_if<int16_t>(&v)) return *p;
    if (auto p = std::get_if<int32_t>(&v)) return *p;
    if (auto p = std::get_if<int64_t>(&v)) return static_cast<double>(*p);
    return std::nullopt;
}

bool compare(double a, double b, Op op) {
    switch (op) {
    case Op::Equal: case Op::Wild: return a == b;
    case Op::NotEqual: return a != b;
    case Op::Less: return a < b;
    case Op::LessEq: return a <= b;
    case Op::Greater: return a > b;
    case Op::GreaterEq: return a >= b;
    case Op::Any: return true;
    }
    return false;
}

bool test_value(const GroupValue& ent, const GroupValue& want, const std::vector<Op>& ops) {
    Op op = ops[0];
    if (auto ws = std::get_if<std::string>(&want)) {
        auto es = std::get_if<std::string>(&ent);
        if (!es) return false;
        switch (op) {
        case Op::Wild: case Op::Equal: return wcmatch(*es, *ws, CaseMode::Insensitive);
        case Op::NotEqual: return !wcmatch(*es, *ws, CaseMode::Insensitive);
        case Op::Any: return true;
        default: {
            int c = es->compare(*ws);
            return compare(c, 0, op);
        }
        }
    }
    if (auto wp = std::get_if<Point>(&want)) {
        auto ep = std::get_if<Point>(&ent);
        if (!ep) return false;
        double e[3] = {ep->x, ep->y, ep->z}, w[3] = {wp->x, wp->y, wp->z};
        int axes = (ep->dims == 2 || wp->dims == 2) ? 2 : 3;
        for (int i = 0; i < axes; ++i)
            if (!compare(e[i], w[i], ops.size() == 1 ? op : i < static_cast<int>(ops.size()) ? ops[i] : Op::Any))
                return false;
        return true;
    }
    if (auto we = std::get_if<EntityRef>(&want)) {
        auto ee = std::get_if<EntityRef>(&ent);
        return ee && (op == Op::NotEqual ? *ee != *we : *ee == *we);
    }
    auto a = number(ent), b = number(want);
    if (!a || !b) return false;
    return compare(*a, *b, op);
}

// The value an entity has by default for a group it does not carry.
std::optional<GroupValue> default_of(int code) {
    switch (code) {
    case 62: return GroupValue(int16_t(256));
    case 6: return GroupValue(std::string("BYLAYER"));
    case 67: return GroupValue(int16_t(0));
    default: return std::nullopt;
    }
}

bool eval(const Filter::Node& n, const GroupList& ent) {
    switch (n.kind) {
    case NodeKind::Test: {
        bool any = false;
        bool in_xdata = false;
        for (const Group& g : ent) {
            if (g.code == -3) in_xdata = true;
            if (in_xdata && n.test.code < 1000) break;
            if (g.code == n.test.code) {
                any = true;
                if (test_value(g.value, n.test.value, n.ops)) return true;
            }
        }
        if (any) return false;
        auto d = default_of(n.test.code);
        return d && test_value(*d, n.test.value, n.ops);
    }
    case NodeKind::And:
        for (auto& c : n.children)
            if (!eval(*c, ent)) return false;
        return true;
    case NodeKind::Or:
        for (auto& c : n.children)
            if (eval(*c, ent)) return true;
        return false;
    case NodeKind::Not: return !eval(*n.children[0], ent);
    case NodeKind::Xor: return eval(*n.children[0], ent) != eval(*n.children[1], ent);
    case NodeKind::XData:
        for (const auto& app : n.apps) {
            bool found = false;
            bool in_xdata = false;
            for (const Group& g : ent) {
                if (g.code == -3) in_xdata = true;
                if (in_xdata && g.code == 1001)
                    if (auto s = std::get_if<std::string>(&g.value))
                        if (wcmatch(*s, app, CaseMode::Insensitive)) found = true;
            }
            if (!found) return false;
        }
        return true;
    }
    return false;
}

struct Parser {
    const GroupList& list;
    size_t pos = 0;

    // Parses items until the closing "NAME>" of an open grouping (or the end).
    Result<std::unique_ptr<Filter::Node>> group(NodeKind kind, const std::string& close) {
        auto node = std::make_unique<Filter::Node>();
        node->kind = kind;
        while (pos < list.size()) {
            const Group& g = list[pos];
            if (g.code == -4) {
                auto* s = std::get_if<std::string>(&g.value);
                if (!s) return Error{msg::kOperatorNotText};
                std::string op = *s;
                for (auto& c : op) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                if (!close.empty() && op == close) {
                    ++pos;
                    return check_arity(std::move(node));
                }
                if (op.size() > 1 && op[0] == '<' && std::isalpha(static_cast<unsigned char>(op[1]))) {
                    auto kindof = op == "<AND" ? NodeKind::And : op == "<OR" ? NodeKind::Or : op == "<NOT" ? NodeKind::Not
                                : op == "<XOR" ? NodeKind::Xor : NodeKind::Test;
                    if (kindof == NodeKind::Test) return Error{msg::kUnknownGrouping + op};
                    ++pos;
                    auto child = group(kindof, op.substr(1) + ">");
                    if (!child) return child.error();
                    node->children.push_back(child.release());
                    continue;
                }
                if (op.size() > 1 && op.back() == '>' && std::isalpha(static_cast<unsigned char>(op[0])))
                    return Error{msg::kUnbalanced + op};
                auto ops = parse_ops(*s);
                if (!ops) return Error{msg::kBadOperator + op};
                if (pos + 1 >= list.size() || list[pos + 1].code == -4 || list[pos + 1].code == -3)
                    return Error{msg::kNoOperand + op};
                if (ops->size() > 1 && !std::holds_alternative<Point>(list[pos + 1].value))
                    return Error{msg::kAxesOnNonPoint};
                ++pos;
                node->children.push_back(test(list[pos++], *ops));
                continue;
            }
            if (g.code == -3) {
                auto x = std::make_unique<Filter::Node>();
                x->kind = NodeKind::XData;
                ++pos;
                while (pos < list.size() && list[pos].code == 1001) {
                    if (auto s = std::get_if<std::string>(&list[pos].value)) x->apps.push_back(*s);
                    ++pos;
                }
                node->children.push_back(std::move(x));
                continue;
            }
            ++pos;
            node->children.push_back(test(g, {Op::Wild}));
        }
        if (!close.empty()) return Error{msg::kNotClosed + close};
        return node;
    }

    static std::unique_ptr<Filter::Node> test(const Group& g, std::vector<Op> ops) {
        auto t = std::make_unique<Filter::Node>();
        t->kind = NodeKind::Test;
        t->test = g;
        t->ops = std::move(ops);
        return t;
    }

    static Result<std::unique_ptr<Filter::Node>> check_arity(std::unique_ptr<Filter::Node> n) {
        if (n->kind == NodeKind::Not && n->children.size() != 1) return Error{msg::kNotArity};
        if (n->kind == NodeKind::Xor && n->children.size() != 2) return Error{msg::kXorArity};
        if ((n->kind == NodeKind::And || n->kind == NodeKind::Or) && n->children.empty())
            return Error{msg::kEmptyGrouping};
        return n;
    }
};

bool mentions(const Filter::Node& n, int code) {
    if (n.kind == NodeKind::Test && n.test.code == code) return true;
    for (auto& c : n.children)
        if (mentions(*c, code)) return true;
    return false;
}

bool collect_codes(const Filter::Node& n, std::vector<int>& codes) {
    if (n.kind == NodeKind::XData) return false;
    if (n.kind == NodeKind::Test && std::find(codes.begin(), codes.end(), n.test.code) == codes.end())
        codes.push_back(n.test.code);
    for (auto& c : n.children)
        if (!collect_codes(*c, codes)) return false;
    return true;
}

}  // namespace

Filter::Filter() = default;
Filter::~Filter() = default;
Filter::Filter(Filter&&) noexcept = default;
Filter& Filter::operator=(Filter&&) noexcept = default;

Result<Filter> Filter::compile(const GroupList& filter) {
    Parser p{filter};
    auto root = p.group(NodeKind::And, "");
    if (!root) return root.error();
    Filter f;
    f.m_root = root.release();
    return f;
}

namespace {

// A string test on a text, as test_value decides it; Open for the
// relational operators, which this does not repeat.
Verdict test_text(const Filter::Node& n, std::string_view text) {
    auto ws = std::get_if<std::string>(&n.test.value);
    if (!ws) return Verdict::Open;
    switch (n.ops[0]) {
    case Op::Wild: case Op::Equal: return wcmatch(text, *ws, CaseMode::Insensitive) ? Verdict::Yes : Verdict::No;
    case Op::NotEqual: return wcmatch(text, *ws, CaseMode::Insensitive) ? Verdict::No : Verdict::Yes;
    case Op::Any: return Verdict::Yes;
    default: return Verdict::Open;
    }
}

// A test on the entity type or the layer decided from those texts alone;
// every other test leaves the answer open.
Verdict pre_eval(const Filter::Node& n, std::string_view type, std::optional<std::string_view> layer) {
    switch (n.kind) {
    case NodeKind::Test:
        if (n.test.code == 0) return test_text(n, type);
        if (n.test.code == 8 && layer) return test_text(n, *layer);
        return Verdict::Open;
    case NodeKind::And: {
        Verdict v = Verdict::Yes;
        for (auto& c : n.children) {
            Verdict cv = pre_eval(*c, type, layer);
            if (cv == Verdict::No) return Verdict::No;
            if (cv == Verdict::Open) v = Verdict::Open;
        }
        return v;
    }
    case NodeKind::Or: {
        Verdict v = Verdict::No;
        for (auto& c : n.children) {
            Verdict cv = pre_eval(*c, type, layer);
            if (cv == Verdict::Yes) return Verdict::Yes;
            if (cv == Verdict::Open) v = Verdict::Open;
        }
        return v;
    }
    case NodeKind::Not: {
        Verdict v = pre_eval(*n.children[0], type, layer);
        return v == Verdict::Open ? v : v == Verdict::Yes ? Verdict::No : Verdict::Yes;
    }
    default: return Verdict::Open;
    }
}

}  // namespace

Verdict Filter::pre_match(std::string_view type, std::optional<std::string_view> layer) const {
    return m_root ? pre_eval(*m_root, type, layer) : Verdict::Yes;
}

bool Filter::matches(const GroupList& entity) const { return !m_root || eval(*m_root, entity); }

bool Filter::tests_code(int code) const { return m_root && mentions(*m_root, code); }

bool Filter::tested_codes(std::vector<int>& codes) const {
    codes.clear();
    return m_root && collect_codes(*m_root, codes);
}

}  // namespace cadhost::select
