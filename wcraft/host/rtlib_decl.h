// Runtime file layer of the host, declared here for builds against a host
// whose own header is not installed; the host header wins when present.
#pragma once

#include <cstdio>

extern "C" {
struct rt_finddata_t {
    unsigned attrib;
    long long time_write;
    long long size;
    char name[260];
};
#define RT_A_NORMAL 0x00
#define RT_A_RDONLY 0x01
#define RT_A_SUBDIR 0x10

FILE* rt_fopen(const char* path, const char* mode);
int rt_remove(const char* path);
int rt_rename(const char* from, const char* to);
int rt_access(const char* path, int mode);
int rt_mkdir(const char* path);
long rt_findfirst(const char* pattern, struct rt_finddata_t* data);
int rt_findnext(long handle, struct rt_finddata_t* data);
int rt_findclose(long handle);
}
