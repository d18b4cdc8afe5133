#pragma once
// Builds a window's control tree from a layout file of the skin package.
//
// The root element ("Window", or "DefaultConfig" for a file of fonts and defaults) first hands its
// "Font", "Default" and "Image" children to the window's manager in document order; a "Window"
// root then hands over its attributes. The control elements are then built depth-first in
// document order: "Include" builds another layout file in place (`count` times, bounded), a
// toolkit element name makes a toolkit control (the manager says which names it knows), any
// other name is offered to the window's control factory, and an element nobody knows is skipped
// with everything inside it. Each control gets
// its children first, then joins its parent, then gets the default list of its element name,
// then its own attributes in document order.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Control.h"
#include "model/DialogBuilderCallback.h"
#include "model/WindowModel.h"

namespace tinyxml2 {
class XMLElement;
}

namespace ui {

class CContainerUI;

class LayoutBuilder {
 public:
  // The root control of the new tree, or null when the file is missing from the manager's
  // package, is not well-formed, or yields no control. The factory may be null.
  std::unique_ptr<CControlUI> Build(std::wstring_view path, IDialogBuilderCallback* factory,
                                    WindowModel& manager);
  // The same from layout text (UTF-8 XML) instead of a package file; "Include" still reads the
  // package.
  std::unique_ptr<CControlUI> BuildFromXml(const std::string& xml, IDialogBuilderCallback* factory,
                                           WindowModel& manager);

 private:
  using ControlList = std::vector<std::unique_ptr<CControlUI>>;
  bool BuildDocument(const std::string& xml, CContainerUI* parent, ControlList* topLevel);
  bool BuildFile(std::wstring_view path, CContainerUI* parent, ControlList* topLevel);
  void ApplyResources(const tinyxml2::XMLElement& root);
  void BuildControls(const tinyxml2::XMLElement& element, CContainerUI* parent, ControlList* topLevel);
  void BuildInclude(const tinyxml2::XMLElement& element, CContainerUI* parent, ControlList* topLevel);
  std::unique_ptr<CControlUI> CreateControl(const char* elementName);

  IDialogBuilderCallback* factory_ = nullptr;
  WindowModel* manager_ = nullptr;
  int includeDepth_ = 0;
  int includedFiles_ = 0;  // Include elements built in this tree
  int controls_ = 0;       // controls created for this tree
};

}  // namespace ui
