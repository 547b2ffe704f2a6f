// The file dialog through each driver and at the command-line prompt.
#include <set>

#include "dcl/drivers.h"
#include "fixture.h"

using namespace cadhost::dcl;
using dcltest::DialogTest;

class FiledTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        engine().set_file_checks({[this](const std::string& p) { return m_existing.count(p) > 0; },
                                  [](const std::string& n) -> std::optional<std::string> { return "lib/" + n; }});
    }
    std::optional<std::string> ask(FiledRequest r, FiledMode mode = FiledMode::Dialog) {
        auto a = engine().get_filed(r, mode);
        EXPECT_TRUE(a.ok());
        return a.ok() ? *a : std::nullopt;
    }
    std::set<std::string> m_existing{"a.dxf", "lib/sym.dxf", "b.txt"};
};

TEST_F(FiledTest, TestHookAnswersWithExtensionAndChecks) {
    std::vector<std::string> answers{"missing", "a", "b.txt"};
    size_t next = 0;
    TestHooks hooks;
    hooks.on_file = [&](const FiledRequest&) -> std::optional<std::string> {
        if (next >= answers.size()) return std::nullopt;
        return answers[next++];
    };
    engine().set_test_hooks(hooks);
    EXPECT_EQ(ask({"Open", "", "dxf", 0}), "a.dxf");  // "missing.dxf" does not exist: asked again
    EXPECT_NE(m_out.str().find("file not found: missing.dxf"), std::string::npos);
    EXPECT_EQ(ask({"Open", "", "dxf", 0}), std::nullopt);  // b.txt has the wrong extension, then cancel
    EXPECT_NE(m_out.str().find("must have the extension: .dxf"), std::string::npos);
    answers = {"b.txt"}, next = 0;
    EXPECT_EQ(ask({"Open", "", "dxf", 4}), "b.txt");
    answers = {"anything at all"}, next = 0;
    EXPECT_EQ(ask({"Name", "", "dxf", 128}), "anything at all");
    answers = {""}, next = 0;
    EXPECT_EQ(ask({"Open", "sym", "dxf", 8}), "lib/sym.dxf");  // default found on the search path

    int asked = 0;
    hooks.on_confirm = [&](const std::string&) { return ++asked > 1; };
    answers = {"a", "a"}, next = 0;
    engine().set_test_hooks(hooks);
    EXPECT_EQ(ask({"Save", "", "dxf", 1}), "a.dxf");  // first refused to replace, then agreed
    EXPECT_EQ(asked, 2);
    answers = {"a"}, next = 0;
    EXPECT_EQ(ask({"Save", "", "dxf", 1 | 32}), "a.dxf");
    EXPECT_EQ(asked, 2);  // no question with the no-replace-warning flag
    answers = {"new"}, next = 0;
    EXPECT_EQ(ask({"Save", "", "dxf", 1}), "new.dxf");
    // A hook that never gives a usable name is cancelled, not asked forever.
    hooks.on_file = [](const FiledRequest&) { return std::optional<std::string>("nope"); };
    engine().set_test_hooks(hooks);
    EXPECT_EQ(ask({"Open", "", "dxf", 0}), std::nullopt);
}

TEST_F(FiledTest, ScriptedAndTerminalDriversAnswer) {
    StringInput in("file a\ncancel\n\"b.txt\"\n\nyes\n");
    engine().set_input(&in);
    EXPECT_EQ(ask({"Open", "", "dxf", 0}), "a.dxf");
    EXPECT_EQ(ask({"Open", "", "dxf", 0}), std::nullopt);
    EXPECT_EQ(ask({"Open", "", "txt", 0}), "b.txt");
    EXPECT_EQ(ask({"Save", "a", "dxf", 1}), "a.dxf");  // empty line: the default; yes to replace
    StringInput term("a\n", true);
    engine().set_input(&term);
    EXPECT_EQ(ask({"Open drawing", "", "dxf", 0}), "a.dxf");
    EXPECT_NE(m_out.str().find("File dialog \"Open drawing\" (*.dxf)"), std::string::npos);
}

TEST_F(FiledTest, PromptAnswersWhenTheDialogIsOffAndTildeOpensIt) {
    StringInput in("a\n");
    engine().set_input(&in);
    EXPECT_EQ(ask({"Enter file name", "d", "dxf", 0}, FiledMode::Prompt), "a.dxf");
    EXPECT_NE(in.prompts().find("Enter file name <d>: "), std::string::npos);
    StringInput tilde("~\n");
    engine().set_input(&tilde);
    TestHooks hooks;
    hooks.on_file = [](const FiledRequest&) { return std::optional<std::string>("b.txt"); };
    engine().set_test_hooks(hooks);
    EXPECT_EQ(ask({"Open", "", "txt", 0}, FiledMode::Prompt), "b.txt");
    StringInput none("");
    engine().set_input(&none);
    EXPECT_EQ(ask({"Open", "", "txt", 0}, FiledMode::Prompt), std::nullopt);
}

// The dialog's folder: a bare name is in it, and a wildcard, "?" or Enter
// without a file to take lists its files.
class FiledFolderTest : public FiledTest {
protected:
    void SetUp() override {
        FiledTest::SetUp();
        m_existing = {"C:\\PRJ\\wcrdemo.prj", "C:\\PRJ\\other.prj"};
        engine().set_file_checks({[this](const std::string& p) { return m_existing.count(p) > 0; }, nullptr,
                                  [this](const std::string& folder, const std::string& pattern) {
                                      m_listed.push_back(folder + "|" + pattern);
                                      return pattern == "*.none" ? std::vector<std::string>{}
                                                                 : std::vector<std::string>{"other.prj", "wcrdemo.prj"};
                                  }});
    }
    std::vector<std::string> m_listed;
};

TEST_F(FiledFolderTest, BareNamesAreInTheDialogsFolderWithTheExtension) {
    StringInput in("wcrdemo\nsub\\x\nC:\\PRJ\\other\n");
    engine().set_input(&in);
    EXPECT_EQ(ask({"Open", "C:\\PRJ\\", "prj", 0}), "C:\\PRJ\\wcrdemo.prj");
    // A name with a folder of its own is taken as it is (and does not exist here).
    EXPECT_EQ(ask({"Open", "C:\\PRJ\\old.prj", "prj", 0}), "C:\\PRJ\\other.prj");
    EXPECT_NE(m_out.str().find("file not found: sub\\x.prj"), std::string::npos) << m_out.str();
}

TEST_F(FiledFolderTest, WildcardsQuestionMarkAndEnterWithoutADefaultList) {
    StringInput in("*.p*\n?\n\n*.none\nwcrdemo\n");
    engine().set_input(&in);
    EXPECT_EQ(ask({"Open", "C:\\PRJ\\", "prj", 0}), "C:\\PRJ\\wcrdemo.prj");
    EXPECT_EQ(m_listed, (std::vector<std::string>{"C:\\PRJ\\|*.p*", "C:\\PRJ\\|*.prj", "C:\\PRJ\\|*.prj", "C:\\PRJ\\|*.none"}));
    EXPECT_NE(m_out.str().find("files matching: *.prj in C:\\PRJ\\\n  other.prj\n  wcrdemo.prj"), std::string::npos)
        << m_out.str();
    EXPECT_NE(m_out.str().find("no files match: *.none in C:\\PRJ\\"), std::string::npos) << m_out.str();
    // Enter with a file as the default takes it, as before.
    StringInput enter("\n");
    engine().set_input(&enter);
    EXPECT_EQ(ask({"Open", "C:\\PRJ\\other.prj", "prj", 0}), "C:\\PRJ\\other.prj");
    EXPECT_EQ(m_listed.size(), 4u);
}
