// Slide library files: a 32-byte header, a directory of 36-byte entries
// (32-byte name, 4-byte address), then the slide files themselves.
#include "slide/slide_library.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "slide/messages.h"

namespace cadhost::slide {

namespace {

const char kLibrarySignature[] = "AutoCAD Slide Library 1.0\r\n\x1a";
constexpr size_t kLibrarySignatureSize = 28;
constexpr size_t kHeaderSize = 32;
constexpr size_t kNameSize = 32;
constexpr size_t kEntrySize = 36;

uint32_t get_u32(const Bytes& d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}

void put_u32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool same_ignoring_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool has_extension(const std::string& path) {
    size_t sep = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    return dot != std::string::npos && (sep == std::string::npos || dot > sep);
}

// Sizes run from each address to the next higher one, the last to the end.
void assign_sizes(std::vector<LibraryEntry>& entries, size_t file_size) {
    std::vector<uint32_t> starts;
    for (const auto& e : entries) starts.push_back(e.address);
    std::sort(starts.begin(), starts.end());
    for (auto& e : entries) {
        auto next = std::upper_bound(starts.begin(), starts.end(), e.address);
        uint32_t end = next == starts.end() ? static_cast<uint32_t>(file_size) : *next;
        e.size = end - e.address;
    }
}

}  // namespace

Result<SlideLibrary> SlideLibrary::parse(Bytes data, const std::string& file) {
    if (data.size() < kHeaderSize || std::memcmp(data.data(), kLibrarySignature, kLibrarySignatureSize) != 0)
        return Error{text(Msg::NotLibrary), file, 0};
    SlideLibrary lib;
    // No count is stored: the directory ends where the first slide begins.
    size_t directory_end = data.size();
    for (size_t at = kHeaderSize; at + kEntrySize <= directory_end; at += kEntrySize) {
        const char* raw = reinterpret_cast<const char*>(&data[at]);
        LibraryEntry e;
        e.name.assign(raw, strnlen(raw, kNameSize));
        e.address = get_u32(data, at + kNameSize);
        if (e.address < at + kEntrySize || e.address > data.size())
            return Error{text(Msg::LibraryTruncated), file, 0};
        directory_end = std::min<size_t>(directory_end, e.address);
        lib.m_entries.push_back(std::move(e));
    }
    assign_sizes(lib.m_entries, data.size());
    lib.m_data = std::move(data);
    lib.m_file = file;
    return lib;
}

Result<Bytes> SlideLibrary::slide_bytes(const std::string& name) const {
    const LibraryEntry* found = nullptr;
    for (const auto& e : m_entries)
        if (e.name == name) { found = &e; break; }
    if (!found)
        for (const auto& e : m_entries)
            if (same_ignoring_case(e.name, name)) { found = &e; break; }
    if (!found) return Error{std::string(text(Msg::NoSuchSlide)) + ": " + name, m_file, 0};
    auto first = m_data.begin() + found->address;
    return Bytes(first, first + found->size);
}

Result<Bytes> write_library(const std::vector<NamedSlide>& slides) {
    for (size_t i = 0; i < slides.size(); ++i) {
        const std::string& n = slides[i].name;
        if (n.empty()) return Error{text(Msg::NameEmpty)};
        if (n.size() >= kNameSize || n.find('\0') != std::string::npos) return Error{std::string(text(Msg::NameTooLong)) + ": " + n};
        for (size_t j = 0; j < i; ++j)
            if (slides[j].name == n) return Error{std::string(text(Msg::DuplicateName)) + ": " + n};
    }
    Bytes out(kLibrarySignature, kLibrarySignature + kLibrarySignatureSize);
    out.resize(kHeaderSize, 0);
    uint64_t address = kHeaderSize + kEntrySize * slides.size();
    for (const auto& s : slides) {
        size_t at = out.size();
        out.resize(at + kNameSize, 0);
        std::memcpy(&out[at], s.name.data(), s.name.size());
        if (address + s.data.size() > UINT32_MAX) return Error{text(Msg::BadSize)};
        put_u32(out, static_cast<uint32_t>(address));
        address += s.data.size();
    }
    for (const auto& s : slides) out.insert(out.end(), s.data.begin(), s.data.end());
    return out;
}

Result<SlideName> parse_slide_name(const std::string& name) {
    SlideName n;
    size_t open = name.find('(');
    if (open == std::string::npos) {
        if (name.empty() || name.find(')') != std::string::npos) return Error{std::string(text(Msg::BadSlideName)) + ": " + name};
        n.file = has_extension(name) ? name : name + ".sld";
        return n;
    }
    if (open == 0 || name.back() != ')' || name.size() < open + 3 ||
        name.find_first_of("()", open + 1) != name.size() - 1)
        return Error{std::string(text(Msg::BadSlideName)) + ": " + name};
    n.file = name.substr(0, open);
    if (!has_extension(n.file)) n.file += ".slb";
    n.member = name.substr(open + 1, name.size() - open - 2);
    return n;
}

Result<Slide> load_slide(const std::string& name, const FileReader& read_file) {
    SlideName n = CH_TRY(parse_slide_name(name));
    if (!read_file) return Error{text(Msg::CannotRead), n.file, 0};
    Bytes data = CH_TRY(read_file(n.file));
    if (n.member.empty()) return read_slide(data, n.file);
    SlideLibrary lib = CH_TRY(SlideLibrary::parse(std::move(data), n.file));
    Bytes bytes = CH_TRY(lib.slide_bytes(n.member));
    return read_slide(bytes, name);
}

}  // namespace cadhost::slide
