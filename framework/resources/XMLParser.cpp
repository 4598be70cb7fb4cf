#include "framework/resources/XMLParser.h"

#include "framework/resources/PakInterface.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool EndsWith(const std::wstring& s, const wchar_t* tail) {
  size_t n = std::char_traits<wchar_t>::length(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// What a character beyond 16 bits becomes.
constexpr wchar_t kReplacement = 0xFFFD;

}  // namespace

bool XMLToken::AddAttribute(const std::wstring& name, const std::wstring& value) {
  bool isNew = mAttributes.insert_or_assign(name, value).second;
  if (name != L"/") mAttributeOrder.push_back(name);
  return isNew;
}

XMLParser::~XMLParser() {
  if (mFile) PakFClose(mFile);
}

bool XMLParser::Fail(const wchar_t* text) {
  mHasFailed = true;
  mErrorText = text;
  return false;
}

bool XMLParser::OpenFile(const std::string& fileName) {
  if (mFile) PakFClose(mFile);
  mBufferPos = mBufferSize = 0;
  mPushBack.clear();
  mFile = PakFOpen(fileName, "r");
  if (!mFile) {
    mLineNum = 0;
    mHasFailed = true;
    mErrorText = L"Unable to open file " + StringToWString(fileName);
    return false;
  }
  // The byte-order mark chooses the decoder; it is read again, and dropped,
  // as the first character.
  PakFSeek(mFile, 0, SEEK_END);
  long size = PakFTell(mFile);
  PakFSeek(mFile, 0, SEEK_SET);
  mDecoder = Decoder::SingleByte;
  uint8_t mark[3] = {};
  size_t got = PakFRead(mark, 1, size >= 3 ? 3 : size >= 2 ? 2 : 0, mFile);
  if (got >= 2 && ((mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF)))
    mDecoder = Decoder::Utf16;
  else if (got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)
    mDecoder = Decoder::Utf8;
  PakFSeek(mFile, 0, SEEK_SET);

  mFileName = fileName;
  mLineNum = 1;
  mHasFailed = false;
  mErrorText.clear();
  mSection.clear();
  mFirstChar = true;
  mByteSwap = false;
  return true;
}

// Whole reads only: the character reader of the pak layer drops byte 13,
// which would corrupt UTF-16 text and make archived files read unlike
// loose ones.
int XMLParser::ReadByte() {
  if (mBufferPos == mBufferSize) {
    mBufferSize = mFile ? PakFRead(mBuffer, 1, sizeof mBuffer, mFile) : 0;
    mBufferPos = 0;
    if (mBufferSize == 0) return kEnd;
  }
  return mBuffer[mBufferPos++];
}

int XMLParser::DecodeUtf8() {
  for (;;) {
    int lead = ReadByte();
    if (lead < 0x80) return lead;  // a character, or the end
    int len, value;
    if ((lead & 0xE0) == 0xC0) {
      len = 2;
      value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      len = 3;
      value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      len = 4;
      value = lead & 0x07;
    } else if ((lead & 0xFC) == 0xF8) {
      len = 5;
      value = lead & 0x03;
    } else {
      return kIllegal;
    }
    int second = 0;
    for (int i = 1; i < len; ++i) {
      int c = ReadByte();
      if (c < 0 || (c & 0xC0) != 0x80) return kIllegal;
      if (i == 1) second = c;
      value = value << 6 | (c & 0x3F);
    }
    bool overlong = (len == 2 && (lead & 0x3E) == 0) || (len == 3 && (lead & 0x1F) == 0 && (second & 0x20) == 0) ||
                    (len == 4 && (lead & 0x0F) == 0 && (second & 0x30) == 0) ||
                    (len == 5 && (lead & 0x07) == 0 && (second & 0x38) == 0);
    if (overlong || (value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF) return kIllegal;
    if (value == 0xFEFF && mFirstChar) {
      mFirstChar = false;
      continue;
    }
    return value > 0xFFFF ? kReplacement : value;
  }
}

int XMLParser::DecodeUtf16() {
  auto unit = [this]() -> int {
    int lo = ReadByte();
    int hi = lo < 0 ? kEnd : ReadByte();
    if (hi < 0) return kEnd;
    return mByteSwap ? lo << 8 | hi : hi << 8 | lo;
  };
  for (;;) {
    int u = unit();
    if (u < 0) return kEnd;
    if (mFirstChar) {
      mFirstChar = false;
      if (u == 0xFEFF) continue;
      if (u == 0xFFFE) {
        mByteSwap = true;
        continue;
      }
    }
    // A surrogate pair: beyond 16 bits. A high half without its low half
    // ends the text.
    if ((u & 0xFC00) == 0xD800) {
      int low = unit();
      if (low < 0 || (low & 0xFC00) != 0xDC00) return kEnd;
      return kReplacement;
    }
    return u;
  }
}

int XMLParser::GetChar() {
  if (!mPushBack.empty()) {
    wchar_t c = mPushBack.back();
    mPushBack.pop_back();
    return c;
  }
  switch (mDecoder) {
    case Decoder::SingleByte:
      return ReadByte();
    case Decoder::Utf8:
      return DecodeUtf8();
    case Decoder::Utf16:
      return DecodeUtf16();
  }
  return kEnd;
}

bool XMLParser::NextToken(XMLToken& token) {
  if (mHasFailed) return false;
  for (;;) {
    token = XMLToken();
    token.mSection = mSection;
    std::wstring attrName, attrValue, lastName;
    bool quoted = false, pendingSpace = false, inAttributes = false, afterEquals = false, valueWasQuoted = false;
    auto completeAttribute = [&]() {
      token.AddAttribute(XMLDecodeEntities(attrName), XMLDecodeEntities(attrValue));
      lastName = attrName;
      attrName.clear();
      attrValue.clear();
      afterEquals = false;
    };

    bool complete = false;
    while (!complete) {
      int c = GetChar();
      if (c < 0) {
        if (c == kIllegal) return Fail(L"Illegal Character");
        if (token.mKind != XMLTokenKind::None) return Fail(L"Unexpected End of File");
        return false;
      }
      wchar_t ch = static_cast<wchar_t>(c);
      if (ch == L'\n') ++mLineNum;

      if (token.mKind == XMLTokenKind::Comment) {
        token.mText += ch;
        if (ch == L'>' && EndsWith(token.mText, L"-->")) {
          token.mText.resize(token.mText.size() - 3);
          complete = true;
        }
        continue;
      }
      if (token.mKind == XMLTokenKind::Instruction) {
        std::wstring& into = token.mText.empty() && !IsSpace(c) ? token.mValue : token.mText;
        into += ch;
        if (ch == L'>' && EndsWith(into, L"?>")) {
          into.resize(into.size() - 2);
          complete = true;
        }
        continue;
      }

      bool ordinary = quoted;
      if (ch == L'"') {
        quoted = !quoted;
        if (!quoted) valueWasQuoted = true;
        if (token.mKind != XMLTokenKind::None && token.mKind != XMLTokenKind::Text) continue;
        ordinary = true;
      }
      if (!ordinary) {
        if (ch == L'<') {
          if (token.mKind == XMLTokenKind::Text) {
            mPushBack.push_back(ch);
            complete = true;
          } else if (token.mKind == XMLTokenKind::None) {
            token.mKind = XMLTokenKind::Start;
          } else {
            return Fail(L"Unexpected '<'");
          }
          continue;
        }
        if (ch == L'>') {
          if (token.mKind == XMLTokenKind::Start) {
            valueWasQuoted = false;
            bool selfClosing = false;
            if (attrName == L"/") {
              selfClosing = true;
            } else {
              if (!attrName.empty()) completeAttribute();
              if (!lastName.empty()) {
                std::wstring& value = token.mAttributes[XMLDecodeEntities(lastName)];
                if (!value.empty() && value.back() == L'/') {
                  value = XMLDecodeEntities(value.substr(0, value.size() - 1));
                  selfClosing = true;
                }
              } else if (!token.mValue.empty() && token.mValue.back() == L'/') {
                token.mValue.pop_back();
                selfClosing = true;
              }
            }
            if (selfClosing) {
              // The next token is the matching end tag.
              std::wstring end = L"</" + token.mValue + L">";
              mPushBack.insert(mPushBack.end(), end.rbegin(), end.rend());
            }
            if (!mSection.empty()) mSection += L'/';
            mSection += token.mValue;
            complete = true;
          } else if (token.mKind == XMLTokenKind::End) {
            size_t slash = mSection.rfind(L'/');
            std::wstring last = slash == std::wstring::npos ? mSection : mSection.substr(slash + 1);
            if (mSection.empty()) return Fail(L"Unexpected End");
            if (last != token.mValue) {
              mHasFailed = true;
              mErrorText = L"End '" + token.mValue + L"' Doesn't Match Start '" + last + L"'";
              return false;
            }
            mSection.resize(slash == std::wstring::npos ? 0 : slash);
            complete = true;
          } else {
            return Fail(L"Unexpected '>'");
          }
          continue;
        }
        if (token.mKind == XMLTokenKind::Start && token.mValue.empty() && (ch == L'/' || ch == L'?')) {
          token.mKind = ch == L'/' ? XMLTokenKind::End : XMLTokenKind::Instruction;
          continue;
        }
        if (IsSpace(c)) {
          if (!token.mValue.empty()) pendingSpace = true;
          if (token.mKind == XMLTokenKind::Start && token.mValue == L"!--") token.mKind = XMLTokenKind::Comment;
          continue;
        }
        if (c < 0x21) return Fail(L"Illegal Character");
      }

      // An ordinary character.
      if (token.mKind == XMLTokenKind::None) token.mKind = XMLTokenKind::Text;
      if (token.mKind == XMLTokenKind::Text || token.mKind == XMLTokenKind::End) {
        if (pendingSpace) token.mValue += L' ';
        pendingSpace = false;
        token.mValue += ch;
      } else if (token.mKind == XMLTokenKind::Start) {
        if (pendingSpace) {
          if (!inAttributes)
            inAttributes = true;
          else if (!afterEquals && ch != L'=')
            completeAttribute();  // a name without a value
          else if (afterEquals && (!attrValue.empty() || valueWasQuoted))
            completeAttribute();
          pendingSpace = false;
        }
        if (!inAttributes) {
          token.mValue += ch;
        } else if (ch == L'=' && !quoted) {
          afterEquals = true;
          valueWasQuoted = false;
        } else {
          (afterEquals ? attrValue : attrName) += ch;
        }
      }
    }

    if (!attrName.empty()) completeAttribute();
    token.mValue = XMLDecodeEntities(token.mValue);
    if (token.mKind != XMLTokenKind::Comment) return true;
  }
}

}  // namespace Plix
