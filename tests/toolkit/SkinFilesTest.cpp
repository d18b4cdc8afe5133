// Every layout file of the embedded skin builds into the tree the client's windows rely on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TextConvert.h"
#include "controls/Button.h"
#include "controls/GifAnim.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "model/SkinResource.h"
#include "model/Container.h"
#include "model/LayoutBuilder.h"
#include "window/PaintManager.h"

namespace {

using ui::CControlUI;
using ui::Rect;
using ui::Size;

// Stands in for the client's own controls (web views, tool buttons).
class StandIn : public CControlUI {
 public:
  explicit StandIn(std::wstring cls) : cls_(std::move(cls)) {}
  std::wstring ClassName() const override { return cls_; }

 private:
  std::wstring cls_;
};

// The control factories of the client's windows: element name to class, case ignored.
class WindowFactory : public ui::IDialogBuilderCallback {
 public:
  WindowFactory(const wchar_t* element, const wchar_t* cls) : element_(element), cls_(cls) {}
  CControlUI* CreateCustomControl(const wchar_t* elementName) override {
    if (element_ != nullptr && _wcsicmp(elementName, element_) == 0) return new StandIn(cls_);
    return nullptr;
  }

 private:
  const wchar_t* element_;
  const wchar_t* cls_;
};

struct Named {
  const wchar_t* name;
  const wchar_t* cls;
  int width;
  int height;
  bool visible;
};

struct Placed {
  const wchar_t* name;
  Rect pos;
};

struct SkinCase {
  const wchar_t* file;
  const wchar_t* element;  // the window's custom element, if any
  const wchar_t* elementClass;
  Size size;
  Rect caption;  // all -9: no caption
  Size roundCorner;
  Size minInfo;
  Size maxInfo;
  bool bkTrans;
  bool gdiplusText;
  bool showShadow;
  int shadowSize;
  int fonts;
  const wchar_t* rootClass;
  std::vector<Named> named;
  std::vector<Placed> placed;  // laid out at the window's size
};

const Rect kNoCaption{-9, -9, -9, -9};

std::vector<SkinCase> Cases() {
  const Named webDialogNamed[] = {
      {L"Layout_load", L"HorizontalLayoutUI", 0, 0, false},
      {L"Layout_web", L"HorizontalLayoutUI", 0, 0, true},
  };
  std::vector<SkinCase> cases = {
      {L"Xmls\\MainFrame.xml",
       L"WebKit",
       L"WebkitUI",
       {900, 360},
       kNoCaption,
       {},
       {900, 360},
       {1200, 880},
       false,
       false,
       false,
       0,
       0,
       L"VerticalLayoutUI",
       {{L"ie", L"WebkitUI", 0, 0, true}},
       {{L"ie", {0, 0, 900, 360}}}},
      {L"Xmls\\tv_LogoDialog.xml",
       nullptr,
       nullptr,
       {250, 155},
       {0, 0, 0, -1},
       {},
       {},
       {},
       true,
       false,
       false,
       0,
       0,
       L"HorizontalLayoutUI",
       {{L"layout_bk", L"HorizontalLayoutUI", 250, 115, true}},
       {{L"layout_bk", {0, 0, 250, 115}}}},
      {L"Xmls\\TipDialog.xml",
       L"TipBtn",
       L"TipBtn",
       {90, 386},
       kNoCaption,
       {},
       {},
       {},
       true,
       true,
       false,
       0,
       3,
       L"VerticalLayoutUI",
       {{L"V_LAYOUT", L"VerticalLayoutUI", 0, 0, true}, {L"TipList", L"TileLayoutUI", 0, 0, true}},
       {{L"V_LAYOUT", {0, 0, 90, 386}}, {L"TipList", {10, 10, 80, 376}}}},
      {L"Xmls\\LoginDialog.xml",
       nullptr,
       nullptr,
       {360, 300},
       {0, 0, 0, 47},
       {3, 3},
       {},
       {},
       false,
       false,
       false,
       0,
       19,
       L"VerticalLayoutUI",
       {{L"Title", L"HorizontalLayoutUI", 0, 47, true},
        {L"closebtn", L"ButtonUI", 21, 21, true},
        {L"logo", L"LabelUI", 50, 50, true},
        {L"name", L"LabelUI", 0, 0, true},
        {L"input", L"RichEditUI", 0, 0, true},
        {L"okbtn", L"ButtonUI", 120, 0, true}},
       {{L"closebtn", {326, 13, 347, 34}},
        {L"logo", {155, 58, 205, 108}},
        {L"name", {0, 108, 360, 138}},
        {L"input", {75, 160, 285, 186}},
        {L"okbtn", {120, 225, 240, 255}}}},
      {L"Xmls\\MsgDialog.xml",
       nullptr,
       nullptr,
       {360, 240},
       {0, 0, 0, 47},
       {3, 3},
       {},
       {},
       false,
       false,
       false,
       0,
       19,
       L"VerticalLayoutUI",
       {{L"Title", L"HorizontalLayoutUI", 0, 47, true},
        {L"LabelTitle", L"LabelUI", 0, 0, true},
        {L"closebtn", L"ButtonUI", 21, 21, true},
        {L"LabelMsg", L"TextUI", 0, 0, true},
        {L"okbtn", L"ButtonUI", 120, 0, true},
        {L"cancelbtn", L"ButtonUI", 120, 0, true}},
       {{L"LabelTitle", {20, 0, 306, 47}},
        {L"closebtn", {326, 13, 347, 34}},
        {L"LabelMsg", {0, 67, 360, 175}},
        {L"okbtn", {35, 190, 155, 220}},
        {L"cancelbtn", {205, 190, 325, 220}}}},
  };
  const std::pair<const wchar_t*, const wchar_t*> webDialogs[] = {{L"Xmls\\CallDialog.xml", L"WebKit1"},
                                                                  {L"Xmls\\LeaveDialog.xml", L"WebKit2"},
                                                                  {L"Xmls\\SongDialog.xml", L"WebKit3"}};
  const wchar_t* classes[] = {L"WebkitUI1", L"WebkitUI2", L"WebkitUI3"};
  for (int i = 0; i < 3; ++i) {
    SkinCase c{webDialogs[i].first,
               webDialogs[i].second,
               classes[i],
               {900, 360},
               kNoCaption,
               {},
               {},
               {},
               false,
               false,
               true,
               4,
               0,
               L"VerticalLayoutUI",
               {},
               {}};
    c.named.assign(std::begin(webDialogNamed), std::end(webDialogNamed));
    c.named.push_back({L"ie", classes[i], 0, 0, true});
    // The loading layout is hidden in the file, so the web layout fills the inset area.
    c.placed = {{L"Layout_web", {1, 1, 899, 359}}, {L"ie", {1, 1, 899, 359}}};
    cases.push_back(c);
  }
  return cases;
}

// Builds a window's tree from the embedded package and attaches it to the manager.
std::unique_ptr<ui::PaintManager> BuildWindow(const SkinCase& c) {
  EXPECT_TRUE(ui::LoadSkinPackage(GetModuleHandleW(nullptr)));
  auto manager = std::make_unique<ui::PaintManager>();
  WindowFactory factory(c.element, c.elementClass);
  ui::LayoutBuilder builder;
  EXPECT_TRUE(manager->AttachRoot(builder.Build(c.file, &factory, *manager))) << c.file;
  return manager;
}

TEST(SkinFiles, EveryWindowBuildsTheExpectedTree) {
  for (const SkinCase& c : Cases()) {
    SCOPED_TRACE(WideToUtf8(c.file));
    std::unique_ptr<ui::PaintManager> manager = BuildWindow(c);
    ASSERT_NE(nullptr, manager->GetRoot());
    EXPECT_EQ(c.rootClass, manager->GetRoot()->ClassName());

    const ui::WindowAttributes& w = manager->GetWindowAttributes();
    EXPECT_EQ(c.size, w.size);
    EXPECT_EQ(c.caption != kNoCaption, w.hasCaption);
    if (w.hasCaption) {
      EXPECT_EQ(c.caption, w.caption);
    }
    EXPECT_EQ(c.roundCorner, w.roundCorner);
    EXPECT_EQ(c.minInfo, w.minInfo);
    EXPECT_EQ(c.maxInfo, w.maxInfo);
    EXPECT_EQ(c.bkTrans, w.bkTrans);
    EXPECT_EQ(c.gdiplusText, w.gdiplusText);
    EXPECT_EQ(c.showShadow, w.showShadow);
    EXPECT_EQ(c.shadowSize, w.shadowSize);
    EXPECT_EQ(c.fonts, manager->GetFontCount());

    for (const Named& n : c.named) {
      CControlUI* control = manager->FindControl(n.name);
      ASSERT_NE(nullptr, control) << WideToUtf8(n.name);
      EXPECT_EQ(n.cls, control->ClassName()) << WideToUtf8(n.name);
      EXPECT_EQ(n.width, control->GetFixedWidth()) << WideToUtf8(n.name);
      EXPECT_EQ(n.height, control->GetFixedHeight()) << WideToUtf8(n.name);
      EXPECT_EQ(n.visible, control->IsVisible()) << WideToUtf8(n.name);
    }

    manager->LayoutRoot(Rect{0, 0, c.size.cx, c.size.cy});
    for (const Placed& p : c.placed) {
      CControlUI* control = manager->FindControl(p.name);
      ASSERT_NE(nullptr, control) << WideToUtf8(p.name);
      EXPECT_EQ(p.pos, control->GetPos()) << WideToUtf8(p.name);
    }
  }
}

TEST(SkinFiles, EveryImageTheLayoutsNameIsInThePackage) {
  for (const SkinCase& c : Cases()) {
    SCOPED_TRACE(WideToUtf8(c.file));
    std::unique_ptr<ui::PaintManager> manager = BuildWindow(c);
    int images = 0;
    ui::VisitTree(manager->GetRoot(), [&](CControlUI* control) {
      std::vector<const ui::ImageDescriptor*> descriptors;
      control->CollectImages(descriptors);
      for (const ui::ImageDescriptor* d : descriptors) {
        ++images;
        EXPECT_TRUE(manager->GetPackage().Contains(d->file)) << WideToUtf8(d->file);
        EXPECT_TRUE(manager->GetImage(d->file)) << WideToUtf8(d->file);
      }
    });
    bool plain = c.element != nullptr && std::wstring(c.element) == L"WebKit";
    EXPECT_EQ(plain, images == 0);
  }
}

TEST(SkinFiles, DefaultFontsAndListsOfTheDialogs) {
  SkinCase login = Cases()[3];
  std::unique_ptr<ui::PaintManager> manager = BuildWindow(login);
  const int sizes[] = {12, 14, 16, 18, 20, 28, 24, 24, 24, 26, 12, 14, 16, 18, 20, 22, 24, 26, 28};
  for (int i = 0; i < 19; ++i) {
    const ui::FontInfo* font = manager->GetFont(i);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(Utf8ToWide("微软雅黑"), font->face) << i;
    EXPECT_EQ(sizes[i], font->size) << i;
    EXPECT_EQ(i >= 10, font->bold) << i;
  }
  EXPECT_EQ(0, manager->GetDefaultFontIndex());
  EXPECT_EQ(2u, manager->GetDefaultAttributeListCount());
  const std::wstring* vscroll = manager->GetDefaultAttributeList(L"VScrollBar");
  ASSERT_NE(nullptr, vscroll);
  EXPECT_NE(std::wstring::npos, vscroll->find(L"width=\"0\""));
  EXPECT_NE(std::wstring::npos, vscroll->find(L"UI\\scrollbar\\"));
  ASSERT_NE(nullptr, manager->GetDefaultAttributeList(L"HScrollBar"));

  // The login dialog's texts and colours.
  auto* name = static_cast<ui::CLabelUI*>(manager->FindControl(L"name"));
  EXPECT_EQ(2, name->GetFont());
  EXPECT_EQ(0xFF444242u, name->GetTextColor());
  EXPECT_EQ(ui::TextAlign::Center, name->GetAlign());
  auto* input = static_cast<ui::CRichEditUI*>(manager->FindControl(L"input"));
  EXPECT_EQ(Utf8ToWide("          请输入网吧账号"), input->GetTipValue());
  EXPECT_EQ(0xFFB3B3B3u, input->GetTipValueColor());
  EXPECT_EQ((Rect{10, 1, 10, 1}), input->GetTextPadding());
  EXPECT_EQ(L"UI\\edit_bk.png", input->GetParent()->GetBkImage().file);
  EXPECT_EQ((Rect{12, 12, 12, 12}), input->GetParent()->GetBkImage().corner);
  auto* ok = static_cast<ui::CButtonUI*>(manager->FindControl(L"okbtn"));
  EXPECT_EQ(Utf8ToWide("确定"), ok->GetText());
  EXPECT_EQ(0xFFFFD47Du, ok->GetBkColor());
  auto* close = static_cast<ui::CButtonUI*>(manager->FindControl(L"closebtn"));
  EXPECT_EQ(L"UI\\close_hover.png", close->GetHotImage().file);
  EXPECT_EQ(0xFFFFFFFFu, manager->GetRoot()->GetBkColor());
  EXPECT_EQ(0xFFCCCCCCu, manager->GetRoot()->GetBorderColor());
  EXPECT_EQ((Rect{1, 1, 1, 1}), manager->GetRoot()->GetBorderSize());
}

TEST(SkinFiles, MessageDialogCentresTheOkButtonWhenCancelIsHidden) {
  std::unique_ptr<ui::PaintManager> manager = BuildWindow(Cases()[4]);
  auto* msg = static_cast<ui::CTextUI*>(manager->FindControl(L"LabelMsg"));
  EXPECT_TRUE(msg->IsEndEllipsis());
  EXPECT_EQ(Utf8ToWide("取消"), manager->FindControl(L"cancelbtn")->GetText());
  manager->FindControl(L"cancelbtn")->SetVisible(false);
  manager->LayoutRoot(Rect{0, 0, 360, 240});
  EXPECT_EQ((Rect{120, 190, 240, 220}), manager->FindControl(L"okbtn")->GetPos());
}

TEST(SkinFiles, WebDialogsShowTheAnimationAtTheirLoadingGap) {
  struct Gap {
    size_t caseIndex;
    Size size;
    int gap;
  } gaps[] = {{5, {500, 350}, 130}, {6, {500, 600}, 270}, {7, {500, 350}, 130}};
  for (const Gap& g : gaps) {
    SkinCase c = Cases()[g.caseIndex];
    SCOPED_TRACE(WideToUtf8(c.file));
    std::unique_ptr<ui::PaintManager> manager = BuildWindow(c);
    // What the dialog's initialisation does: the loading layout in, the web layout out.
    manager->FindControl(L"Layout_load")->SetVisible(true);
    manager->FindControl(L"Layout_web")->SetVisible(false);
    manager->LayoutRoot(Rect{0, 0, g.size.cx, g.size.cy});
    EXPECT_EQ((Rect{1, 1, g.size.cx - 1, g.size.cy - 1}), manager->FindControl(L"Layout_load")->GetPos());
    CControlUI* gif = nullptr;
    ui::VisitTree(manager->GetRoot(), [&](CControlUI* control) {
      if (control->ClassName() == L"GifAnimUI") gif = control;
    });
    ASSERT_NE(nullptr, gif);
    EXPECT_TRUE(gif->IsVisible());
    EXPECT_TRUE(static_cast<ui::CGifAnimUI*>(gif)->IsAutoPlay());
    // The column is 64 wide and centred; the GIF takes its own 64x64 size below the gap.
    int left = 1 + (g.size.cx - 2 - 64) / 2;
    EXPECT_EQ((Rect{left, 1 + g.gap, left + 64, 1 + g.gap + 64}), gif->GetPos());
  }
}

}  // namespace
