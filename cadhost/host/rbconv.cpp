// Group lists <-> resbuf chains.
#include "host/rbconv.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sanitizer/asan_interface.h>

#include "core/groupcode.h"

namespace cadhost::ads {

namespace {

RbKind kind_of_code(int t) {
    switch (t) {
    case RTREAL: case RTANG: case RTORINT: return RbKind::Real;
    case RTPOINT: case RT3DPOINT: return RbKind::Point;
    case RTSHORT: return RbKind::Short;
    case RTLONG: return RbKind::Long;
    case RTSTR: return RbKind::String;
    case RTENAME: case RTPICKS: return RbKind::Name;
    case -1: case -2: return RbKind::Name;
    case -3: return RbKind::None;
    case -4: return RbKind::String;
    default: break;
    }
    if (t >= 5000) return RbKind::None;
    switch (group_type(t)) {
    case GroupType::String: case GroupType::Comment: case GroupType::Unknown: return RbKind::String;
    case GroupType::Point: return RbKind::Point;
    case GroupType::Coord: case GroupType::Real: case GroupType::Angle: return RbKind::Real;
    case GroupType::Int16: case GroupType::Bool: return RbKind::Short;
    case GroupType::Int32: case GroupType::Int64: return RbKind::Long;
    case GroupType::Hex: return RbKind::Binary;
    case GroupType::Pointer: return RbKind::Name;
    }
    return RbKind::None;
}

// The group codes a drawing can hold, looked up: every resbuf made or
// released asks for its kind.
const std::array<RbKind, kGroupCodes> code_kinds = [] {
    std::array<RbKind, kGroupCodes> a{};
    for (int c = 0; c < kGroupCodes; ++c) a[static_cast<size_t>(c)] = kind_of_code(c);
    return a;
}();

// Resbufs released by ads_relrb, kept for the next ads_newrb: chains are
// made and released by the hundred thousand (one for every entget), and the
// C library keeps only a few small blocks of a size at hand. Each kept
// block is a malloc'd resbuf, as applications hand back, so one that an
// application frees itself is as safe as before. A kept block is poisoned
// for the address sanitizer until it is handed out again, so that a resbuf
// used after its release is caught in checking builds too.
constexpr size_t kSpareResbufs = size_t{1} << 14;

// Plain data, so that reaching it costs no more than a global's; what is
// kept when a thread ends goes with the process.
struct SpareResbufs {
    struct resbuf* head;
    size_t count;
    bool armed;   // the thread's kept blocks are given back when it ends
    bool closed;  // the thread is ending: nothing more is kept
};

// Initial-exec: the library is loaded with the program, and the default
// model would cost a call for every resbuf made or released.
#define CH_FAST_TLS __attribute__((tls_model("initial-exec")))

constinit thread_local SpareResbufs t_spare CH_FAST_TLS{nullptr, 0, false, false};

// Arms the giving back of the thread's kept blocks; false once the thread
// is ending, when blocks go straight back to the C library.
bool may_keep();

void keep_rb(struct resbuf* rb) {
    if (t_spare.count >= kSpareResbufs || !may_keep()) {
        free(rb);
        return;
    }
    rb->rbnext = t_spare.head;
    ASAN_POISON_MEMORY_REGION(rb, sizeof *rb);
    t_spare.head = rb;
    ++t_spare.count;
}

// The strings of released resbufs, kept by the size of their block for the
// strings of later chains, as the resbufs themselves are. Every kept block
// is one that malloc made, whoever made it, so an application that frees a
// string or puts one of its own in its place is as safe as before. Only
// blocks of the C library's smallest sizes are kept; others go back. Under
// the address sanitizer a block's usable size is the size asked for, so
// the blocks kept there are those asked for with exactly these sizes.
#if defined(__GLIBC__)
constexpr size_t kSpareTexts = size_t{1} << 12;  // per size
#else
constexpr size_t kSpareTexts = 0;
#endif
constexpr size_t kTextSizes[] = {24, 40, 56, 72};  // usable bytes of the smallest blocks
constexpr size_t kTextClasses = std::size(kTextSizes);

struct SpareTexts {
    char* head[kTextClasses];
    size_t count[kTextClasses];
};

constinit thread_local SpareTexts t_texts CH_FAST_TLS{};

// When a thread ends, what it kept goes back to the C library, so that a
// thread leaves nothing behind and leak checkers find nothing kept.
void give_back_kept() noexcept {
    while (struct resbuf* rb = t_spare.head) {
        ASAN_UNPOISON_MEMORY_REGION(rb, sizeof *rb);
        t_spare.head = rb->rbnext;
        free(rb);
    }
    t_spare.count = 0;
    for (size_t c = 0; c < kTextClasses; ++c) {
        while (char* p = t_texts.head[c]) {
            ASAN_UNPOISON_MEMORY_REGION(p, kTextSizes[c]);
            memcpy(&t_texts.head[c], p, sizeof(char*));
            free(p);
        }
        t_texts.count[c] = 0;
    }
}

struct KeptGivenBack {
    ~KeptGivenBack() {
        t_spare.closed = true;
        give_back_kept();
    }
};

bool may_keep() {
    if (t_spare.closed) return false;
    if (!t_spare.armed) {
        // Made once per thread, on the first block kept; its destructor
        // runs when the thread ends. Checked through a plain flag, so that
        // keeping a block costs no call to reach it.
        static thread_local KeptGivenBack given_back;
        (void)given_back;
        t_spare.armed = true;
    }
    return true;
}

char* take_text(size_t bytes) {
    for (size_t c = 0; c < kTextClasses; ++c) {
        if (bytes > kTextSizes[c]) continue;
        if (char* p = t_texts.head[c]) {
            ASAN_UNPOISON_MEMORY_REGION(p, kTextSizes[c]);
            memcpy(&t_texts.head[c], p, sizeof(char*));
            --t_texts.count[c];
            return p;
        }
        break;
    }
    return static_cast<char*>(malloc(bytes));
}

}  // namespace

RbKind rb_kind(int t) {
    if (t >= 0 && t < kGroupCodes) return code_kinds[static_cast<size_t>(t)];
    return kind_of_code(t);
}

char* new_rb_text(std::string_view text) {
    char* p = take_text(text.size() + 1);
    if (p) {
        memcpy(p, text.data(), text.size());
        p[text.size()] = '\0';
    }
    return p;
}

void release_text(char* p) {
    if (!p) return;
#if defined(__GLIBC__)
    if (kSpareTexts > 0) {
        size_t usable = malloc_usable_size(p);
        for (size_t c = 0; c < kTextClasses; ++c)
            if (usable == kTextSizes[c] && t_texts.count[c] < kSpareTexts && may_keep()) {
                memcpy(p, &t_texts.head[c], sizeof(char*));
                ASAN_POISON_MEMORY_REGION(p, usable);
                t_texts.head[c] = p;
                ++t_texts.count[c];
                return;
            }
    }
#endif
    free(p);
}

void set_rb_string(struct resbuf* rb, const std::string& s) { rb->resval.rstring = new_rb_text(s); }

}  // namespace cadhost::ads

using namespace cadhost::ads;

extern "C" struct resbuf* ads_newrb(int restype) {
    struct resbuf* rb = t_spare.head;
    if (rb) {
        ASAN_UNPOISON_MEMORY_REGION(rb, sizeof *rb);
        t_spare.head = rb->rbnext;
        --t_spare.count;
        memset(rb, 0, sizeof *rb);
    } else {
        rb = static_cast<struct resbuf*>(calloc(1, sizeof(struct resbuf)));
    }
    if (rb) rb->restype = static_cast<short>(restype);
    return rb;
}

// Gives back a whole chain with its strings and binary chunks.
extern "C" int ads_relrb(struct resbuf* rb) {
    while (rb) {
        struct resbuf* next = rb->rbnext;
        switch (rb_kind(rb->restype)) {
        case RbKind::String: release_text(rb->resval.rstring); break;
        case RbKind::Binary: free(rb->resval.rbinary.buf); break;
        default: break;
        }
        keep_rb(rb);
        rb = next;
    }
    return RTNORM;
}

namespace cadhost::ads {

void set_entity_name(ads_name out, EntityRef e, long serial) {
    out[0] = static_cast<long>(e.id);
    out[1] = e ? serial : 0;
}

EntityRef entity_from_name(const long* name, long serial) {
    if (!name || name[0] <= 0 || name[1] != serial) return {};
    return EntityRef{static_cast<uint64_t>(name[0])};
}

void set_selection_name(ads_name out, long id, long serial) {
    out[0] = id;
    out[1] = -serial;
}

long selection_from_name(const long* name, long serial) {
    if (!name || name[0] <= 0 || name[1] != -serial) return 0;
    return name[0];
}

namespace {

// Fills rb from a group value; false when the value does not suit the kind.
bool fill(struct resbuf* rb, const GroupValue& v, long serial) {
    switch (rb_kind(rb->restype)) {
    case RbKind::Real:
        if (auto d = std::get_if<double>(&v)) return rb->resval.rreal = *d, true;
        return false;
    case RbKind::Point:
        if (auto p = std::get_if<Point>(&v)) {
            rb->resval.rpoint[0] = p->x, rb->resval.rpoint[1] = p->y, rb->resval.rpoint[2] = p->z;
            return true;
        }
        return false;
    case RbKind::Short:
        if (auto s = std::get_if<int16_t>(&v)) return rb->resval.rint = *s, true;
        return false;
    case RbKind::Long:
        if (auto l = std::get_if<int32_t>(&v)) return rb->resval.rlong = *l, true;
        if (auto l = std::get_if<int64_t>(&v)) return rb->resval.rlong = static_cast<long>(*l), true;
        return false;
    case RbKind::String:
        if (auto s = std::get_if<std::string>(&v)) return rb->resval.rstring = new_rb_text(*s), true;
        return false;
    case RbKind::Name:
        if (auto e = std::get_if<EntityRef>(&v)) return set_entity_name(rb->resval.rlname, *e, serial), true;
        return false;
    case RbKind::Binary:
        if (auto b = std::get_if<Binary>(&v)) {
            size_t n = std::min<size_t>(b->size(), 32767);
            rb->resval.rbinary.clen = static_cast<short>(n);
            rb->resval.rbinary.buf = static_cast<char*>(malloc(n ? n : 1));
            if (n) memcpy(rb->resval.rbinary.buf, b->data(), n);
            return true;
        }
        return false;
    case RbKind::None:
        return true;
    }
    return false;
}

}  // namespace

ChainBuilder::~ChainBuilder() { ads_relrb(m_head); }

void ChainBuilder::add(const Group& g) {
    struct resbuf* rb = ads_newrb(g.code);
    if (!rb) return;
    if (!fill(rb, g.value, m_serial)) {
        ads_relrb(rb);
        return;
    }
    *m_tail = rb;
    m_tail = &rb->rbnext;
}

void ChainBuilder::add_text(int code, std::string_view text) {
    struct resbuf* rb = ads_newrb(code);
    if (!rb) return;
    if (rb_kind(code) != RbKind::String) {
        ads_relrb(rb);
        return;
    }
    rb->resval.rstring = new_rb_text(text);
    *m_tail = rb;
    m_tail = &rb->rbnext;
}

struct resbuf* ChainBuilder::release() {
    struct resbuf* head = m_head;
    m_head = nullptr;
    m_tail = &m_head;
    return head;
}

struct resbuf* to_chain(const GroupList& list, long serial) {
    ChainBuilder chain(serial);
    for (const Group& g : list) chain.add(g);
    return chain.release();
}

Result<GroupValue> rb_value(const struct resbuf* rb, long serial) {
    const auto& v = rb->resval;
    switch (rb_kind(rb->restype)) {
    case RbKind::Real: return GroupValue(v.rreal);
    case RbKind::Point: {
        Point p{v.rpoint[0], v.rpoint[1], v.rpoint[2]};
        if (rb->restype == RTPOINT) p.dims = 2, p.z = 0;
        return GroupValue(p);
    }
    case RbKind::Short: return GroupValue(static_cast<int16_t>(v.rint));
    case RbKind::Long:
        if (group_type(rb->restype) == GroupType::Int64) return GroupValue(static_cast<int64_t>(v.rlong));
        return GroupValue(static_cast<int32_t>(v.rlong));
    case RbKind::String:
        if (!v.rstring) return Error{"null string in list"};
        return GroupValue(std::string(v.rstring));
    case RbKind::Name: {
        EntityRef e = entity_from_name(v.rlname, serial);
        if (!e) return Error{"bad entity name in list"};
        return GroupValue(e);
    }
    case RbKind::Binary: {
        if (v.rbinary.clen < 0 || (v.rbinary.clen > 0 && !v.rbinary.buf)) return Error{"bad binary chunk"};
        auto* b = reinterpret_cast<const uint8_t*>(v.rbinary.buf);
        return GroupValue(Binary(b, b + v.rbinary.clen));
    }
    case RbKind::None: return GroupValue(std::string());
    }
    return Error{"bad value"};
}

Result<GroupList> from_chain(const struct resbuf* rb, long serial) {
    GroupList out;
    size_t n = 0;
    for (const struct resbuf* r = rb; r; r = r->rbnext) ++n;
    out.reserve(n);
    for (; rb; rb = rb->rbnext) {
        if (rb->restype >= 5000) return Error{"result type code in a group list"};
        auto v = rb_value(rb, serial);
        if (!v) return v.error();
        out.push_back(Group{rb->restype, v.release()});
    }
    return out;
}

}  // namespace cadhost::ads
