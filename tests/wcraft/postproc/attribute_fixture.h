// Blocks with attributes written inline, the store records that point at
// them by handle, and their attributes read back: for the attribute
// write-back and contact display tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ads.h"
#include "dxf_text.h"
#include "extract/store.h"
#include "host/module_state.h"
#include "postproc_fixture.h"

namespace wcraft::test {

// An attribute written in full (height and rotation always present).
struct Att {
    std::string tag, value;
    double x = 0, y = 0, height = 2.5, rotation = 0;
};

inline std::string dxf_block(const std::string& block, const std::string& layer, double x, double y,
                             const std::vector<Att>& atts) {
    std::string t = g(0, "INSERT") + g(8, layer);
    if (!atts.empty()) t += g(66, "1");
    t += g(2, block) + point(10, x, y) + g(41, "1.0") + g(42, "1.0") + g(50, "0.0");
    for (const Att& a : atts)
        t += g(0, "ATTRIB") + g(8, layer) + point(10, a.x, a.y) + g(40, num(a.height)) + g(1, a.value) +
             g(2, a.tag) + g(70, "0") + g(50, num(a.rotation));
    if (!atts.empty()) t += g(0, "SEQEND") + g(8, layer);
    return t;
}

// An ATTRIB of the open drawing.
struct AttSeen {
    std::string tag, value;
    double x = 0, y = 0;
};

class AttributeTest : public PostprocTest {
protected:
    void SetUp() override {
        PostprocTest::SetUp();
        log = open_memstream(&m_log_buf, &m_log_len);
        sheet(1);
    }
    void TearDown() override {
        fclose(log);
        free(m_log_buf);
        PostprocTest::TearDown();
    }
    void sheet(short n) {
        wcr().sheet_no = n;
        char t[8];
        snprintf(t, sizeof t, "%03d", n);
        wcr().sheet_text = t;
    }
    std::string log_text() {
        fflush(log);
        return std::string(m_log_buf, m_log_len);
    }
    // Handles of the open drawing's INSERTs, in database order.
    std::vector<std::string> insert_handles() {
        std::vector<std::string> found;
        ads_name e;
        if (ads_entnext(nullptr, e) != RTNORM) return found;
        do {
            resbuf* ed = ads_entget(e);
            std::string type, handle;
            for (resbuf* rb = ed; rb; rb = rb->rbnext) {
                if (rb->restype == 0) type = rb->resval.rstring;
                if (rb->restype == 5) handle = rb->resval.rstring;
            }
            ads_relrb(ed);
            if (type == "INSERT") found.push_back(handle);
        } while (ads_entnext(e, e) == RTNORM);
        return found;
    }
    // The attributes following the block of `handle`.
    std::vector<AttSeen> attributes(const std::string& handle) {
        std::vector<AttSeen> found;
        ads_name e;
        if (ads_handent(handle.c_str(), e) != RTNORM) return found;
        while (ads_entnext(e, e) == RTNORM) {
            resbuf* ed = ads_entget(e);
            AttSeen a;
            bool is_attrib = false;
            for (resbuf* rb = ed; rb; rb = rb->rbnext) {
                if (rb->restype == 0) is_attrib = std::string(rb->resval.rstring) == "ATTRIB";
                if (rb->restype == 1) a.value = rb->resval.rstring;
                if (rb->restype == 2) a.tag = rb->resval.rstring;
                if (rb->restype == 10) a.x = rb->resval.rpoint[0], a.y = rb->resval.rpoint[1];
            }
            ads_relrb(ed);
            if (!is_attrib) break;
            found.push_back(a);
        }
        return found;
    }
    std::string value_of(const std::string& handle, const std::string& tag) {
        for (const AttSeen& a : attributes(handle))
            if (a.tag == tag) return a.value;
        return "<none>";
    }
    int dbmod() {
        resbuf rb{};
        ads_getvar("DBMOD", &rb);
        return rb.resval.rint;
    }
    static Component record(short on_sheet, const std::string& handle, const std::string& ref,
                            const std::string& grid = "") {
        Component c;
        c.sheet = on_sheet;
        c.handle = handle;
        c.ref = ref;
        c.grid = grid;
        return c;
    }

    FILE* log = nullptr;

private:
    char* m_log_buf = nullptr;
    size_t m_log_len = 0;
};

}  // namespace wcraft::test
