#pragma once
// An edit field asks its listener before it takes a key, a character or a
// new text, and tells it about Enter and every typed character.
#include <string>

namespace Plix {

class EditListener {
public:
  virtual ~EditListener() = default;
  // Enter was pressed.
  virtual void OnEditText(int id, const std::wstring& text) {}
  virtual bool AcceptsKey(int id, int keyCode) { return true; }
  virtual bool AcceptsChar(int id, wchar_t ch) { return true; }
  // Asked after every edit with the new text; false undoes the edit.
  virtual bool AcceptsText(int id, const std::wstring& text) { return true; }
  virtual void OnEditChar(wchar_t ch) {}
};

}  // namespace Plix
