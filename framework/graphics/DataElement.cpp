#include "framework/graphics/DataElement.h"

namespace Plix {

DataElement::~DataElement() = default;

DataElement* SingleDataElement::Duplicate() const { return new SingleDataElement(*this); }

ListDataElement::ListDataElement(const ListDataElement& other) : DataElement(other) {
  mElementVector.reserve(other.mElementVector.size());
  for (const auto& e : other.mElementVector) mElementVector.emplace_back(e->Duplicate());
}

ListDataElement& ListDataElement::operator=(const ListDataElement& other) {
  if (this == &other) return *this;
  std::vector<std::unique_ptr<DataElement>> copy;
  copy.reserve(other.mElementVector.size());
  for (const auto& e : other.mElementVector) copy.emplace_back(e->Duplicate());
  mElementVector = std::move(copy);
  return *this;
}

DataElement* ListDataElement::Duplicate() const { return new ListDataElement(*this); }

}  // namespace Plix
