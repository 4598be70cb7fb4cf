#include "framework/graphics/DescParser.h"

#include "framework/graphics/DataFiles.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Elements in a value, counting no further than `limit` + 1.
size_t CountElements(const DataElement* e, size_t limit) {
  if (!e->mIsList) return 1;
  size_t n = 1;
  for (const auto& child : static_cast<const ListDataElement*>(e)->mElementVector) {
    n += CountElements(child.get(), limit - std::min(n, limit));
    if (n > limit) break;
  }
  return n;
}

int ListDepth(const DataElement* e) {
  if (!e->mIsList) return 0;
  int deepest = 0;
  for (const auto& child : static_cast<const ListDataElement*>(e)->mElementVector)
    deepest = std::max(deepest, ListDepth(child.get()));
  return deepest + 1;
}

}  // namespace

DescParser::DescParser() = default;
DescParser::~DescParser() = default;

bool DescParser::Error(const std::string& message) {
  mError = message;
  return false;
}

DataElement* DescParser::Dereference(const std::string& name) {
  auto it = mDefineMap.find(StringToUpper(name));
  return it == mDefineMap.end() ? nullptr : it->second.get();
}

bool DescParser::IsImmediate(const std::string& text) {
  if (text.empty()) return false;
  char c = text[0];
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || IsQuote(c);
}

std::string DescParser::Unquote(const std::string& text) {
  if (text.empty() || !IsQuote(text[0])) return text;
  const char q = text[0];
  std::string out;
  size_t i = 1;
  while (i < text.size()) {
    if (text[i] != q) {
      out += text[i++];
      continue;
    }
    // A run of quotes keeps all but one: '' stands for ', the closing one goes.
    size_t run = 0;
    while (i < text.size() && text[i] == q) {
      ++run;
      ++i;
    }
    out.append(run - 1, q);
  }
  return out;
}

bool DescParser::LoadDescriptor(const std::string& fileName) {
  mError.clear();
  mCurrentLineText.clear();
  mCurrentLine = 0;

  std::vector<uint8_t> bytes;
  if (!ReadDataFile(fileName, bytes)) return false;

  int lineNum = 0;
  bool atLineStart = true;
  bool inComment = false;
  bool indented = false;
  bool inSingle = false;
  bool inDouble = false;
  bool escape = false;
  bool failed = false;
  int pushBack = -1;
  size_t pos = 0;

  auto add = [&](char c) {
    if (mCurrentLineText.empty()) mCurrentLine = lineNum + 1;
    mCurrentLineText += c;
  };
  auto endCommand = [&]() {
    if (!mCurrentLineText.empty() && !ParseCommand(mCurrentLineText)) failed = true;
    mCurrentLineText.clear();
  };

  while (!failed) {
    int ch;
    if (pushBack >= 0) {
      ch = pushBack;
      pushBack = -1;
    } else {
      if (pos >= bytes.size()) break;
      ch = bytes[pos++];
    }
    const char c = static_cast<char>(ch);
    if (c == '\r') continue;
    if (c == '\n') ++lineNum;

    if (inComment) {
      if (c == '\n') {
        inComment = false;
        atLineStart = true;
        indented = false;
      }
      continue;
    }

    if (atLineStart) {
      if (c == ' ' || c == '\t') {
        indented = true;
        continue;
      }
      if (c == '\n') {
        indented = false;
        continue;
      }
      if ((mCmdSepFlags & CMDSEP_NO_INDENT) && !indented && !mCurrentLineText.empty()) {
        pushBack = ch;
        endCommand();
        continue;
      }
      if (c == '#') {
        inComment = true;
        continue;
      }
      atLineStart = false;
    }

    if (c == '\n') {
      atLineStart = true;
      indented = false;
      // A command begins on the line of its first character, not on the
      // end of the line before it.
      if (!mCurrentLineText.empty()) add(c);
      continue;
    }

    if (escape) {
      add('\\');
      add(c);
      escape = false;
      continue;
    }
    if ((inSingle || inDouble) && c == '\\') {
      escape = true;
      continue;
    }
    if (c == '\'' && !inDouble) {
      inSingle = !inSingle;
      add(c);
    } else if (c == '"' && !inSingle) {
      inDouble = !inDouble;
      add(c);
    } else if (c == ';' && !inSingle && !inDouble && (mCmdSepFlags & CMDSEP_SEMICOLON)) {
      endCommand();
    } else {
      add(c);
    }
  }
  if (!failed) endCommand();

  mCurrentLineText.clear();
  mCurrentLine = 0;
  return !failed;
}

bool DescParser::ParseCommand(const std::string& text) {
  ListDataElement params;
  size_t pos = 0;
  if (!ParseToList(text, &pos, &params, false, 0)) return false;
  if (params.Size() == 0) return true;
  if (params.At(0)->mIsList) return Error("Missing Command");
  return HandleCommand(params);
}

bool DescParser::ParseToList(const std::string& text, size_t* pos, ListDataElement* list, bool expectListEnd,
                             int depth) {
  bool inSingle = false;
  bool inDouble = false;
  bool escape = false;
  SingleDataElement* current = nullptr;

  auto add = [&](char c) {
    if (!current) {
      current = new SingleDataElement();
      list->Add(current);
    }
    current->mString += c;
  };

  while (*pos < text.size()) {
    const char c = text[(*pos)++];
    if (escape) {
      add(c);
      escape = false;
      continue;
    }
    if (c == '\\') {
      escape = true;
      continue;
    }
    if (c == '\'' && !inDouble) {
      inSingle = !inSingle;
      add(c);
      continue;
    }
    if (c == '"' && !inSingle) {
      inDouble = !inDouble;
      add(c);
      continue;
    }
    if (inSingle || inDouble) {
      add(c);
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n' || c == ',') {
      current = nullptr;
      continue;
    }
    if (c == '(') {
      if (current) return Error("Unexpected List Start");
      if (depth >= kMaxListDepth) return Error("List Nested Too Deeply");
      auto* child = new ListDataElement();
      list->Add(child);
      if (!ParseToList(text, pos, child, true, depth + 1)) return false;
      continue;
    }
    if (c == ')') {
      if (expectListEnd) return true;
      return Error("Unexpected List End");
    }
    add(c);
  }

  if (inSingle) return Error("Unterminated Single Quotes");
  if (inDouble) return Error("Unterminated Double Quotes");
  if (expectListEnd) return Error("Unterminated List");
  return true;
}

bool DescParser::DereferenceList(const ListDataElement& source, ListDataElement* out, size_t* budget, int depth) {
  if (depth > kMaxListDepth) return Error("List Nested Too Deeply");
  for (const auto& element : source.mElementVector) {
    if (*budget == 0) return Error("List Too Large");
    --*budget;
    if (element->mIsList) {
      auto* child = new ListDataElement();
      out->Add(child);
      if (!DereferenceList(*static_cast<const ListDataElement*>(element.get()), child, budget, depth + 1))
        return false;
      continue;
    }
    const std::string& s = static_cast<const SingleDataElement*>(element.get())->mString;
    if (!s.empty() && IsQuote(s[0])) {
      out->Add(new SingleDataElement(Unquote(s)));
    } else if (IsImmediate(s)) {
      out->Add(new SingleDataElement(s));
    } else {
      const DataElement* value = Dereference(s);
      if (!value) return Error("Unable to Dereference \"" + s + "\"");
      const size_t size = CountElements(value, *budget);
      if (size > *budget || depth + ListDepth(value) > kMaxListDepth) return Error("List Too Large");
      *budget -= size - 1;
      out->Add(value->Duplicate());
    }
  }
  return true;
}

bool DescParser::DataToString(const DataElement* source, std::string* out) {
  out->clear();
  if (source->mIsList) return false;
  const std::string& s = static_cast<const SingleDataElement*>(source)->mString;
  if (IsImmediate(s)) {
    *out = Unquote(s);
    return true;
  }
  const DataElement* value = Dereference(s);
  if (!value) return Error("Unable to Dereference \"" + s + "\"");
  if (value->mIsList) return false;
  *out = Unquote(static_cast<const SingleDataElement*>(value)->mString);
  return true;
}

bool DescParser::DataToList(const DataElement* source, ListDataElement* out) {
  out->mElementVector.clear();
  if (source->mIsList) {
    size_t budget = kMaxListElements;
    return DereferenceList(*static_cast<const ListDataElement*>(source), out, &budget, 1);
  }
  const std::string& s = static_cast<const SingleDataElement*>(source)->mString;
  const DataElement* value = Dereference(s);
  if (!value) return Error("Unable to Dereference \"" + s + "\"");
  if (!value->mIsList) return false;
  *out = *static_cast<const ListDataElement*>(value);
  return true;
}

bool DescParser::DataToStringVector(const DataElement* source, std::vector<std::string>* out) {
  out->clear();
  ListDataElement list;
  if (!DataToList(source, &list)) return false;
  for (const auto& e : list.mElementVector) {
    if (e->mIsList) {
      out->clear();
      return false;
    }
    out->push_back(static_cast<const SingleDataElement*>(e.get())->mString);
  }
  return true;
}

bool DescParser::DataToIntVector(const DataElement* source, std::vector<int>* out) {
  out->clear();
  std::vector<std::string> strings;
  if (!DataToStringVector(source, &strings)) return false;
  for (const auto& s : strings) {
    int v = 0;
    if (!StringToInt(s, v)) {
      out->clear();
      return false;
    }
    out->push_back(v);
  }
  return true;
}

bool DescParser::DataToDoubleVector(const DataElement* source, std::vector<double>* out) {
  out->clear();
  std::vector<std::string> strings;
  if (!DataToStringVector(source, &strings)) return false;
  for (const auto& s : strings) {
    double v = 0;
    if (!StringToDouble(s, v)) {
      out->clear();
      return false;
    }
    out->push_back(v);
  }
  return true;
}

std::string DescParser::DataElementToString(const DataElement* element) {
  if (!element->mIsList) return static_cast<const SingleDataElement*>(element)->mString;
  std::string s = "(";
  const auto& v = static_cast<const ListDataElement*>(element)->mElementVector;
  for (size_t i = 0; i < v.size(); ++i) {
    if (i > 0) s += ", ";
    s += DataElementToString(v[i].get());
  }
  return s + ")";
}

}  // namespace Plix
