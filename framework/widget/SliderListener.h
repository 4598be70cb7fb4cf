#pragma once
namespace Plix {

class SliderListener {
public:
  virtual ~SliderListener() = default;
  // value from 0 to 1.
  virtual void OnSliderValue(int id, double value) {}
};

}  // namespace Plix
