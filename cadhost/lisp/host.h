// What the interpreter needs from the host: system variables, commands,
// entities and tables, selection sets, input, output, files and the
// functions applications register. Defaults report "not available".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ads_value.h"
#include "core/result.h"
#include "core/value.h"

namespace cadhost::lisp {

enum class InputKind { String, Int, Real, Point, Corner, Dist, Angle, Kword };
enum class Spaces { Ends, Allowed };  // getstring: whether a blank ends the answer

struct InputRequest {
    InputKind kind = InputKind::String;
    std::optional<std::string> prompt;
    std::optional<Point> base;  // getpoint/getdist/getangle base, getcorner corner
    Spaces spaces = Spaces::Ends;
};

enum class InputStatus { Normal, None, Keyword, Cancel, Error };

struct InputReply {
    InputStatus status = InputStatus::None;
    // std::string for strings and keywords, int32_t for getint, double for
    // reals, distances and angles (radians), Point for points.
    GroupValue value;
};

struct SsgetRequest {
    std::string mode;           // "" for interactive selection, "X", "W", "C", "F", "WP", "CP", "L", "P", "I"...
    std::vector<Point> points;  // a picked point, window corners or polygon/fence vertices
    std::optional<GroupList> filter;
};

struct PickReply {
    InputStatus status = InputStatus::None;  // Normal: an entity was picked
    EntityRef entity;
    Point point;          // where it was picked
    std::string keyword;  // for InputStatus::Keyword
};

enum class FileMode { Read, Write, Append };
enum class TableNext { Rewind, Continue };
enum class SearchSetsNext { No, Yes };

struct SourceText {
    std::string path;  // as resolved by the host, for messages
    std::string text;
};

struct ExternalReply {
    int status = rs::Normal;  // rs::Normal, or rs::Error/rs::Cancel from the application
    AdsList result;           // empty: the function returned nothing (nil)
};

class Host {
public:
    virtual ~Host() = default;

    virtual void print(const std::string& text) = 0;
    // A user break (Escape, Ctrl-C) waiting to be noticed; taking it clears
    // it. Loops and function calls poll it so runaway code can be stopped.
    virtual bool take_break();

    virtual std::optional<GroupValue> getvar(const std::string& name);
    // Integers arrive as int32_t, reals as double, points and strings as such.
    virtual Status setvar(const std::string& name, const GroupValue& value);
    // Command arguments as items (strings, shorts/longs, reals, points,
    // entity names, selection sets, nil); an empty list cancels a command in
    // progress. Returns rs::Normal, rs::Error, rs::Reject or rs::Cancel.
    virtual int command(const AdsList& args);

    virtual std::optional<GroupList> entget(EntityRef e, const std::vector<std::string>& apps);
    virtual EntityRef entnext(EntityRef after);  // none: the first entity
    virtual EntityRef entlast();
    virtual bool entmod(const GroupList& groups);
    virtual bool entmake(const GroupList& groups);
    virtual bool entdel(EntityRef e);
    virtual EntityRef handent(const std::string& handle);
    virtual bool regapp(const std::string& name);
    virtual std::optional<GroupList> tblnext(const std::string& table, TableNext from);
    virtual std::optional<GroupList> tblsearch(const std::string& table, const std::string& name,
                                               SearchSetsNext next);

    virtual std::optional<SelSet> ssget(const SsgetRequest& request);
    virtual std::optional<long> sslength(SelSet set);
    virtual EntityRef ssname(SelSet set, long index);
    // Both absent: a new empty set. Entity only: a new set holding it.
    virtual std::optional<SelSet> ssadd(std::optional<EntityRef> e, std::optional<SelSet> set);
    virtual bool ssdel(EntityRef e, SelSet set);
    virtual bool ssmemb(EntityRef e, SelSet set);

    // Control bits and keywords for the next input request only.
    virtual void initget(int bits, const std::string& keywords);
    virtual InputReply get_input(const InputRequest& request);
    // Picks one entity (entsel): prompts, then the entity nearest the point.
    virtual PickReply entsel(const std::optional<std::string>& prompt);

    virtual std::optional<std::string> findfile(const std::string& name);
    // The file dialog (title, default, extension, flags); nullopt on cancel.
    virtual std::optional<std::string> getfiled(const std::string& title, const std::string& def,
                                                const std::string& ext, int flags);
    virtual void alert(const std::string& text);
    // A Lisp source by name, found through the host's file layer (".lsp" is
    // added when the name has no extension).
    virtual Result<SourceText> read_source(const std::string& name);
    virtual std::optional<uint64_t> open_file(const std::string& path, FileMode mode);
    virtual std::optional<std::string> read_line(uint64_t file);
    virtual bool write_text(uint64_t file, const std::string& text);
    virtual bool close_file(uint64_t file);
    virtual Status arxload(const std::string& path);

    virtual ExternalReply call_external(int app, int code, const AdsList& args);
    virtual Result<bool> wcmatch(const std::string& text, const std::string& pattern);
};

}  // namespace cadhost::lisp
