#include "framework/graphics/DescParser.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// Records every command as text, with the line it began on.
class RecordingParser : public DescParser {
public:
  std::vector<std::string> mCommands;
  std::vector<int> mLines;
  int mErrorLine = -1;
  std::string mStopAt;  // a command word that fails

  bool HandleCommand(const ListDataElement& params) override {
    mCommands.push_back(DataElementToString(&params));
    mLines.push_back(mCurrentLine);
    if (!mStopAt.empty() && DataElementToString(params.At(0)) == mStopAt) return Error("stop");
    return true;
  }
  bool Error(const std::string& message) override {
    mErrorLine = mCurrentLine;
    return DescParser::Error(message);
  }

  bool LoadText(const std::string& text) {
    Testing::TempDir dir;
    Testing::WriteFile(dir / "script.txt", text);
    return LoadDescriptor(dir / "script.txt");
  }
  void Define(const std::string& name, DataElement* value) { mDefineMap[name].reset(value); }
};

std::unique_ptr<SingleDataElement> Tok(const char* text) { return std::make_unique<SingleDataElement>(text); }

struct ScriptCase {
  const char* name;
  const char* text;
  std::vector<std::string> commands;
  const char* error;  // null when loading succeeds
};

TEST(DescParser, CommandsTokensAndErrors) {
  const ScriptCase cases[] = {
      {"semicolon ends a command", "A 1;B 2;", {"(A, 1)", "(B, 2)"}, nullptr},
      {"quoted semicolon", "A 'x;y' B;", {"(A, 'x;y', B)"}, nullptr},
      {"double quoted", "A \"x;(y)\";", {"(A, \"x;(y)\")"}, nullptr},
      {"list between words", "A (1, 2) B;", {"(A, (1, 2), B)"}, nullptr},
      {"nested lists", "A ((1 2) (3 4));", {"(A, ((1, 2), (3, 4)))"}, nullptr},
      {"commas and blanks separate", "A 1,,2\t3\n4;", {"(A, 1, 2, 3, 4)"}, nullptr},
      {"list then word", "A (1)B;", {"(A, (1), B)"}, nullptr},
      {"last command without semicolon", "A 1", {"(A, 1)"}, nullptr},
      {"commands span lines", "A\n 1\n2;", {"(A, 1, 2)"}, nullptr},
      {"comment line", "# A 1;\nB;", {"(B)"}, nullptr},
      {"indented comment", "   # A;\nB;", {"(B)"}, nullptr},
      {"hash later is ordinary", "A #b;", {"(A, #b)"}, nullptr},
      {"carriage returns ignored", "A\r\n1;\r\n", {"(A, 1)"}, nullptr},
      {"empty commands", ";;  ;\n;", {}, nullptr},
      {"escape in quotes", "A 'it\\'s;' B;", {"(A, 'it's;', B)"}, nullptr},
      {"escape outside quotes", "A x\\ y\\(;", {"(A, x y()"}, nullptr},
      {"list start after word", "A(1);", {}, "Unexpected List Start"},
      {"stray list end", "A 1);", {}, "Unexpected List End"},
      {"unterminated single", "A 'abc;", {}, "Unterminated Single Quotes"},
      {"unterminated double", "A \"abc;", {}, "Unterminated Double Quotes"},
      {"unterminated list", "A (1 2;", {}, "Unterminated List"},
      {"missing command", "(1) A;", {}, "Missing Command"},
      {"first error stops", "A;B(1);C;", {"(A)"}, "Unexpected List Start"},
      {"deep nesting refused", "A ((((((((((((((((((((((((((((((((((1))))))))))))))))))))))))))))))))));", {},
       "List Nested Too Deeply"},
  };
  for (const auto& c : cases) {
    RecordingParser p;
    const bool ok = p.LoadText(c.text);
    EXPECT_EQ(ok, c.error == nullptr) << c.name;
    EXPECT_EQ(p.mCommands, c.commands) << c.name;
    EXPECT_EQ(p.mError, c.error ? c.error : "") << c.name;
  }
}

TEST(DescParser, LineNumbersAndStopping) {
  RecordingParser p;
  EXPECT_TRUE(p.LoadText("A;\n\n  B\n;C;\n# x\nD 1;"));
  EXPECT_EQ(p.mLines, (std::vector<int>{1, 3, 4, 6}));
  EXPECT_EQ(p.mCurrentLine, 0);
  EXPECT_EQ(p.mCurrentLineText, "");

  RecordingParser stop;
  stop.mStopAt = "B";
  EXPECT_FALSE(stop.LoadText("A;\nB 1;\nC;"));
  EXPECT_EQ(stop.mCommands, (std::vector<std::string>{"(A)", "(B, 1)"}));
  EXPECT_EQ(stop.mErrorLine, 2);
  EXPECT_EQ(stop.mError, "stop");

  RecordingParser bad;
  EXPECT_FALSE(bad.LoadText("A;\n\nB (1;"));
  EXPECT_EQ(bad.mErrorLine, 3);
}

TEST(DescParser, NewCommandOnUnindentedLine) {
  RecordingParser p;
  p.mCmdSepFlags = DescParser::CMDSEP_NO_INDENT;
  EXPECT_TRUE(p.LoadText("A 1\n  2;3\nB\n\tC\n"));
  EXPECT_EQ(p.mCommands, (std::vector<std::string>{"(A, 1, 2;3)", "(B, C)"}));
}

TEST(DescParser, MissingFileFailsWithoutText) {
  RecordingParser p;
  EXPECT_FALSE(p.LoadDescriptor("/nonexistent/font.txt"));
  EXPECT_EQ(p.mError, "");
  EXPECT_TRUE(p.mCommands.empty());
}

TEST(DescParser, ImmediateAndUnquote) {
  for (const char* s : {"1", "-x", "+2", "'a'", "\"b\"", "9z"}) EXPECT_TRUE(DescParser::IsImmediate(s)) << s;
  for (const char* s : {"", "a1", "_1", "(", "#"}) EXPECT_FALSE(DescParser::IsImmediate(s)) << s;

  const std::pair<const char*, const char*> unquote[] = {
      {"plain", "plain"}, {"'abc'", "abc"}, {"\"abc\"", "abc"}, {"'it''s'", "it's"},
      {"'a\"b'", "a\"b"}, {"'x'''", "x''"}, {"'", ""}, {"'open", "open"},
  };
  for (const auto& [in, out] : unquote) EXPECT_EQ(DescParser::Unquote(in), out) << in;
}

TEST(DescParser, Converters) {
  RecordingParser p;
  p.Define("NUM", new SingleDataElement("0x10"));
  p.Define("TEXT", new SingleDataElement("'hello'"));
  auto* list = new ListDataElement();
  list->Add(new SingleDataElement("1"));
  list->Add(new SingleDataElement("2"));
  p.Define("PAIR", list);

  std::string s;
  EXPECT_TRUE(p.DataToString(Tok("'q''x'").get(), &s));
  EXPECT_EQ(s, "q'x");
  EXPECT_TRUE(p.DataToString(Tok("text").get(), &s));
  EXPECT_EQ(s, "hello");
  EXPECT_FALSE(p.DataToString(Tok("pair").get(), &s));
  EXPECT_FALSE(p.DataToString(list, &s));
  EXPECT_FALSE(p.DataToString(Tok("nothing").get(), &s));
  EXPECT_EQ(p.mError, "Unable to Dereference \"nothing\"");

  // A list dereferences its names; a name that stands for a list gives a copy.
  ListDataElement src;
  src.Add(new SingleDataElement("Num"));
  src.Add(new SingleDataElement("'a b'"));
  src.Add(new SingleDataElement("-3"));
  src.Add(new SingleDataElement("pair"));
  ListDataElement out;
  ASSERT_TRUE(p.DataToList(&src, &out));
  EXPECT_EQ(DescParser::DataElementToString(&out), "(0x10, a b, -3, (1, 2))");
  ASSERT_TRUE(p.DataToList(Tok("PAIR").get(), &out));
  EXPECT_EQ(DescParser::DataElementToString(&out), "(1, 2)");
  EXPECT_FALSE(p.DataToList(Tok("num").get(), &out));
  p.mError.clear();
  EXPECT_FALSE(p.DataToList(Tok("undefined").get(), &out));
  EXPECT_EQ(p.mError, "Unable to Dereference \"undefined\"");

  std::vector<int> ints;
  ListDataElement numbers;
  for (const char* n : {"num", "-12", "0X7f", "3"}) numbers.Add(new SingleDataElement(n));
  ASSERT_TRUE(p.DataToIntVector(&numbers, &ints));
  EXPECT_EQ(ints, (std::vector<int>{16, -12, 127, 3}));
  numbers.Add(new SingleDataElement("1.5"));
  EXPECT_FALSE(p.DataToIntVector(&numbers, &ints));

  std::vector<double> doubles;
  ListDataElement reals;
  for (const char* n : {"1", "0.5", "-0.25"}) reals.Add(new SingleDataElement(n));
  ASSERT_TRUE(p.DataToDoubleVector(&reals, &doubles));
  EXPECT_EQ(doubles, (std::vector<double>{1.0, 0.5, -0.25}));
  reals.Add(new SingleDataElement("1e3"));
  EXPECT_FALSE(p.DataToDoubleVector(&reals, &doubles));

  std::vector<std::string> strings;
  EXPECT_FALSE(p.DataToStringVector(&src, &strings));  // holds a list
}

TEST(DescParser, DereferenceCannotExplode) {
  // Each definition doubles the one before; a copy that grows past the
  // limit is refused instead of exhausting memory.
  RecordingParser p;
  p.Define("A0", new SingleDataElement("1"));
  for (int i = 1; i < 24; ++i) {
    ListDataElement twice;
    twice.Add(new SingleDataElement("A" + std::to_string(i - 1)));
    twice.Add(new SingleDataElement("A" + std::to_string(i - 1)));
    ListDataElement* out = new ListDataElement();
    if (!p.DataToList(&twice, out)) {
      delete out;
      EXPECT_EQ(p.mError, "List Too Large");
      return;
    }
    p.Define("A" + std::to_string(i), out);
  }
  FAIL() << "no limit reached";
}

TEST(DataElement, DuplicateIsDeep) {
  ListDataElement a;
  auto* inner = new ListDataElement();
  inner->Add(new SingleDataElement("x"));
  a.Add(inner);
  ListDataElement b(a);
  static_cast<SingleDataElement*>(inner->At(0))->mString = "changed";
  EXPECT_EQ(DescParser::DataElementToString(&b), "((x))");
  b = a;
  EXPECT_EQ(DescParser::DataElementToString(&b), "((changed))");
  std::unique_ptr<DataElement> c(a.Duplicate());
  EXPECT_TRUE(c->mIsList);
}

}  // namespace
}  // namespace Plix
