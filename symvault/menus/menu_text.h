// The menu texts generated for the libraries: toolbar buttons, the
// pull-down section of the user's menu and the LT menu with its data
// sheet. Lines are handled without their line ends. Nothing here calls the host.
#pragma once

#include <string>
#include <vector>

#include "library/records.h"
#include "library/registry_rows.h"

namespace symvault {

// A text as a menu label: "(" and "[" become "<", ")" and "]" become ">",
// "&" becomes "/", "," a blank.
std::string clean_label(const std::string& text);

// The bitmap of a library's toolbar button: the first 7 characters of its
// name, then `size` ('S' or 'L'), ".BMP".
std::string bitmap_name(const std::string& library, char size);

std::string toolbar_line(const AvailableLibrary& lib);
std::string help_string_line(const AvailableLibrary& lib);
// The LIBRARIES entries of the pull-down section, with the separator and
// the update item after them.
std::vector<std::string> pulldown_lines(const std::vector<AvailableLibrary>& libs);

// Does `line` begin with `marker`, without regard to case?
bool begins_with(const std::string& line, const std::string& marker);

// The toolbar menu from its template: the toolbar lines of the shown
// libraries in place of the line beginning "//BEGIN_TOOLBAR", their help
// strings in place of the one beginning "//BEGIN_HELPSTRING".
std::vector<std::string> toolbar_menu(const std::vector<std::string>& template_lines,
                                      const std::vector<AvailableLibrary>& libs);

struct MenuUpdate {
    int error = 0;  // 5107 when the menu has no place for the section
    std::vector<std::string> lines;
};
// The user's menu with its SYMVAULT pull-down section written anew (an
// earlier one replaced) from the section template and the shown libraries.
MenuUpdate update_menu(const std::vector<std::string>& menu, const std::vector<std::string>& section_template,
                       const std::vector<AvailableLibrary>& libs);

struct LtMenu {
    std::string menu;   // the library's ".MNU"
    std::string sheet;  // its ".LST" data sheet
};
// The LT menu of one library: image menus per group with its block,
// group and drawing symbols; with `scaling` the host asks for every
// insertion value, else only for the point.
LtMenu lt_menu(const LibraryRecord& lib, bool scaling);

}  // namespace symvault
