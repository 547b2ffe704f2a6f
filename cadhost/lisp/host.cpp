// Defaults of the host interface: every facility reports itself missing.
#include "host.h"

#include "messages.h"

namespace cadhost::lisp {

namespace {
Error missing(const char* what) { return error_of(std::string(message_text(Msg::NotAvailable)) + what); }
}  // namespace

bool Host::take_break() { return false; }
std::optional<GroupValue> Host::getvar(const std::string&) { return std::nullopt; }
Status Host::setvar(const std::string&, const GroupValue&) { return missing("setvar"); }
int Host::command(const AdsList&) { return rs::Error; }
std::optional<GroupList> Host::entget(EntityRef, const std::vector<std::string>&) { return std::nullopt; }
EntityRef Host::entnext(EntityRef) { return {}; }
EntityRef Host::entlast() { return {}; }
bool Host::entmod(const GroupList&) { return false; }
bool Host::entmake(const GroupList&) { return false; }
bool Host::entdel(EntityRef) { return false; }
EntityRef Host::handent(const std::string&) { return {}; }
bool Host::regapp(const std::string&) { return false; }
std::optional<GroupList> Host::tblnext(const std::string&, TableNext) { return std::nullopt; }
std::optional<GroupList> Host::tblsearch(const std::string&, const std::string&, SearchSetsNext) {
    return std::nullopt;
}
std::optional<SelSet> Host::ssget(const SsgetRequest&) { return std::nullopt; }
std::optional<long> Host::sslength(SelSet) { return std::nullopt; }
EntityRef Host::ssname(SelSet, long) { return {}; }
std::optional<SelSet> Host::ssadd(std::optional<EntityRef>, std::optional<SelSet>) { return std::nullopt; }
bool Host::ssdel(EntityRef, SelSet) { return false; }
bool Host::ssmemb(EntityRef, SelSet) { return false; }
void Host::initget(int, const std::string&) {}
InputReply Host::get_input(const InputRequest&) { return {InputStatus::Error, {}}; }
PickReply Host::entsel(const std::optional<std::string>&) { return {InputStatus::Error, {}, {}, {}}; }
std::optional<std::string> Host::findfile(const std::string&) { return std::nullopt; }
void Host::alert(const std::string& text) { print(text + "\n"); }
std::optional<std::string> Host::getfiled(const std::string&, const std::string&, const std::string&, int) {
    return std::nullopt;
}
Result<SourceText> Host::read_source(const std::string&) { return missing("load"); }
std::optional<uint64_t> Host::open_file(const std::string&, FileMode) { return std::nullopt; }
std::optional<std::string> Host::read_line(uint64_t) { return std::nullopt; }
bool Host::write_text(uint64_t, const std::string&) { return false; }
bool Host::close_file(uint64_t) { return false; }
Status Host::arxload(const std::string&) { return missing("arxload"); }
ExternalReply Host::call_external(int, int, const AdsList&) { return {rs::Error, {}}; }
Result<bool> Host::wcmatch(const std::string&, const std::string&) { return missing("wcmatch"); }

}  // namespace cadhost::lisp
