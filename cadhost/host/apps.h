// Loaded applications: shared libraries that export the host's entry
// points, the functions they register, and their calls.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acrx.h"
#include "core/result.h"

namespace cadhost::host {

struct LoadedApp {
    int id = 0;                   // 1, 2, ... in load order
    std::string name;             // file name without folder, upper case, as ARX lists it
    std::string path;             // host path it was loaded from
    void* handle = nullptr;       // dlopen handle
    AcrxEntryPointFn entry = nullptr;
    std::map<short, int (*)(void)> direct;  // handlers registered with ads_regfunc
};

// An application-defined function: a Lisp name bound to an application code.
struct FunctionDef {
    std::string name;  // upper case; "C:" prefix for commands
    int app_id = 0;
    short code = 0;
};

class AppLoader {
public:
    ~AppLoader();
    // Loads, checks the API version and sends kInitAppMsg. The caller sends
    // kLoadDwgMsg for the open drawing.
    Result<LoadedApp*> load(const std::string& host_path);
    // Sends kUnloadAppMsg, drops its functions and closes the library.
    Status unload(const std::string& name);
    LoadedApp* find(const std::string& name_or_path);
    LoadedApp* by_id(int id);
    const std::vector<std::unique_ptr<LoadedApp>>& apps() const { return m_apps; }
    // Sends a message to one application, marking it current while it runs.
    int send(LoadedApp& app, int msg, void* arg = nullptr);
    void broadcast(int msg);
    // The application whose entry point or handler is running (nullptr outside).
    LoadedApp* current() const { return m_current.empty() ? nullptr : m_current.back(); }
    void push_current(LoadedApp* a) { m_current.push_back(a); }
    void pop_current() { m_current.pop_back(); }

    // Registered functions
    void defun(const FunctionDef& def);
    bool undef(const std::string& name, int app_id, short code);
    const FunctionDef* function(const std::string& name) const;
    const std::map<std::string, FunctionDef>& functions() const { return m_functions; }
    void clear_functions() { m_functions.clear(); }

private:
    void drop(LoadedApp& app);
    std::vector<std::unique_ptr<LoadedApp>> m_apps;
    std::vector<LoadedApp*> m_current;
    std::map<std::string, FunctionDef> m_functions;
    int m_next_id = 1;
};

}  // namespace cadhost::host
