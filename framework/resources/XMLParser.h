#pragma once
// A small pull reader for the XML-like data files: one token at a time
// (start tag with attributes, end tag, text, instruction, comment), the path
// of open tags, line numbers for error reports, and a stop at the first
// error. Files are read through the pak layer as single bytes, UTF-8 (with
// its mark) or UTF-16 (with its mark), into 16-bit characters.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Plix {

struct PakHandle;

enum class XMLTokenKind { None = 0, Start = 1, End = 2, Text = 3, Instruction = 4, Comment = 5 };

using XMLParamMap = std::map<std::wstring, std::wstring>;

struct XMLToken {
  XMLTokenKind mKind = XMLTokenKind::None;
  std::wstring mSection;  // the open tags when the token began, "/"-joined
  std::wstring mValue;    // tag name, text, or instruction target
  std::wstring mText;     // body of an instruction or comment
  XMLParamMap mAttributes;
  std::vector<std::wstring> mAttributeOrder;  // names as read; "/" left out

  // True when the name was new; a repeated name replaces the value.
  bool AddAttribute(const std::wstring& name, const std::wstring& value);
};

class XMLParser {
public:
  XMLParser() = default;
  virtual ~XMLParser();
  XMLParser(const XMLParser&) = delete;
  XMLParser& operator=(const XMLParser&) = delete;

  bool OpenFile(const std::string& fileName);
  // False at the end of the document or after an error (HasFailed tells).
  bool NextToken(XMLToken& token);

  bool HasFailed() const { return mHasFailed; }
  const std::wstring& GetErrorText() const { return mErrorText; }
  int GetCurrentLineNum() const { return mLineNum; }
  const std::string& GetFileName() const { return mFileName; }

private:
  enum class Decoder { SingleByte, Utf8, Utf16 };
  static constexpr int kEnd = -1;
  static constexpr int kIllegal = -2;

  bool Fail(const wchar_t* text);
  int ReadByte();
  int GetChar();
  int DecodeUtf8();
  int DecodeUtf16();

  std::string mFileName;
  std::wstring mErrorText;
  int mLineNum = 0;
  PakHandle* mFile = nullptr;
  bool mHasFailed = false;
  std::vector<wchar_t> mPushBack;
  std::wstring mSection;
  Decoder mDecoder = Decoder::Utf8;
  bool mFirstChar = false;
  bool mByteSwap = false;

  uint8_t mBuffer[4096];
  size_t mBufferPos = 0;
  size_t mBufferSize = 0;
};

}  // namespace Plix
