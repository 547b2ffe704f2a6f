// Text helpers and the name checks every dialog and file uses.
#pragma once

#include <string>

namespace symvault {

// At most n characters of s.
std::string bounded(const std::string& s, size_t n);
std::string upper(std::string s);
std::string lower(std::string s);
// Cuts at the first line feed, then drops the trailing run of blanks.
std::string line_text(std::string s);
std::string trim_trailing_blanks(std::string s);
// "%.3f", whole however long
std::string number_text(double v);
// The value as a library file keeps it: what number_text writes, read back.
double kept_number(double v);
// Case-insensitive equality of two names.
bool same_name(const std::string& a, const std::string& b);

enum NameCheck { NAME_OK = 0, NAME_EMPTY = 1, NAME_TOO_LONG = 2, NAME_BAD_CHAR = 3 };
// Symbol and library names: upper-cases `name` in place, then checks it
// against the platform's maximum length and the allowed characters.
NameCheck check_name(std::string& name, int max_length);
// 1 when a layer name is not empty and made of allowed characters.
int check_layer_name(const std::string& name);
// 1 when the text is digits with at most one ".", no sign.
int check_number(const std::string& text);

}  // namespace symvault
