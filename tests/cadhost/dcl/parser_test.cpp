// DCL parsing: syntax, errors with file and line, inheritance, includes and
// the base file of standard tiles.
#include <filesystem>

#include "dcl/parser.h"
#include "dcl/tile.h"
#include "fixture.h"

using namespace cadhost::dcl;
using dcltest::DialogTest;

namespace {

cadhost::Result<std::unique_ptr<Tile>> build(const DclFile& f, const std::string& name) {
    const TileDef* d = f.find(name);
    if (!d) return cadhost::Error{"missing " + name};
    return instantiate(*d, [&](const std::string& n) { return f.find(n); });
}

}  // namespace

TEST(DclParser, ReadsDefinitionsAttributesChildrenAndComments) {
    auto f = parse_dcl(R"(// a comment
/* a block
   comment */ d : dialog { label = "A \"q\""; width = 20.5; fixed_width = true;
  : row { : button { key = "b"; } }
  ok_cancel;
}
)", "t.dcl");
    ASSERT_TRUE(f.ok()) << f.error().what();
    const TileDef* d = f->find("d");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->line, 3);
    ASSERT_EQ(d->attrs.size(), 3u);
    EXPECT_EQ(d->attrs[0].second, (AttrValue{ValueKind::String, "A \"q\""}));
    EXPECT_EQ(d->attrs[1].second, (AttrValue{ValueKind::Number, "20.5"}));
    EXPECT_EQ(d->attrs[2].second, (AttrValue{ValueKind::Name, "true"}));
    ASSERT_EQ(d->children.size(), 2u);
    EXPECT_EQ(d->children[0].base, "row");
    EXPECT_EQ(d->children[1].base, "ok_cancel");
    EXPECT_EQ(d->children[1].line, 5);
}

TEST(DclParser, ErrorsNameFileAndLine) {
    struct Case {
        const char* text;
        long line;
    } cases[] = {
        {"d : dialog {\n  label = \"x\"\n  width = 3;\n}\n", 3},        // missing ';'
        {"d : dialog {\n\n  label = \"open;\n}\n", 3},                   // string runs to line end
        {"d : dialog {\n}\n/* never closed\n\n", 3},                       // comment from line 3
        {"d : dialog {\n  : button { key = \"a\"; }\n", 3},               // body not closed
        {"d dialog { }\n", 1},                                            // missing ':'
        {"d : dialog {\n  key = ;\n}\n", 2},                              // missing value
        {"d : dialog {\n  $ \n}\n", 2},                                   // stray character
    };
    for (const Case& c : cases) {
        auto f = parse_dcl(c.text, "bad.dcl");
        ASSERT_FALSE(f.ok()) << c.text;
        EXPECT_EQ(f.error().file, "bad.dcl");
        EXPECT_EQ(f.error().line, c.line) << c.text << " -> " << f.error().what();
    }
}

TEST(DclParser, InheritanceOverridesAttributesAndKeepsBaseChildrenFirst) {
    auto f = parse_dcl(R"(
proto : button { label = "P"; width = 4; }
box : column { : text { key = "t"; } }
d : dialog { : proto { label = "Mine"; } : box { : button { key = "b"; } } }
loop1 : loop2 { }
loop2 : loop1 { }
uses_loop : dialog { loop1; }
bad : dialog { : no_such_tile { } }
)", "i.dcl");
    ASSERT_TRUE(f.ok()) << f.error().what();
    auto d = build(*f, "d");
    ASSERT_TRUE(d.ok()) << d.error().what();
    const Tile& p = *(*d)->children[0];
    EXPECT_EQ(p.kind, TileKind::Button);
    EXPECT_EQ(p.attr("label"), "Mine");
    EXPECT_EQ(p.attr("width"), "4");
    const Tile& box = *(*d)->children[1];
    ASSERT_EQ(box.children.size(), 2u);
    EXPECT_EQ(box.children[0]->key(), "t");
    EXPECT_EQ(box.children[1]->key(), "b");
    EXPECT_EQ(box.children[1]->parent, &box);
    auto loop = build(*f, "uses_loop");
    ASSERT_FALSE(loop.ok());
    auto bad = build(*f, "bad");
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().line, 8);
    EXPECT_NE(bad.error().message.find("no_such_tile"), std::string::npos);
}

TEST_F(DialogTest, BaseFileProvidesTheStandardTiles) {
    auto f = parse_dcl(m_files["base.dcl"], "base.dcl");
    ASSERT_TRUE(f.ok()) << f->name;
    for (const char* name : {"ok_only", "ok_cancel", "ok_cancel_help", "ok_cancel_help_errtile", "errtile",
                             "spacer_0", "spacer_1", "ok_button", "cancel_button", "help_button"})
        EXPECT_NE(f->find(name), nullptr) << name;
    auto t = build(*f, "ok_cancel_help_errtile");
    ASSERT_TRUE(t.ok()) << t.error().what();
    std::vector<std::string> keys;
    std::function<void(const Tile&)> walk = [&](const Tile& x) {
        if (!x.key().empty()) keys.push_back(x.key());
        for (auto& c : x.children) walk(*c);
    };
    walk(**t);
    EXPECT_EQ(keys, (std::vector<std::string>{"accept", "cancel", "help", "error"}));
}

TEST(DclParser, EveryDialogFileOfTheProjectParses) {
    namespace fs = std::filesystem;
    int count = 0;
    for (const char* dir : {"/support", "/symvault", "/wcraft"}) {
        fs::path root = std::string(CH_SOURCE_DIR) + dir;
        if (!fs::exists(root)) continue;
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            std::string ext = e.path().extension().string();
            if (ext != ".dcl" && ext != ".DCL") continue;
            auto f = parse_dcl(dcltest::read_text(e.path().string()), e.path().filename().string());
            EXPECT_TRUE(f.ok()) << f.error().what();
            ++count;
        }
    }
    EXPECT_GE(count, 1);
}

TEST_F(DialogTest, IncludesAreFollowedAndLoopsRefused) {
    m_files["main.dcl"] = "@include \"parts.dcl\"\nd : dialog { my_row; ok_only; }\n";
    m_files["parts.dcl"] = "include \"more.dcl\";\nmy_row : row { : my_button { key = \"x\"; } }\n";
    m_files["more.dcl"] = "#include \"base.dcl\"\nmy_button : button { label = \"M\"; }\n";
    auto id = engine().load_dialog("main.dcl");
    ASSERT_TRUE(id.ok()) << id.error().what();
    auto d = engine().new_dialog("d", *id, {});
    ASSERT_TRUE(d.ok()) << d.error().what();
    EXPECT_EQ((*d)->get_attr("x", "label").value(), "M");
    EXPECT_TRUE((*d)->find("accept"));

    m_files["a.dcl"] = "@include \"b.dcl\"\n";
    m_files["b.dcl"] = "@include \"a.dcl\"\n";
    EXPECT_FALSE(engine().load_dialog("a.dcl").ok());
    m_files["broken.dcl"] = "d : dialog {\n  label = \"x\";\n  :: button {}\n}\n";
    auto broken = engine().load_dialog("broken.dcl");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().what().substr(0, 13), "broken.dcl:3:");
    EXPECT_FALSE(engine().load_dialog("missing.dcl").ok());
}

TEST(DclParser, HostileFilesAreRefusedNotRecursedInto) {
    std::string deep = "d : dialog {";
    for (int i = 0; i < 100000; ++i) deep += ": row {";
    auto f = parse_dcl(deep, "deep.dcl");
    ASSERT_FALSE(f.ok());
    EXPECT_NE(f.error().message.find("nested too deeply"), std::string::npos);

    // Each level doubles the tiles: 2^30 of them if built.
    std::string doubling = "t0 : button { }\n";
    for (int i = 1; i <= 30; ++i)
        doubling += "t" + std::to_string(i) + " : row { t" + std::to_string(i - 1) + "; t" + std::to_string(i - 1) + "; }\n";
    doubling += "d : dialog { t30; }\n";
    auto g = parse_dcl(doubling, "big.dcl");
    ASSERT_TRUE(g.ok());
    auto t = build(*g, "d");
    ASSERT_FALSE(t.ok());
    EXPECT_NE(t.error().message.find("too many tiles"), std::string::npos);
}
