// The dialog engine: loaded DCL files, open dialogs (nested ones on a
// stack), the list or image being filled, and the choice of driver. One
// process-wide engine serves the C interface; tests reset it.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "dcl/definition.h"
#include "dcl/dialog.h"
#include "dcl/driver.h"
#include "dcl/filedialog.h"
#include "slide/slide_library.h"

namespace cadhost::dcl {

enum class ListOp { Change = 1, Append = 2, New = 3 };

// Finds a DCL file by name and returns its text.
using DclResolver = std::function<Result<std::string>(const std::string& name)>;

inline constexpr const char* kBaseFile = "base.dcl";

class DialogEngine {
public:
    static DialogEngine& instance();
    // Drops the process-wide engine with everything loaded and open.
    static void reset_instance();

    DialogEngine();
    ~DialogEngine();
    DialogEngine(const DialogEngine&) = delete;
    DialogEngine& operator=(const DialogEngine&) = delete;

    // Connections to the host.
    void set_dcl_resolver(DclResolver r) { m_resolver = std::move(r); }
    void set_slide_reader(slide::FileReader r) { m_slide_reader = std::move(r); }
    void set_input(InputSource* in) { m_input = in; }
    void set_output(std::ostream* out);
    void set_file_checks(FileChecks c) { m_checks = std::move(c); }
    void set_test_hooks(TestHooks h) { m_hooks = std::move(h); }
    void clear_test_hooks() { m_hooks = {}; }
    // Writes a message (such as a DCL error with file and line) to the output.
    void report(const std::string& message);

    // DCL files; the base file is read once and serves every file.
    Result<int> load_dialog(const std::string& file);
    Status unload_dialog(int id);

    // Dialog lifecycle.
    Result<Dialog*> new_dialog(const std::string& name, int id, Callback default_action, long x = -1, long y = -1);
    Result<int> start_dialog(Dialog* d);
    Status done_dialog(Dialog* d, int status, long* x = nullptr, long* y = nullptr);
    void term_dialog();
    bool is_open(const Dialog* d) const;
    // Handles for the C interface: a dialog's serial, not its address, so a
    // handle of a closed dialog never reaches a newer one.
    void* handle_of(const Dialog* d) const;
    Dialog* open_dialog(const void* handle) const;  // nullptr unless an open dialog
    const Tile* open_tile(const void* handle) const;
    Dialog* current() const { return m_stack.empty() ? nullptr : m_stack.back(); }

    // Filling a list: start, add items, end; nothing changes before the end.
    Status start_list(Dialog* d, const std::string& key, int op, int index);
    Status add_list(const std::string& item);
    Status end_list();

    // Drawing an image: start, draw, end; the drawing is kept in the tile.
    Status start_image(Dialog* d, const std::string& key);
    Status fill_image(int x, int y, int w, int h, int color);
    Status vector_image(int x1, int y1, int x2, int y2, int color);
    Status slide_image(int x, int y, int w, int h, const std::string& slide_name);
    Status end_image();

    Result<std::optional<std::string>> get_filed(const FiledRequest& r, FiledMode mode);

private:
    struct Loaded;
    struct PendingList {
        Dialog* dialog = nullptr;
        std::string key;
        ListOp op = ListOp::New;
        int index = 0;
        std::vector<std::string> items;
    };
    struct PendingImage {
        Dialog* dialog = nullptr;
        std::string key;
        slide::ImageOps ops;
    };
    Result<DclFile> read_file(const std::string& name, std::vector<std::string>& chain, Loaded& into);
    const TileDef* lookup(const Loaded& l, const std::string& name) const;
    std::unique_ptr<Driver> make_driver();
    void run_driver(Dialog& d);
    void remove(Dialog* d);

    DclResolver m_resolver;
    slide::FileReader m_slide_reader;
    InputSource* m_input = nullptr;
    std::ostream* m_out;
    FileChecks m_checks;
    TestHooks m_hooks;
    std::optional<DclFile> m_base;
    std::vector<std::unique_ptr<Loaded>> m_loaded;
    int m_next_id = 1;
    uint64_t m_next_serial = 1;
    std::vector<std::unique_ptr<Dialog>> m_dialogs;
    std::vector<Dialog*> m_stack;  // started dialogs, innermost last
    std::unique_ptr<PendingList> m_list;
    std::unique_ptr<PendingImage> m_image;
};

}  // namespace cadhost::dcl
