#pragma once
namespace Plix {

class CheckboxListener {
public:
  virtual ~CheckboxListener() = default;
  virtual void OnCheckboxChanged(int id, bool checked) {}
};

}  // namespace Plix
