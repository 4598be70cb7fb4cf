#include "framework/resources/XMLParser.h"

#include <gtest/gtest.h>

#include "framework/util/Utilities.h"
#include "tests/resources/PakTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

enum class Encoding { SingleByte, Utf8, Utf16LE, Utf16BE };

// The text as a file of that encoding, with its byte-order mark.
std::string Encode(const std::wstring& text, Encoding e) {
  std::string out;
  switch (e) {
    case Encoding::SingleByte:
      for (wchar_t c : text) out += static_cast<char>(c);
      break;
    case Encoding::Utf8:
      out = "\xEF\xBB\xBF";
      for (wchar_t c : text) {
        if (c < 0x80) {
          out += static_cast<char>(c);
        } else if (c < 0x800) {
          out += static_cast<char>(0xC0 | c >> 6);
          out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
          out += static_cast<char>(0xE0 | c >> 12);
          out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
          out += static_cast<char>(0x80 | (c & 0x3F));
        }
      }
      break;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
      bool le = e == Encoding::Utf16LE;
      auto unit = [&](unsigned u) {
        out += static_cast<char>(le ? u & 0xFF : u >> 8);
        out += static_cast<char>(le ? u >> 8 : u & 0xFF);
      };
      unit(0xFEFF);
      for (wchar_t c : text) unit(static_cast<unsigned>(c));
      break;
    }
  }
  return out;
}

const char* const kKindNames[] = {"None", "S", "E", "T", "I", "C"};

struct Result {
  std::vector<std::string> tokens;
  bool failed = false;
  std::string error;
  int line = 0;
};

// Reads every token of a file; each becomes "kind:value" with its
// attributes in reading order, and "|text" when there is a text.
Result Parse(const std::string& path) {
  Result r;
  XMLParser parser;
  if (parser.OpenFile(path)) {
    XMLToken t;
    while (parser.NextToken(t)) {
      std::string s = std::string(kKindNames[static_cast<int>(t.mKind)]) + ":" + WStringToString(t.mValue);
      if (!t.mAttributeOrder.empty()) {
        s += "{";
        for (const auto& name : t.mAttributeOrder)
          s += WStringToString(name) + "=" + WStringToString(t.mAttributes[name]) + ",";
        s.back() = '}';
      }
      if (!t.mText.empty()) s += "|" + WStringToString(t.mText);
      r.tokens.push_back(s);
    }
  }
  r.failed = parser.HasFailed();
  r.error = WStringToString(parser.GetErrorText());
  r.line = parser.GetCurrentLineNum();
  return r;
}

using Tokens = std::vector<std::string>;

class XMLTest : public ::testing::Test {
protected:
  Result ParseText(const std::wstring& text, Encoding e = Encoding::SingleByte) {
    std::string path = mDir / "file.xml";
    Testing::WriteFile(path, Encode(text, e));
    return Parse(path);
  }
  Testing::TempDir mDir;
};

TEST_F(XMLTest, Tokens) {
  struct Case {
    const wchar_t* text;
    Tokens tokens;
    const char* error = "";
  } cases[] = {
      {L"<Image id=\"A\" path=\"x\"/>", {"S:Image{id=A,path=x}", "E:Image"}},
      {L"<Image id=\"A\" path=\"x\" />", {"S:Image{id=A,path=x}", "E:Image"}},
      {L"<Image id=A path=x/>", {"S:Image{id=A,path=x}", "E:Image"}},
      {L"<Foo/><Bar></Bar>", {"S:Foo", "E:Foo", "S:Bar", "E:Bar"}},
      {L"<a x b=\"1\" c></a>", {"S:a{x=,b=1,c=}", "E:a"}},
      {L"<a x=\"1\" y='2' x=\"3\"></a>", {"S:a{x=3,y='2',x=3}", "E:a"}},
      {L"<a t=\"&lt;&amp;&gt;\">&quot;x&quot; &amp; y</a>", {"S:a{t=<&>}", "T:\"x\" & y", "E:a"}},
      {L"<a>  hello   big \n\t world  </a>", {"S:a", "T:hello big world", "E:a"}},
      {L"<a>\n\t  <b/>  \n</a>\n", {"S:a", "S:b", "E:b", "E:a"}},
      {L"<a><!-- a <note> --></a>", {"S:a", "E:a"}},
      {L"<?xml version=\"1.0\"?><a/>", {"I:xml| version=\"1.0\"", "S:a", "E:a"}},
      {L"<?target?>", {"I:target"}},
      {L"<a>say \"<b>\" now</a>", {"S:a", "T:say \"<b>\" now", "E:a"}},
      {L"<a v=\"x > y\" w=\"</a>\"/>", {"S:a{v=x > y,w=</a>}", "E:a"}},
      {L"<a v=\"&lt;\"/>", {"S:a{v=<}", "E:a"}},
      {L"", {}},
      // A value ending in '/' closes the tag, so the written end tag is one
      // too many.
      {L"<a v=\"1/\"></a>", {"S:a{v=1}", "E:a"}, "Unexpected End"},
      {L"</ a>", {}, "Unexpected End"},
  };
  for (const auto& c : cases) {
    Result r = ParseText(c.text);
    EXPECT_EQ(r.error, c.error) << WStringToString(c.text);
    EXPECT_EQ(r.tokens, c.tokens) << WStringToString(c.text);
  }
}

TEST_F(XMLTest, SectionsFollowTheOpenTags) {
  Testing::WriteFile(mDir / "s.xml", "<a><b><c/>text</b></a>");
  XMLParser parser;
  ASSERT_TRUE(parser.OpenFile(mDir / "s.xml"));
  XMLToken t;
  std::vector<std::string> sections;
  while (parser.NextToken(t)) sections.push_back(WStringToString(t.mValue + L"@" + t.mSection));
  EXPECT_EQ(sections, (Tokens{"a@", "b@a", "c@a/b", "c@a/b/c", "text@a/b", "b@a/b", "a@a"}));
  EXPECT_FALSE(parser.HasFailed());
}

TEST_F(XMLTest, AttributeNamedSlash) {
  Testing::WriteFile(mDir / "s.xml", "<a x=\"1\" / >");
  XMLParser parser;
  ASSERT_TRUE(parser.OpenFile(mDir / "s.xml"));
  XMLToken t;
  ASSERT_TRUE(parser.NextToken(t));
  EXPECT_EQ(t.mAttributeOrder, std::vector<std::wstring>{L"x"});
  EXPECT_EQ(t.mAttributes.count(L"/"), 1u);  // in the map, not in the order
  ASSERT_TRUE(parser.NextToken(t));
  EXPECT_EQ(t.mKind, XMLTokenKind::End);
}

// Every error, with its line, in every encoding.
TEST_F(XMLTest, ErrorsAndLinesInEveryEncoding) {
  struct Case {
    const wchar_t* text;
    const char* error;
    int line;
  } cases[] = {
      {L"<a>\n<b>\n</a>", "End 'a' Doesn't Match Start 'b'", 3},
      {L"\n\n</a>", "Unexpected End", 3},
      {L"<a>\n<b\n", "Unexpected End of File", 3},
      {L"<a>\n<b>text", "Unexpected End of File", 2},
      {L"<a>\n\x01</a>", "Illegal Character", 2},
      {L"<a <b>", "Unexpected '<'", 1},
      {L"<a>\n\n>", "Unexpected '>'", 3},
      {L"<a>\n<!--x-->\n</a>", "End 'a' Doesn't Match Start '!--x--'", 3},
      {L"<!-- open\n\ncomment", "Unexpected End of File", 3},
  };
  for (Encoding e : {Encoding::SingleByte, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE})
    for (const auto& c : cases) {
      Result r = ParseText(c.text, e);
      EXPECT_TRUE(r.failed) << WStringToString(c.text) << " in " << static_cast<int>(e);
      EXPECT_EQ(r.error, c.error) << WStringToString(c.text) << " in " << static_cast<int>(e);
      EXPECT_EQ(r.line, c.line) << WStringToString(c.text) << " in " << static_cast<int>(e);
    }
}

TEST_F(XMLTest, Encodings) {
  std::wstring text = L"<a t=\"\x00E9\x010D\">\x00E9t\x00E9 \x010D\x0D0A\xFF01\x4E2D</a>";
  for (Encoding e : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
    Testing::WriteFile(mDir / "e.xml", Encode(text, e));
    XMLParser parser;
    ASSERT_TRUE(parser.OpenFile(mDir / "e.xml"));
    XMLToken t;
    ASSERT_TRUE(parser.NextToken(t)) << static_cast<int>(e);
    EXPECT_EQ(t.mValue, L"a");  // the mark is not part of the first token
    EXPECT_EQ(t.mAttributes[L"t"], L"\x00E9\x010D");
    ASSERT_TRUE(parser.NextToken(t));
    EXPECT_EQ(t.mValue, L"\x00E9t\x00E9 \x010D\x0D0A\xFF01\x4E2D") << static_cast<int>(e);
    ASSERT_TRUE(parser.NextToken(t));
    EXPECT_FALSE(parser.NextToken(t));
    EXPECT_FALSE(parser.HasFailed()) << WStringToString(parser.GetErrorText());
  }
  // Without a mark every byte is a character.
  Result r = ParseText(L"<a>\x00C3\x00A9</a>");
  EXPECT_EQ(r.tokens, (Tokens{"S:a", "T:\xC3\xA9", "E:a"}));
}

TEST_F(XMLTest, Utf8Errors) {
  struct Case {
    const char* bytes;
    bool ok;
  } cases[] = {
      {"\xC3\xA9", true},       {"\xF0\x9F\x98\x80", true},  // beyond 16 bits: a replacement
      {"\x80", false},          {"\xFC\x80\x80\x80\x80\x80", false}, {"\xC3\x41", false},
      {"\xC0\x80", false},      {"\xE0\x80\x80", false},      {"\xF0\x80\x80\x80", false},
      {"\xF8\x80\x80\x80\x80", false}, {"\xED\xA0\x80", false}, {"\xEF\xBF\xBE", false},
      {"\xEF\xBF\xBF", false},  {"\xEF\xBB\xBF", true},       // a second mark is an ordinary character
  };
  for (const auto& c : cases) {
    Testing::WriteFile(mDir / "u.xml", std::string("\xEF\xBB\xBF<a>") + c.bytes + "</a>");
    Result r = Parse(mDir / "u.xml");
    EXPECT_EQ(!r.failed, c.ok) << testing::PrintToString(c.bytes);
    if (!c.ok) {
      EXPECT_EQ(r.error, "Illegal Character");
    }
  }
  Testing::WriteFile(mDir / "cut.xml", "\xEF\xBB\xBF<a>\xE4\xB8");
  EXPECT_EQ(Parse(mDir / "cut.xml").error, "Illegal Character");
}

TEST_F(XMLTest, Utf16Surrogates) {
  // A pair stands for one character; a high half without its low half
  // ends the text there.
  std::string pair = Encode(L"<a>x", Encoding::Utf16LE) + std::string("\x3D\xD8\x00\xDE", 4) +
                     Encode(L"</a>", Encoding::Utf16LE).substr(2);
  Testing::WriteFile(mDir / "p.xml", pair);
  Result r = Parse(mDir / "p.xml");
  EXPECT_FALSE(r.failed) << r.error;
  EXPECT_EQ(r.tokens, (Tokens{"S:a", "T:x?", "E:a"}));
  std::string lone = Encode(L"<a>x", Encoding::Utf16LE) + std::string("\x3D\xD8", 2) +
                     Encode(L"</a>", Encoding::Utf16LE).substr(2);
  Testing::WriteFile(mDir / "l.xml", lone);
  EXPECT_EQ(Parse(mDir / "l.xml").error, "Unexpected End of File");
}

TEST_F(XMLTest, ArchivedFilesReadLikeLooseOnes) {
  // U+0D0D and U+010D hold byte 13 in UTF-16; "\r\n" line ends too.
  std::wstring text = L"<a>\r\n<b t=\"\x010D\">\x0D0D\x010D</b>\r\n</a>";
  Testing::ScopedPak pak;
  Testing::PakContents contents;
  for (Encoding e : {Encoding::SingleByte, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
    std::string name = "f" + std::to_string(static_cast<int>(e)) + ".xml";
    Testing::WriteFile(mDir / name, Encode(text, e));
    contents.push_back({"packed\\" + name, Encode(text, e)});
  }
  Testing::WriteFile(mDir / "main.pak", Testing::PakBytes(contents));
  ASSERT_TRUE(pak->AddPakFile(mDir / "main.pak"));
  for (const auto& [name, bytes] : contents) {
    Result packed = Parse(name);
    Result loose = Parse(mDir / name.substr(7));
    EXPECT_FALSE(packed.failed) << name << ": " << packed.error;
    EXPECT_EQ(packed.tokens, loose.tokens) << name;
    EXPECT_EQ(packed.line, 3) << name;
  }
}

TEST_F(XMLTest, MissingFile) {
  XMLParser parser;
  EXPECT_FALSE(parser.OpenFile(mDir / "none.xml"));
  EXPECT_TRUE(parser.HasFailed());
  EXPECT_EQ(WStringToString(parser.GetErrorText()), "Unable to open file " + mDir / "none.xml");
  EXPECT_EQ(parser.GetCurrentLineNum(), 0);
  XMLToken t;
  EXPECT_FALSE(parser.NextToken(t));
}

}  // namespace
}  // namespace Plix
