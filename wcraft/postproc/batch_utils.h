// The batch utilities of the PROCESS menu: a generated script that opens
// every drawing of the project in turn and plots it, or runs the user's
// script lines on it.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "project/project_config.h"

namespace wcraft {

// PROCESS BATCHPLOT. Returns 1.
int batch_plot();
// PROCESS USERSCRIPT. Returns 1.
int user_script();

// The drawings a batch utility visits, by the project's identification
// mode: paths without extension, in script order.
struct BatchDrawings {
    std::vector<std::string> paths;
    std::string missing;  // FILENAME mode: the first listed drawing not found
    bool failed = false;  // the walk cannot give the project's drawings
};
BatchDrawings batch_drawings(const ProjectConfig& c);

// Copies a script fragment into `script`, one line per fragment line: a
// line that is exactly ";" becomes an empty line (an Enter), a line longer
// than 129 characters is cut. False when the fragment cannot be opened.
bool copy_fragment(const std::string& path, FILE* script);

}  // namespace wcraft
