#pragma once
// Values of a description script: one token, or a parenthesised list of
// values (lists nest). Each value owns what it holds.
#include <memory>
#include <string>
#include <vector>

namespace Plix {

class DataElement {
public:
  bool mIsList = false;

  DataElement() = default;
  DataElement(const DataElement&) = default;
  DataElement& operator=(const DataElement&) = default;
  virtual ~DataElement();
  // A deep copy owned by the caller.
  virtual DataElement* Duplicate() const = 0;
};

class SingleDataElement : public DataElement {
public:
  std::string mString;

  SingleDataElement() = default;
  explicit SingleDataElement(std::string text) : mString(std::move(text)) {}
  DataElement* Duplicate() const override;
};

class ListDataElement : public DataElement {
public:
  std::vector<std::unique_ptr<DataElement>> mElementVector;

  ListDataElement() { mIsList = true; }
  ListDataElement(const ListDataElement& other);
  ListDataElement& operator=(const ListDataElement& other);
  DataElement* Duplicate() const override;

  size_t Size() const { return mElementVector.size(); }
  DataElement* At(size_t i) const { return mElementVector[i].get(); }
  void Add(DataElement* element) { mElementVector.emplace_back(element); }
};

}  // namespace Plix
