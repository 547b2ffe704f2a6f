// An in-process host session for run control and write-back tests: the
// host's command line and AutoLISP behind the module's calls, drive C on
// a scratch folder holding the install directory and a project folder,
// drawings written from DXF text, the command line captured.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cmd/commandline.h"
#include "cmd/dialog_host.h"
#include "cmd/lisp_host.h"
#include "host/session.h"

namespace wcraft::test {

// DXF text of entities and a whole drawing.
std::string dxf_line(const std::string& layer, double x1, double y1, double x2, double y2);
std::string dxf_text(const std::string& layer, double x, double y, const std::string& value);
std::string dxf_insert(const std::string& block, const std::string& layer, double x, double y);
// A text style table of one style.
std::string dxf_style(const std::string& name, double width);
// A drawing with these entities, a layer table of the layers they use and
// any other tables given; `blocks` get a small definition each.
std::string dxf_drawing(const std::string& entities, const std::vector<std::string>& blocks = {},
                        const std::string& style_tables = "");

// An entity of the open drawing as the tests look at it.
struct Ent {
    std::string type, layer, text, block;
    double x = 0, y = 0, height = 0, width = 0;
};

class PostprocTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path scratch() const { return m_dir; }
    // Host path of a Windows path on drive C.
    std::filesystem::path on_c(const std::string& rel) const { return m_dir / rel; }
    void write_file(const std::string& rel, const std::string& text);
    std::string read_file(const std::string& rel) const;
    // Opens a drawing file written from DXF text at C:\PROJ\<name>.
    void open_drawing(const std::string& name, const std::string& dxf);
    // Every entity of the open drawing in database order.
    std::vector<Ent> entities();
    std::vector<Ent> entities_of(const std::string& type, const std::string& layer);
    // Lisp variable helpers.
    void set_short(const char* name, int v);
    void set_string(const char* name, const char* v);
    int get_short(const char* name);
    // Turns every optional step of a run off but the audit, which is
    // `audit` (0 or 1).
    void steps_off_but_audit(int audit);
    // Lines typed at later prompts (dialog actions, answers).
    void type(const std::string& lines) { m_in << lines; }

    std::unique_ptr<cadhost::host::Session> session;
    std::unique_ptr<cadhost::cmd::CommandLine> cl;
    std::unique_ptr<cadhost::cmd::LispBinding> lisp;
    std::unique_ptr<cadhost::cmd::DialogBinding> dialogs;
    std::string out;  // command line

private:
    std::filesystem::path m_dir, m_cwd;
    std::stringstream m_in;
};

}  // namespace wcraft::test
