#include "model/LayoutBuilder.h"

#include <tinyxml2.h>

#include "model/Container.h"
#include "TextConvert.h"
#include "model/ValueParser.h"

namespace ui {
namespace {

// Bounds that keep a broken or hostile layout from exhausting the process. A layout file that
// includes itself, directly or through others, would otherwise recurse until the stack
// overflows; a large `count`, or counts multiplied through nested includes, would build millions
// of controls. The client's layouts include one file once and build fewer than 20 controls.
constexpr int kMaxIncludeDepth = 8;
constexpr int kMaxIncludeCount = 64;
constexpr int kMaxIncludedFiles = 256;
constexpr int kMaxControls = 10000;

std::wstring Attr(const tinyxml2::XMLElement& e, const char* name) {
  const char* value = e.Attribute(name);
  return value != nullptr ? Utf8ToWide(value) : std::wstring();
}

bool NameIs(const char* name, const char* expected) {
  return name != nullptr && EqualsNoCase(Utf8ToWide(name), Utf8ToWide(expected));
}

bool IsResourceElement(const char* name) {
  return NameIs(name, "Font") || NameIs(name, "Default") || NameIs(name, "Image");
}

}  // namespace

std::unique_ptr<CControlUI> LayoutBuilder::Build(std::wstring_view path, IDialogBuilderCallback* factory,
                                                 WindowModel& manager) {
  std::string xml;
  if (!manager.GetPackage().Read(path, xml)) return nullptr;
  return BuildFromXml(xml, factory, manager);
}

std::unique_ptr<CControlUI> LayoutBuilder::BuildFromXml(const std::string& xml,
                                                        IDialogBuilderCallback* factory,
                                                        WindowModel& manager) {
  factory_ = factory;
  manager_ = &manager;
  includeDepth_ = 0;
  includedFiles_ = 0;
  controls_ = 0;
  std::unique_ptr<CControlUI> root;
  // Controls of the window's factory may throw (out of memory); the window gets no tree then.
  try {
    ControlList topLevel;
    if (BuildDocument(xml, nullptr, &topLevel) && !topLevel.empty()) {
      // The tree has one root; further top-level controls have no place in the window.
      root = std::move(topLevel.front());
    }
  } catch (...) {
    root.reset();
  }
  factory_ = nullptr;
  manager_ = nullptr;
  return root;
}

bool LayoutBuilder::BuildFile(std::wstring_view path, CContainerUI* parent, ControlList* topLevel) {
  std::string xml;
  if (!manager_->GetPackage().Read(path, xml)) return false;
  return BuildDocument(xml, parent, topLevel);
}

bool LayoutBuilder::BuildDocument(const std::string& xml, CContainerUI* parent, ControlList* topLevel) {
  tinyxml2::XMLDocument doc;
  if (doc.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return false;
  const tinyxml2::XMLElement* root = doc.RootElement();
  if (root == nullptr) return false;
  ApplyResources(*root);
  if (NameIs(root->Name(), "Window")) {
    for (const tinyxml2::XMLAttribute* a = root->FirstAttribute(); a != nullptr; a = a->Next()) {
      manager_->SetWindowAttribute(Utf8ToWide(a->Name()), Utf8ToWide(a->Value()));
    }
  }
  BuildControls(*root, parent, topLevel);
  return true;
}

void LayoutBuilder::ApplyResources(const tinyxml2::XMLElement& root) {
  for (const tinyxml2::XMLElement* e = root.FirstChildElement(); e != nullptr; e = e->NextSiblingElement()) {
    if (NameIs(e->Name(), "Font")) {
      FontInfo font;
      font.face = Attr(*e, "name");
      int size = 0;
      if (ParseInt(Attr(*e, "size"), size) && size > 0) font.size = size;
      font.bold = ParseSwitch(Attr(*e, "bold"));
      font.underline = ParseSwitch(Attr(*e, "underline"));
      font.italic = ParseSwitch(Attr(*e, "italic"));
      manager_->AddFont(font, ParseSwitch(Attr(*e, "default")));
    } else if (NameIs(e->Name(), "Default")) {
      std::wstring name = Attr(*e, "name");
      if (!name.empty()) manager_->AddDefaultAttributeList(name, Attr(*e, "value"));
    } else if (NameIs(e->Name(), "Image")) {
      std::wstring name = Attr(*e, "name");
      if (!name.empty()) manager_->PreloadImage(name);
    }
  }
}

void LayoutBuilder::BuildControls(const tinyxml2::XMLElement& element, CContainerUI* parent,
                                  ControlList* topLevel) {
  for (const tinyxml2::XMLElement* e = element.FirstChildElement(); e != nullptr;
       e = e->NextSiblingElement()) {
    const char* name = e->Name();
    if (IsResourceElement(name)) continue;
    if (NameIs(name, "Include")) {
      BuildInclude(*e, parent, topLevel);
      continue;
    }
    if (controls_ >= kMaxControls) return;
    std::unique_ptr<CControlUI> control = CreateControl(name);
    if (!control) continue;  // unknown element: skipped with its content
    ++controls_;
    control->SetManager(manager_, parent);
    // Only containers take children; the content of any other control is not built.
    if (auto* container = dynamic_cast<CContainerUI*>(control.get())) BuildControls(*e, container, nullptr);

    CControlUI* built = control.get();
    if (parent != nullptr) {
      if (!parent->Add(control.release())) continue;
    } else if (topLevel != nullptr) {
      topLevel->push_back(std::move(control));
    } else {
      continue;
    }
    if (const std::wstring* defaults = manager_->GetDefaultAttributeList(Utf8ToWide(name))) {
      built->ApplyAttributeList(*defaults);
    }
    for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a != nullptr; a = a->Next()) {
      built->SetAttribute(Utf8ToWide(a->Name()), Utf8ToWide(a->Value()));
    }
  }
}

void LayoutBuilder::BuildInclude(const tinyxml2::XMLElement& element, CContainerUI* parent,
                                 ControlList* topLevel) {
  if (includeDepth_ >= kMaxIncludeDepth) return;
  std::wstring source = Attr(element, "source");
  int count = 1;
  if (element.Attribute("count") != nullptr && !ParseInt(Attr(element, "count"), count)) count = 1;
  if (count > kMaxIncludeCount) count = kMaxIncludeCount;
  ++includeDepth_;
  for (int i = 0; i < count && includedFiles_ < kMaxIncludedFiles && controls_ < kMaxControls; ++i) {
    ++includedFiles_;
    if (!BuildFile(source, parent, topLevel)) break;
  }
  --includeDepth_;
}

std::unique_ptr<CControlUI> LayoutBuilder::CreateControl(const char* elementName) {
  std::wstring name = Utf8ToWide(elementName);
  std::unique_ptr<CControlUI> control = manager_->CreateControl(name);
  if (!control && factory_ != nullptr) control.reset(factory_->CreateCustomControl(name.c_str()));
  return control;
}

}  // namespace ui
