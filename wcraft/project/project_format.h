// The project file's line layout: one value per line, identified only by
// its position. One walk over the fields serves the reader and the writer,
// so both always follow the same layout.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "project/project_config.h"

namespace wcraft {

inline constexpr const char* kProjectHeader = "Wirecraft Project header file!";
inline constexpr const char* kOlderProjectHeader = "DYNAMOHALL 4 Project header file!";
inline constexpr const char* kProjectVersion = "Ver2.0";
inline constexpr const char* kProjectFooter = "End of project file!";
inline constexpr double kLowestVersion = 1.0;
inline constexpr double kHighestVersion = 2.01;
inline constexpr double kWrittenVersion = 2.0;
inline constexpr size_t kMaxLineChars = 129;

// One field of the layout, by how its line is encoded.
class FieldVisitor {
public:
    virtual ~FieldVisitor() = default;
    virtual void text(TextRef t) = 0;
    virtual void integer(int& v) = 0;
    virtual void real(double& v) = 0;
    virtual void pp_mode(int& v) = 0;
    virtual void yes_no(int& v) = 0;
    virtual void enabled(int& v) = 0;
    virtual void file_mode(int& v) = 0;
};

// Visits every field stored between the version line and the footer, in
// file order, for the layout of `version`. Fields an older layout lacks get
// the values that layout implies.
void walk_layout(ProjectConfig& c, double version, FieldVisitor& v);

// Messages the reader prints while it reads.
using ReadLog = std::function<void(const std::string&)>;

// Reads a project file into `c`; returns 0 or the project file error code.
// `c` is written field by field, so callers that must keep the previous
// values on failure pass a copy.
int read_project(FILE* f, ProjectConfig& c, const ReadLog& log);

// Writes the version 2.0 layout; false when any line could not be written.
bool write_project(FILE* f, const ProjectConfig& c);

// One line without its line end, cut to kMaxLineChars; a longer line is
// consumed whole. False at the end of the file.
bool read_text_line(FILE* f, std::string& out);

}  // namespace wcraft
