// Dialog engine: file loading with includes, dialog lifecycle, lists and
// images in progress, and driver choice.
#include "dcl/engine.h"

#include <algorithm>
#include <iostream>

#include "dcl/drivers.h"
#include "dcl/messages.h"
#include "dcl/parser.h"

namespace cadhost::dcl {

namespace {
std::unique_ptr<DialogEngine>& engine_slot() {
    static std::unique_ptr<DialogEngine> slot;
    return slot;
}
}  // namespace

struct DialogEngine::Loaded {
    int id = 0;
    std::vector<DclFile> files;  // the file itself first, then what it includes
};

DialogEngine& DialogEngine::instance() {
    auto& slot = engine_slot();
    if (!slot) slot = std::make_unique<DialogEngine>();
    return *slot;
}

void DialogEngine::reset_instance() { engine_slot().reset(); }

DialogEngine::DialogEngine() : m_out(&std::cout) {}
DialogEngine::~DialogEngine() = default;

void DialogEngine::set_output(std::ostream* out) { m_out = out ? out : &std::cout; }

void DialogEngine::report(const std::string& message) { *m_out << message << "\n"; }

Result<DclFile> DialogEngine::read_file(const std::string& name, std::vector<std::string>& chain, Loaded& into) {
    if (std::find(chain.begin(), chain.end(), name) != chain.end()) return Error{text(Msg::IncludeLoop), name, 0};
    if (!m_resolver) return Error{text(Msg::FileNotFound), name, 0};
    auto src = m_resolver(name);
    if (!src) return Error{text(Msg::FileNotFound, src.error().what()), name, 0};
    DclFile f = CH_TRY(parse_dcl(*src, name));
    chain.push_back(name);
    for (const std::string& inc : f.includes) {
        if (inc == kBaseFile) continue;
        bool seen = std::any_of(into.files.begin(), into.files.end(), [&](const DclFile& g) { return g.name == inc; });
        if (seen) continue;
        DclFile g = CH_TRY(read_file(inc, chain, into));
        into.files.push_back(std::move(g));
    }
    chain.pop_back();
    return f;
}

Result<int> DialogEngine::load_dialog(const std::string& file) {
    if (!m_base && m_resolver) {
        std::vector<std::string> chain;
        Loaded scratch;
        auto base = read_file(kBaseFile, chain, scratch);
        if (base) m_base = base.release();
        else if (base.error().line != 0) return base.error();  // a broken base file is an error, a missing one is not
    }
    auto loaded = std::make_unique<Loaded>();
    std::vector<std::string> chain;
    DclFile main = CH_TRY(read_file(file, chain, *loaded));
    loaded->files.insert(loaded->files.begin(), std::move(main));
    loaded->id = m_next_id++;
    m_loaded.push_back(std::move(loaded));
    return m_loaded.back()->id;
}

Status DialogEngine::unload_dialog(int id) {
    auto it = std::find_if(m_loaded.begin(), m_loaded.end(), [&](const auto& l) { return l->id == id; });
    if (it == m_loaded.end()) return Error{text(Msg::NoSuchFileId, std::to_string(id))};
    m_loaded.erase(it);
    return ok_status();
}

const TileDef* DialogEngine::lookup(const Loaded& l, const std::string& name) const {
    for (const DclFile& f : l.files)
        if (const TileDef* d = f.find(name)) return d;
    return m_base ? m_base->find(name) : nullptr;
}

Result<Dialog*> DialogEngine::new_dialog(const std::string& name, int id, Callback default_action, long x, long y) {
    auto it = std::find_if(m_loaded.begin(), m_loaded.end(), [&](const auto& l) { return l->id == id; });
    if (it == m_loaded.end()) return Error{text(Msg::NoSuchFileId, std::to_string(id))};
    const Loaded& l = **it;
    const TileDef* def = l.files.front().find(name);
    for (size_t i = 1; !def && i < l.files.size(); ++i) def = l.files[i].find(name);
    if (!def) return Error{text(Msg::NoSuchDialog, name), l.files.front().name, 0};
    auto root = CH_TRY(instantiate(*def, [&](const std::string& n) { return lookup(l, n); }));
    if (root->kind != TileKind::Dialog) return Error{text(Msg::NotADialog, name), def->file, def->line};
    m_dialogs.push_back(std::make_unique<Dialog>(name, std::move(root), std::move(default_action), x, y));
    m_dialogs.back()->set_serial(m_next_serial++);
    return m_dialogs.back().get();
}

std::unique_ptr<Driver> DialogEngine::make_driver() {
    if (m_hooks.installed()) return std::make_unique<TestDriver>(m_hooks, *m_out);
    if (!m_input) return std::make_unique<NullDriver>();
    if (m_input->is_terminal()) return std::make_unique<TerminalDriver>(*m_input, *m_out);
    return std::make_unique<ScriptedDriver>(*m_input, *m_out);
}

Result<int> DialogEngine::start_dialog(Dialog* d) {
    if (!is_open(d)) return Error{text(Msg::DialogGone)};
    if (d->started()) return Error{text(Msg::DialogGone, d->name())};
    d->mark_started();
    m_stack.push_back(d);
    if (!d->done()) run_driver(*d);
    d->finish(kStatusCancel);  // no effect when the dialog was closed
    int status = d->status();
    std::string failure = d->failure().empty() ? "" : text(Msg::DialogFailed, d->name()) + ", " + d->failure();
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), d), m_stack.end());
    remove(d);
    if (!failure.empty()) {
        report(failure);
        return Error{failure};
    }
    return status;
}

// Whatever breaks while the dialog runs ends it, and the dialog leaves the
// stack as any other does.
void DialogEngine::run_driver(Dialog& d) {
    try {
        make_driver()->run(d);
    } catch (const std::exception& e) {
        d.fail(e.what());
    } catch (...) {
        d.fail("an exception of unknown type");
    }
}

void DialogEngine::remove(Dialog* d) {
    if (m_list && m_list->dialog == d) m_list.reset();
    if (m_image && m_image->dialog == d) m_image.reset();
    m_dialogs.erase(std::remove_if(m_dialogs.begin(), m_dialogs.end(), [&](const auto& p) { return p.get() == d; }),
                    m_dialogs.end());
}

Status DialogEngine::done_dialog(Dialog* d, int status, long* x, long* y) {
    if (!is_open(d)) return Error{text(Msg::DialogGone)};
    if (!d->started()) return Error{text(Msg::DialogNotStarted, d->name())};
    d->finish(status);
    if (x) *x = d->x() < 0 ? 0 : d->x();
    if (y) *y = d->y() < 0 ? 0 : d->y();
    return ok_status();
}

// Every dialog closes as if cancelled; those never started go at once, the
// started ones when their start returns.
void DialogEngine::term_dialog() {
    for (auto& d : m_dialogs) d->finish(kStatusAllDone);
    std::vector<Dialog*> idle;
    for (auto& d : m_dialogs)
        if (!d->started()) idle.push_back(d.get());
    for (Dialog* d : idle) remove(d);
}

bool DialogEngine::is_open(const Dialog* d) const {
    return d && std::any_of(m_dialogs.begin(), m_dialogs.end(), [&](const auto& p) { return p.get() == d; });
}

void* DialogEngine::handle_of(const Dialog* d) const {
    return d ? reinterpret_cast<void*>(static_cast<uintptr_t>(d->serial())) : nullptr;
}

Dialog* DialogEngine::open_dialog(const void* handle) const {
    auto serial = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
    for (const auto& p : m_dialogs)
        if (serial != 0 && p->serial() == serial) return p.get();
    return nullptr;
}

const Tile* DialogEngine::open_tile(const void* handle) const {
    for (const auto& p : m_dialogs)
        for (const Tile* t : p->tiles())
            if (t == handle) return t;
    return nullptr;
}

}  // namespace cadhost::dcl
