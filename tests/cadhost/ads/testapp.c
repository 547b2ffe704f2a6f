/* A small application for the loader tests: reports its messages, keeps a
   counter across drawings, registers a command, a function and a direct
   handler, and draws a line. Written in C to keep the headers honest. */
#include <stdio.h>
#include <stdlib.h>

#include "acrx.h"
#include "ads.h"

static int g_calls = 0;

static int direct_handler(void) {
    ads_printf("\ntestapp: direct handler");
    ads_retvoid();
    return RTNORM;
}

static void do_hello(void) {
    ads_point a = {0.0, 0.0, 0.0}, b = {10.0, 5.0, 0.0};
    struct resbuf* line = ads_buildlist(RTDXF0, "LINE", 8, "TESTAPP", 10, a, 11, b, 0);
    int made = ads_entmake(line);
    ads_relrb(line);
    ++g_calls;
    ads_printf("\ntestapp: hello %d, line %s\n", g_calls, made == RTNORM ? "made" : "failed");
    ads_retvoid();
}

static void do_twice(void) {
    struct resbuf* args = ads_getargs();
    if (args && args->restype == RTSHORT) ads_retint(args->resval.rint * 2);
    else ads_retnil();
    ads_relrb(args);
}

/* Asks for a start point, then draws a line ten units long with LINE. */
static void do_addline(void) {
    ads_point a, b;
    int r = ads_getpoint(NULL, "\nStart point: ", a);
    if (r == RTCAN) {
        ads_printf("\ntestapp: addline cancelled\n");
        ads_retvoid();
        return;
    }
    b[X] = a[X] + 10.0, b[Y] = a[Y], b[Z] = a[Z];
    r = ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
    ads_printf("\ntestapp: addline %s\n", r == RTNORM ? "done" : "failed");
    ads_retvoid();
}

static int cmdactive(void) {
    struct resbuf rb;
    if (ads_getvar("CMDACTIVE", &rb) != RTNORM) return -1;
    return rb.resval.rint;
}

/* Leaves LINE waiting for more points, then ends it with a second call. */
static void do_half(void) {
    ads_point a = {0.0, 0.0, 0.0}, b = {3.0, 4.0, 0.0};
    ads_command(RTSTR, "_.LINE", RT3DPOINT, a, RT3DPOINT, b, 0);
    int during = cmdactive();
    ads_command(RTSTR, "", 0);
    ads_printf("\ntestapp: cmdactive %d then %d\n", during, cmdactive());
    ads_retvoid();
}

/* Draws a line and saves the drawing with QSAVE. */
static void do_saveit(void) {
    ads_point a = {1.0, 1.0, 0.0}, b = {2.0, 2.0, 0.0};
    struct resbuf* line = ads_buildlist(RTDXF0, "LINE", 10, a, 11, b, 0);
    ads_entmake(line);
    ads_relrb(line);
    ++g_calls;
    int r = ads_command(RTSTR, "_.QSAVE", 0);
    ads_printf("\ntestapp: saved %s, calls %d\n", r == RTNORM ? "ok" : "failed", g_calls);
    ads_retvoid();
}

/* Interactive selection: the user answers "Select objects: ". */
static void do_pick(void) {
    ads_name ss;
    long n = 0;
    int r = ads_ssget(NULL, NULL, NULL, NULL, ss);
    if (r == RTNORM) {
        ads_sslength(ss, &n);
        ads_ssfree(ss);
    }
    ads_printf("\ntestapp: picked %ld (%s)\n", n, r == RTNORM ? "ok" : "none");
    ads_retvoid();
}

/* One entity picked with entsel, then a file name asked with getfiled. */
static void do_pickfile(void) {
    ads_name e;
    ads_point at = {0.0, 0.0, 0.0};
    int r = ads_entsel("Pick one: ", e, at);
    ads_printf("\ntestapp: entsel %s at %.1f,%.1f\n", r == RTNORM ? "ok" : r == RTCAN ? "cancelled" : "missed", at[X], at[Y]);
    struct resbuf name;
    name.resval.rstring = NULL;
    r = ads_getfiled("Drawing to use", "", "dxf", 0, &name);
    ads_printf("\ntestapp: getfiled %s \"%s\"\n", r == RTNORM ? "ok" : r == RTCAN ? "cancelled" : "failed",
               r == RTNORM && name.resval.rstring ? name.resval.rstring : "");
    if (r == RTNORM) free(name.resval.rstring);
    ads_retvoid();
}

static void register_functions(void) {
    ads_defun("C:PICKFILE", 7);
    ads_defun("C:PICK", 6);
    ads_defun("C:ADDLINE", 3);
    ads_defun("C:HALF", 4);
    ads_defun("C:SAVEIT", 5);
    ads_defun("C:HELLO", 0);
    ads_defun("TWICE", 1);
    ads_defun("C:DIRECT", 2);
    ads_regfunc(direct_handler, 2);
}

int acrxEntryPoint(int msg, void* app) {
    (void)app;
    switch (msg) {
    case kInitAppMsg: ads_printf("\ntestapp: init"); break;
    case kLoadDwgMsg:
        ads_printf("\ntestapp: load drawing (calls so far %d)", g_calls);
        register_functions();
        break;
    case kUnloadDwgMsg: ads_printf("\ntestapp: unload drawing"); break;
    case kInvkSubrMsg:
        switch (ads_getfuncode()) {
        case 0: do_hello(); break;
        case 1: do_twice(); break;
        case 3: do_addline(); break;
        case 4: do_half(); break;
        case 5: do_saveit(); break;
        case 6: do_pick(); break;
        case 7: do_pickfile(); break;
        default: break;
        }
        break;
    case kUnloadAppMsg: ads_printf("\ntestapp: unload app"); break;
    case kEndMsg: ads_printf("\ntestapp: end"); break;
    case kQuitMsg: ads_printf("\ntestapp: quit"); break;
    default: break;
    }
    return 0;
}

int acrxGetApiVersion(void) { return ACRX_API_VERSION; }
