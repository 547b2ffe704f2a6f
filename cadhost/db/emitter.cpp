// DXF output and atomic saving.
#include "emitter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/groupcode.h"
#include "db/messages.h"
#include "db/version_converter.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

bool text_code(int code) {
    GroupType t = group_type(code);
    return t == GroupType::String || t == GroupType::Unknown || t == GroupType::Comment;
}

std::string_view first_text(const DrawingImpl& d, const char* var) {
    const HeaderVar* v = d.header(var);
    return v && !v->tags.empty() ? dxf::trim_blanks(v->tags[0].text()) : std::string_view();
}

}  // namespace

bool DxfEmitter::live(uint32_t id) const {
    const DbObject& o = m_doc.obj(id);
    return o.committed && !o.deleted;
}

namespace {

constexpr const char* wide_codepages[] = {"ANSI_936", "ANSI_932", "ANSI_949", "ANSI_950", "ANSI_1251",
                                          "ANSI_1250", "ANSI_1253", "ANSI_1254", "ANSI_1257"};

// Decoded texts the codec cannot hold (a bounded sample is enough to choose).
std::vector<std::string> unencodable(const DrawingImpl& d, const dxf::TextCodec& codec) {
    std::vector<std::string> out;
    auto check = [&](const TagVec& tags) {
        for (const Tag& t : tags) {
            if (out.size() >= 256 || !text_code(t.code) || dxf::TextCodec::plain(t.text())) continue;
            std::string s = d.m_codec.decode(t.text());
            if (!codec.can_encode(s)) out.push_back(std::move(s));
        }
    };
    for (const HeaderVar& v : d.m_header) check(v.tags);
    for (const DbObject& o : d.m_objects) check(o.tags);
    return out;
}

}  // namespace

void DxfEmitter::prepare(DxfVersion version) {
    const char* acadver = acadver_name(version);
    m_target = dxf::TextCodec::for_file(acadver, first_text(m_doc, "$DWGCODEPAGE"));
    m_transcode = !(m_target == m_doc.m_codec);
    m_codepage.clear();
    if (!m_transcode || m_target.kind() == dxf::TextCodec::Kind::Utf8) return;
    std::vector<std::string> missing = unencodable(m_doc, m_target);
    if (missing.empty()) return;
    for (const char* cp : wide_codepages) {
        dxf::TextCodec c = dxf::TextCodec::for_file(acadver, cp);
        bool all = c.kind() == dxf::TextCodec::Kind::Iconv;
        for (size_t i = 0; all && i < missing.size(); ++i) all = c.can_encode(missing[i]);
        if (!all) continue;
        m_target = c;
        m_codepage = cp;
        return;
    }
}

void DxfEmitter::tags(dxf::TagWriter& w, const TagVec& t) {
    if (!m_transcode) {
        for (const Tag& tag : t) w.tag(tag.code, tag.text());
        return;
    }
    for (const Tag& tag : t) {
        if (m_transcode && text_code(tag.code) && !dxf::TextCodec::plain(tag.text()))
            w.tag(tag.code, m_target.encode(m_doc.m_codec.decode(tag.text())));
        else
            w.tag(tag.code, tag.text());
    }
}

// Variables as stored, with the version, handle seed and code page the
// output needs; variables a version cannot hold are the converter's business.
void DxfEmitter::header(dxf::TagWriter& w, DxfVersion version, DataForm form, uint64_t seed_handle) {
    w.tag(0, "SECTION");
    w.tag(2, "HEADER");
    // Tags before the first variable stay in front of every variable, where
    // a reader finds them again.
    const HeaderVar* lead = m_doc.header("");
    if (lead) tags(w, lead->tags);
    w.tag(9, "$ACADVER");
    DxfVersion read_as = m_doc.m_form == DataForm::Classic ? DxfVersion::R12 : DxfVersion::R2000;
    bool kept = !m_doc.m_acadver_kept.empty() && version == read_as && form == m_doc.m_form;
    w.tag(1, kept ? std::string_view(m_doc.m_acadver_kept) : std::string_view(acadver_name(version)));
    bool wrote_seed = false, wrote_handling = false;
    std::string seed = dxf::format_handle(seed_handle);
    for (const HeaderVar& v : m_doc.m_header) {
        std::string key = dxf::upper_ascii(v.name);
        if (key == "$ACADVER" || key.empty()) continue;
        if (key == "$HANDLING" && form == DataForm::Modern) continue;
        if (!key.empty()) w.tag(9, v.name);
        if (key == "$HANDSEED") { w.tag(5, seed); wrote_seed = true; continue; }
        if (key == "$HANDLING") { w.tag(70, "1"); wrote_handling = true; continue; }
        if (key == "$DWGCODEPAGE" && !m_codepage.empty()) { w.tag(3, m_codepage); continue; }
        tags(w, v.tags);
    }
    if (form == DataForm::Classic && !wrote_handling) {
        w.tag(9, "$HANDLING");
        w.tag(70, "1");
    }
    if (!wrote_seed) {
        w.tag(9, "$HANDSEED");
        w.tag(5, seed);
    }
    if ((form == DataForm::Modern || !m_codepage.empty()) && !m_doc.header("$DWGCODEPAGE")) {
        w.tag(9, "$DWGCODEPAGE");
        w.tag(3, m_codepage.empty() ? "ANSI_1252" : m_codepage);
    }
    w.tag(0, "ENDSEC");
}

void DxfEmitter::tables(dxf::TagWriter& w) {
    for (const Table& t : m_doc.m_tables) {
        tags(w, m_doc.obj(t.head).tags);
        for (uint32_t id : t.records)
            if (live(id)) tags(w, m_doc.obj(id).tags);
        w.tag(0, "ENDTAB");
    }
}

void DxfEmitter::entity_list(dxf::TagWriter& w, int list) {
    for (uint32_t id : m_doc.m_lists[static_cast<size_t>(list)].ids)
        if (live(id)) tags(w, m_doc.obj(id).tags);
}

void DxfEmitter::blocks(dxf::TagWriter& w) {
    for (const BlockDef& b : m_doc.m_blocks) {
        if (b.removed) continue;
        tags(w, m_doc.obj(b.begin).tags);
        if (!m_doc.external_reference(b)) entity_list(w, b.list);
        tags(w, m_doc.obj(b.end).tags);
    }
}

std::string DxfEmitter::write(DxfVersion version) {
    DataForm form = version == DxfVersion::R12 ? DataForm::Classic : DataForm::Modern;
    // An R12 file holding entities of later versions is not one other
    // programs read right; an older one with them they read as it is.
    bool later_entities = form == DataForm::Classic && m_doc.m_acadver_kept.empty() &&
                          VersionConverter::holds_later_entities(m_doc);
    if (form != m_doc.m_form || later_entities)
        return VersionConverter(m_doc).write(version);
    std::string out;
    prepare(version);
    size_t estimate = 4096;
    for (const DbObject& o : m_doc.m_objects) estimate += o.tags.size() * 16;
    out.reserve(estimate);
    dxf::TagWriter w(out);
    tags(w, m_doc.m_preamble);
    if (!m_doc.has_section(SectionKind::Header)) header(w, version, form, m_doc.m_next_handle);
    for (const Section& s : m_doc.m_sections) {
        if (s.kind == SectionKind::Header) { header(w, version, form, m_doc.m_next_handle); continue; }
        w.tag(0, "SECTION");
        w.tag(2, s.name);
        switch (s.kind) {
        case SectionKind::Tables: tables(w); break;
        case SectionKind::Blocks: blocks(w); break;
        case SectionKind::Entities: entity_list(w, 0); break;
        case SectionKind::Objects:
            for (uint32_t id : m_doc.m_objects_section)
                if (live(id)) tags(w, m_doc.obj(id).tags);
            break;
        default: tags(w, s.raw); break;
        }
        w.tag(0, "ENDSEC");
    }
    w.tag(0, "EOF");
    return out;
}

namespace {

Status write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(std::string(msg::cannot_write) + ": " + std::strerror(n < 0 ? errno : ENOSPC));
        done += static_cast<size_t>(n);
    }
    return ok_status();
}

std::string directory_of(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

// The text goes to a temporary file beside the target which replaces the
// target only once it is completely on disk; any failure removes it.
Status DxfEmitter::save(const std::string& path, DxfVersion version) {
    std::string text = write(version);
    std::string dir = directory_of(path);
    std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    std::string tmp = dir + "/." + base + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return Error{std::string(msg::cannot_write) + ": " + std::strerror(errno), path, 0};
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    Status s = write_all(fd, text);
    if (s && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) s = fail(std::string(msg::cannot_write) + ": " + std::strerror(errno));
    if (::close(fd) != 0 && s) s = fail(std::string(msg::cannot_write) + ": " + std::strerror(errno));
    if (s && ::rename(tmp.c_str(), path.c_str()) != 0) s = fail(std::string(msg::cannot_write) + ": " + std::strerror(errno));
    if (!s) {
        ::unlink(tmp.c_str());
        return Error{s.error().message, path, 0};
    }
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return ok_status();
}

}  // namespace cadhost::db
