// Character-class checks for names typed by the user. Each returns 1 when
// the text is valid and 0 otherwise; the file and directory checks
// upper-case the text in place first, whatever the outcome.
#pragma once

namespace wcraft {

int is_valid_text(const char* s);   // A-Z a-z 0-9 _ and space; not empty
int is_valid_ident(const char* s);  // A-Z a-z 0-9 _; not empty
int is_valid_real(const char* s);   // 0-9 and at most one "."; not empty
int is_valid_int(const char* s);    // 0-9; not empty
int is_valid_file(char* s);         // A-Z 0-9 _ after upper-casing; not empty
int is_valid_dir(char* s);          // : \ A-Z 0-9 _ after upper-casing; empty is valid
void str_upper(char* s);

}  // namespace wcraft
