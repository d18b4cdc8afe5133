#pragma once
// `CShadowUI`: the soft drop shadow of a window with `showshadow`, drawn in a layered window of
// its own that lies just below its window in the Z order and follows it when it moves, changes
// size, is shown or hidden.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "OwnedHandle.h"

namespace ui {

// The shadow's pixels (premultiplied 0xAARRGGBB, rows top to bottom) for a window of the given
// size with a shadow `size` pixels wide all around; the area under the window stays clear.
std::vector<uint32_t> MakeShadowPixels(int windowWidth, int windowHeight, int size);

class CShadowUI {
 public:
  CShadowUI() = default;
  CShadowUI(const CShadowUI&) = delete;
  CShadowUI& operator=(const CShadowUI&) = delete;

  void SetSize(int size) { size_ = size < 0 ? 0 : size; }
  int GetSize() const { return size_; }
  // Creates the shadow window for `owner` (owned by it, so it is destroyed with it).
  bool Create(HWND owner);
  HWND GetHWND() const { return shadow_.Get(); }
  // Destroys the shadow window now (its owner is going).
  void Destroy() { shadow_.Reset(); }
  // Follows the owner's messages: position, size, visibility.
  void OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Update();

  HWND owner_ = nullptr;
  UniqueWindow shadow_;
  int size_ = 4;
  int paintedWidth_ = 0;
  int paintedHeight_ = 0;
};

}  // namespace ui
