/* A small application for the loader tests: reports its messages, keeps a
   counter across drawings, registers a command, a function and a direct
   handler, and draws a line. Written in C to keep the headers honest. */
#include <stdio.h>

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

static void register_functions(void) {
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
