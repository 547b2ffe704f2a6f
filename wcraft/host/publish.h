// Publishing the application's AutoLISP variables, and the project banner.
#pragma once

namespace wcraft {

// Sets CMDECHO to 0 and publishes WCRidir, WCRprodir, WCRpname, WCRpdir,
// WCRptitle, WCRfsep, WCRstage and WCRqrun in that order.
void publish_lisp_vars();
// Prints the project banner with the project's name and title.
void print_banner();
// Publishes one string or 16-bit integer AutoLISP variable.
int put_string_sym(const char* name, const char* value);
int put_int_sym(const char* name, int value);

}  // namespace wcraft
