#pragma once
// Reader of description scripts: commands made of a command word and
// parameters (tokens, quoted texts, names of earlier definitions and
// parenthesised lists). A derived class handles the commands.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/DataElement.h"

namespace Plix {

class DescParser {
public:
  enum {
    CMDSEP_SEMICOLON = 1,  // a ";" outside quotes ends a command
    CMDSEP_NO_INDENT = 2   // a line that starts without a blank or tab starts a new command
  };

  // Guards against scripts that would exhaust the stack or the memory.
  static constexpr int kMaxListDepth = 32;
  static constexpr size_t kMaxListElements = 1u << 18;

  int mCmdSepFlags = CMDSEP_SEMICOLON;
  std::string mError;
  int mCurrentLine = 0;           // line on which the command being read began
  std::string mCurrentLineText;   // the command being read
  std::map<std::string, std::unique_ptr<DataElement>> mDefineMap;

  DescParser();
  DescParser(const DescParser&) = delete;
  DescParser& operator=(const DescParser&) = delete;

  // Stores the message; always false so that callers can return it.
  virtual bool Error(const std::string& message);
  // The value defined under the upper-cased name, or null.
  virtual DataElement* Dereference(const std::string& name);
  // One command: its first element is the command word. False stops loading.
  virtual bool HandleCommand(const ListDataElement& params) = 0;
  virtual ~DescParser();

  // True when every command of the file was handled.
  bool LoadDescriptor(const std::string& fileName);

  static bool IsImmediate(const std::string& text);
  static std::string Unquote(const std::string& text);

  bool DataToString(const DataElement* source, std::string* out);
  bool DataToList(const DataElement* source, ListDataElement* out);
  bool DataToStringVector(const DataElement* source, std::vector<std::string>* out);
  bool DataToIntVector(const DataElement* source, std::vector<int>* out);
  bool DataToDoubleVector(const DataElement* source, std::vector<double>* out);
  // A single element as is, or as the list it names.
  bool DataToListElement(const DataElement* source, ListDataElement* out) { return DataToList(source, out); }
  static std::string DataElementToString(const DataElement* element);

protected:
  bool ParseCommand(const std::string& text);
  bool ParseToList(const std::string& text, size_t* pos, ListDataElement* list, bool expectListEnd, int depth);
  bool DereferenceList(const ListDataElement& source, ListDataElement* out, size_t* budget, int depth);
};

}  // namespace Plix
