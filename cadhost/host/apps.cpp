// Loading applications with dlopen and delivering their messages.
#include "host/apps.h"

#include <dlfcn.h>

#include <algorithm>

#include "host/sysvars.h"

namespace cadhost::host {

namespace {
std::string base_name(const std::string& path) {
    auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}
std::string stem_upper(const std::string& path) {
    std::string b = base_name(path);
    auto dot = b.find_last_of('.');
    if (dot != std::string::npos) b = b.substr(0, dot);
    if (b.rfind("lib", 0) == 0 && b.size() > 3) b = b.substr(3);
    return to_upper(b);
}
}  // namespace

AppLoader::~AppLoader() {
    for (auto& a : m_apps)
        if (a->handle) dlclose(a->handle);
}

Result<LoadedApp*> AppLoader::load(const std::string& host_path) {
    std::string name = stem_upper(host_path);
    if (find(name)) return Error{"Application \"" + name + "\" is already loaded."};
    dlerror();
    void* h = dlopen(host_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        return Error{"Unable to load " + host_path + ": " + (e ? e : "unknown error")};
    }
    auto entry = reinterpret_cast<AcrxEntryPointFn>(dlsym(h, "acrxEntryPoint"));
    auto version = reinterpret_cast<AcrxGetApiVersionFn>(dlsym(h, "acrxGetApiVersion"));
    if (!entry || !version) {
        dlclose(h);
        return Error{host_path + " is not an application: acrxEntryPoint or acrxGetApiVersion missing."};
    }
    int v = version();
    if (v != ACRX_API_VERSION && v != ACRX_API_VERSION_R13) {
        dlclose(h);
        char buf[64];
        snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(v));
        return Error{host_path + " was built for another interface version (" + buf + ")."};
    }
    if (auto ptp = reinterpret_cast<AcrxSetPtpFn>(dlsym(h, "_SetacrxPtp"))) ptp(nullptr);
    auto app = std::make_unique<LoadedApp>();
    app->id = m_next_id++;
    app->name = name;
    app->path = host_path;
    app->handle = h;
    app->entry = entry;
    LoadedApp* raw = app.get();
    m_apps.push_back(std::move(app));
    send(*raw, kInitAppMsg, raw);
    return raw;
}

Status AppLoader::unload(const std::string& name) {
    LoadedApp* a = find(name);
    if (!a) return Error{"Application \"" + name + "\" is not loaded."};
    send(*a, kUnloadAppMsg, a);
    drop(*a);
    return ok_status();
}

void AppLoader::drop(LoadedApp& app) {
    for (auto it = m_functions.begin(); it != m_functions.end();)
        it = it->second.app_id == app.id ? m_functions.erase(it) : std::next(it);
    if (app.handle) dlclose(app.handle);
    std::erase_if(m_apps, [&](const auto& p) { return p.get() == &app; });
}

LoadedApp* AppLoader::find(const std::string& name_or_path) {
    std::string n = stem_upper(name_or_path);
    for (auto& a : m_apps)
        if (a->name == n || a->path == name_or_path) return a.get();
    return nullptr;
}

LoadedApp* AppLoader::by_id(int id) {
    for (auto& a : m_apps)
        if (a->id == id) return a.get();
    return nullptr;
}

int AppLoader::send(LoadedApp& app, int msg, void* arg) {
    push_current(&app);
    int r = app.entry(msg, arg ? arg : &app);
    pop_current();
    return r;
}

void AppLoader::broadcast(int msg) {
    // Copy: an application may unload itself or load another while handling.
    std::vector<LoadedApp*> list;
    for (auto& a : m_apps) list.push_back(a.get());
    for (LoadedApp* a : list)
        if (std::any_of(m_apps.begin(), m_apps.end(), [&](const auto& p) { return p.get() == a; }))
            send(*a, msg, a);
}

void AppLoader::defun(const FunctionDef& def) { m_functions[def.name] = def; }

bool AppLoader::undef(const std::string& name, int app_id, short code) {
    auto it = m_functions.find(to_upper(name));
    if (it == m_functions.end() || it->second.app_id != app_id || it->second.code != code) return false;
    m_functions.erase(it);
    return true;
}

const FunctionDef* AppLoader::function(const std::string& name) const {
    auto it = m_functions.find(to_upper(name));
    return it == m_functions.end() ? nullptr : &it->second;
}

}  // namespace cadhost::host
