// What a registered function hands back to AutoLISP, built without the
// host so that its shape can be checked on its own.
#pragma once

#include <string>
#include <vector>

namespace symvault {

// One dotted pair (code . value) of an association list.
struct Pair {
    enum Kind { TEXT, SHORT, REAL };
    short code = 0;
    Kind kind = TEXT;
    std::string text;
    short number = 0;
    double real = 0.0;

    Pair(short c, std::string v) : code(c), kind(TEXT), text(std::move(v)) {}
    Pair(short c, short v) : code(c), kind(SHORT), number(v) {}
    Pair(short c, double v) : code(c), kind(REAL), real(v) {}
};

struct Reply {
    enum Kind { NIL, VOID, INT, STR, PAIRS, LISTS } kind = NIL;
    int number = 0;
    std::string text;
    std::vector<Pair> pairs;
    std::vector<std::vector<Pair>> lists;  // a list of association lists

    static Reply nil() { return Reply{}; }
    static Reply none() { return of(VOID); }
    static Reply integer(int v) {
        Reply r = of(INT);
        r.number = v;
        return r;
    }
    static Reply string(std::string s) {
        Reply r = of(STR);
        r.text = std::move(s);
        return r;
    }
    static Reply list(std::vector<Pair> p) {
        Reply r = of(PAIRS);
        r.pairs = std::move(p);
        return r;
    }

    static Reply list_of_lists(std::vector<std::vector<Pair>> l) {
        if (l.empty()) return nil();
        Reply r = of(LISTS);
        r.lists = std::move(l);
        return r;
    }

private:
    static Reply of(Kind k) {
        Reply r;
        r.kind = k;
        return r;
    }
};

}  // namespace symvault
