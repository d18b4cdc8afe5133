#pragma once
// Controls that hold children. A container owns its children; `inset` is the margin between its
// edges and them.
#include <memory>
#include <vector>

#include "model/Control.h"

namespace ui {

// The container interface of layouts (InterfaceFor("IContainer")).
class IContainer {
 public:
  virtual int GetCount() const = 0;
  virtual CControlUI* GetItemAt(int index) const = 0;
  virtual int GetItemIndex(const CControlUI* control) const = 0;
  // Appends a child; the container owns it from then on (also when the call fails, in which
  // case it is deleted at once). A child added to an attached tree is attached at once.
  virtual bool Add(CControlUI* control) = 0;
  virtual bool AddAt(CControlUI* control, int index) = 0;
  // Removes and deletes a child.
  virtual bool Remove(CControlUI* control) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainer() = default;
};

class CContainerUI : public CControlUI, public IContainer {
 public:
  std::wstring ClassName() const override { return L"ContainerUI"; }
  void* InterfaceFor(std::wstring_view name) override;

  int GetCount() const override { return static_cast<int>(items_.size()); }
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(const CControlUI* control) const override;
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control) override;
  void RemoveAll() override;

  const Rect& GetInset() const { return inset_; }
  void SetInset(const Rect& inset);
  // The area inside the inset.
  Rect InnerRect() const;

  // The plain container stacks every child over the whole inner area.
  void SetPos(const Rect& pos) override;
  void SetVisible(bool visible) override;
  void SetInnerVisible(bool visible) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void SetManager(WindowModel* manager, CControlUI* parent) override;
  int GetChildCount() const override { return GetCount(); }
  CControlUI* GetChildAt(int index) const override { return GetItemAt(index); }

 private:
  void Adopt(CControlUI* control);

  std::vector<std::unique_ptr<CControlUI>> items_;
  Rect inset_;
};

}  // namespace ui
