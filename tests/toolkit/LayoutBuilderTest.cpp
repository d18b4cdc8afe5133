// The layout builder with a window's manager (the standard controls) on small packages made for
// each rule.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TextConvert.h"
#include "ZipWriter.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "model/Container.h"
#include "model/LayoutBuilder.h"
#include "model/Layouts.h"
#include "window/PaintManager.h"

namespace {

using toolkittest::MakeZip;
using toolkittest::ZipEntry;
using ui::CControlUI;

// A control that records every attribute it is given, in order.
class RecordingControl : public ui::CLabelUI {
 public:
  std::wstring ClassName() const override { return L"RecordingUI"; }
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override {
    calls.push_back(std::wstring(name) + L"=" + std::wstring(value));
    return CLabelUI::SetAttribute(name, value);
  }
  std::vector<std::wstring> calls;
};

// Creates RecordingControl for "Recorder" and remembers every name it was asked for.
class Factory : public ui::IDialogBuilderCallback {
 public:
  CControlUI* CreateCustomControl(const wchar_t* elementName) override {
    asked.push_back(elementName);
    if (_wcsicmp(elementName, L"Recorder") == 0) return new RecordingControl;
    return nullptr;
  }
  std::vector<std::wstring> asked;
};

// A package of layout files, one manager and a builder.
struct Fixture {
  explicit Fixture(std::vector<ZipEntry> files) {
    std::string zip = MakeZip(files);
    EXPECT_TRUE(package.Open(zip.data(), zip.size()));
  }
  std::unique_ptr<CControlUI> Build(const wchar_t* path) { return builder.Build(path, &factory, manager); }

  ui::SkinPackage package;
  ui::PaintManager manager{package};
  ui::LayoutBuilder builder;
  Factory factory;
};

const char kHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Window(const std::string& inner, const std::string& attrs = "") {
  return kHead + std::string("<Window") + attrs + ">" + inner + "</Window>";
}

int CountNamed(CControlUI* root, const std::wstring& name) {
  int n = 0;
  ui::VisitTree(root, [&](CControlUI* c) { n += c->GetName() == name ? 1 : 0; });
  return n;
}

TEST(LayoutBuilder, FontsAreNumberedByPositionNotById) {
  const std::string fonts =
      kHead + std::string(
                  "<DefaultConfig>"
                  "<Font id=\"0\" name=\"A\" size=\"12\" default=\"true\"/>"
                  "<Font id=\"1\" name=\"B\" size=\"14\" bold=\"true\" underline=\"true\"/>"
                  "</DefaultConfig>");
  const std::string swapped =
      kHead + std::string(
                  "<DefaultConfig>"
                  "<Font id=\"1\" name=\"B\" size=\"14\" bold=\"true\" underline=\"true\"/>"
                  "<Font id=\"0\" name=\"A\" size=\"12\" default=\"true\"/>"
                  "</DefaultConfig>");
  const std::string window = Window("<Include source=\"xmls\\fonts.xml\"/><Label name=\"l\" font=\"1\"/>");
  for (const std::string* file : {&fonts, &swapped}) {
    Fixture f({{"Xmls/fonts.xml", *file}, {"Xmls/w.xml", window}});
    auto root = f.Build(L"Xmls\\w.xml");
    ASSERT_TRUE(root);
    ASSERT_EQ(2, f.manager.GetFontCount());
    const wchar_t* first = file == &fonts ? L"A" : L"B";
    const wchar_t* second = file == &fonts ? L"B" : L"A";
    EXPECT_EQ(first, f.manager.GetFont(0)->face);
    EXPECT_EQ(second, f.manager.GetFont(1)->face);
    EXPECT_EQ(file == &fonts ? 0 : 1, f.manager.GetDefaultFontIndex());
    EXPECT_EQ(file == &fonts, f.manager.GetFont(1)->bold);
    EXPECT_EQ(1, static_cast<ui::CLabelUI*>(root.get())->GetFont());
  }
}

TEST(LayoutBuilder, IncludeWithCountBuildsItsContentThatOften) {
  const std::string part = kHead + std::string("<Window><Label name=\"part\" width=\"10\"/></Window>");
  Fixture f({{"Xmls/part.xml", part},
             {"Xmls/w.xml", Window("<HorizontalLayout><Include source=\"Xmls/part.xml\" count=\"2\"/>"
                                   "<Include source=\"Xmls/part.xml\"/>"
                                   "<Include source=\"Xmls/part.xml\" count=\"0\"/></HorizontalLayout>")}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  auto* row = static_cast<ui::CContainerUI*>(root.get());
  EXPECT_EQ(3, row->GetCount());
  EXPECT_EQ(3, CountNamed(root.get(), L"part"));
}

TEST(LayoutBuilder, SelfIncludingFileEndsInsteadOfRecursingForever) {
  Fixture f({{"Xmls/loop.xml", Window("<Include source=\"Xmls/w.xml\"/>")},
             {"Xmls/w.xml", Window("<VerticalLayout><Label name=\"x\"/><Include source=\"Xmls/loop.xml\"/>"
                                   "</VerticalLayout>")}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  EXPECT_GE(CountNamed(root.get(), L"x"), 1);
}

// Elements nested nearly as deep as the XML parser allows (100 levels), with the file including itself at the
// innermost level as deep as the include bound lets it: the tree is built, attached, laid out and
// deleted within the thread's stack.
TEST(LayoutBuilder, DeepNestingThroughSelfIncludesStaysWithinTheStack) {
  std::string open;
  std::string close;
  for (int i = 0; i < 95; ++i) {
    open += "<VerticalLayout>";
    close += "</VerticalLayout>";
  }
  Fixture f(
      {{"Xmls/deep.xml", Window(open + "<Label name=\"x\"/><Include source=\"Xmls/deep.xml\"/>" + close)}});
  auto root = f.Build(L"Xmls/deep.xml");
  ASSERT_TRUE(root);
  EXPECT_GE(CountNamed(root.get(), L"x"), 1);
  ASSERT_TRUE(f.manager.AttachRoot(std::move(root)));
  f.manager.LayoutRoot(ui::Rect{0, 0, 800, 600});
  EXPECT_NE(nullptr, f.manager.FindControl(L"x"));
}

TEST(LayoutBuilder, DefaultListComesBeforeTheOwnAttributes) {
  const std::string file = Window(
      "<Default name=\"recorder\" value=\"width=&quot;10&quot; text=&quot;from default&quot;\"/>"
      "<HorizontalLayout><Recorder name=\"r\" width=\"20\" height=\"5\"/><Recorder name=\"plain\"/>"
      "</HorizontalLayout>");
  Fixture f({{"Xmls/w.xml", file}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  ASSERT_TRUE(f.manager.AttachRoot(std::move(root)));
  auto* r = static_cast<RecordingControl*>(f.manager.FindControl(L"r"));
  ASSERT_NE(nullptr, r);
  std::vector<std::wstring> expected = {L"width=10", L"text=from default", L"name=r", L"width=20",
                                        L"height=5"};
  EXPECT_EQ(expected, r->calls);
  EXPECT_EQ(20, r->GetFixedWidth());
  EXPECT_EQ(L"from default", r->GetText());
  auto* plain = static_cast<RecordingControl*>(f.manager.FindControl(L"plain"));
  ASSERT_NE(nullptr, plain);
  EXPECT_EQ(10, plain->GetFixedWidth());
}

TEST(LayoutBuilder, UnknownElementsAreSkippedWithTheirContent) {
  Fixture f({{"Xmls/w.xml", Window("<VerticalLayout><Label name=\"before\"/>"
                                   "<Mystery name=\"m\"><Label name=\"inside\"/></Mystery>"
                                   "<Label name=\"after\"/></VerticalLayout>")}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  auto* layout = static_cast<ui::CContainerUI*>(root.get());
  ASSERT_EQ(2, layout->GetCount());
  EXPECT_EQ(L"before", layout->GetItemAt(0)->GetName());
  EXPECT_EQ(L"after", layout->GetItemAt(1)->GetName());
  EXPECT_EQ(0, CountNamed(root.get(), L"inside"));
  // Toolkit names are not offered to the factory; unknown ones are.
  std::vector<std::wstring> asked = {L"Mystery"};
  EXPECT_EQ(asked, f.factory.asked);
}

TEST(LayoutBuilder, ElementNamesMapToToolkitClassesWhateverTheirCase) {
  Fixture f({{"Xmls/w.xml", Window("<verticallayout><HORIZONTALLAYOUT name=\"h\"/><TileLayout name=\"t\"/>"
                                   "<Label name=\"l\"/><Text name=\"x\"/><Button name=\"b\"/>"
                                   "<RichEdit name=\"e\"/><GifAnim name=\"g\"/><Recorder name=\"c\"/>"
                                   "</verticallayout>")}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  EXPECT_EQ(L"VerticalLayoutUI", root->ClassName());
  ASSERT_TRUE(f.manager.AttachRoot(std::move(root)));
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"h", L"HorizontalLayoutUI"}, {L"t", L"TileLayoutUI"}, {L"l", L"LabelUI"},   {L"x", L"TextUI"},
      {L"b", L"ButtonUI"},           {L"e", L"RichEditUI"},   {L"g", L"GifAnimUI"}, {L"c", L"RecordingUI"}};
  for (const auto& [name, cls] : expected) {
    CControlUI* c = f.manager.FindControl(name);
    ASSERT_NE(nullptr, c) << name;
    EXPECT_EQ(cls, c->ClassName()) << name;
    EXPECT_EQ(&f.manager, c->GetManager()) << name;
  }
}

TEST(LayoutBuilder, ChildrenAreBuiltBeforeTheParentsAttributes) {
  // `visible` of the container is applied after its children exist, so it reaches them.
  Fixture f({{"Xmls/w.xml", Window("<VerticalLayout><HorizontalLayout name=\"load\" visible=\"false\">"
                                   "<Label name=\"inner\"/></HorizontalLayout></VerticalLayout>")}});
  ASSERT_TRUE(f.manager.AttachRoot(f.Build(L"Xmls/w.xml")));
  CControlUI* load = f.manager.FindControl(L"load");
  CControlUI* inner = f.manager.FindControl(L"inner");
  ASSERT_NE(nullptr, inner);
  EXPECT_FALSE(load->IsVisible());
  EXPECT_FALSE(inner->IsVisible());
  load->SetVisible(true);
  EXPECT_TRUE(inner->IsVisible());
}

TEST(LayoutBuilder, WindowAttributesReachTheManager) {
  Fixture f(
      {{"Xmls/w.xml", Window("<Label/>",
                             " size=\"360,300\" caption=\"0,0,0,47\" roundcorner=\"3,3\" mininfo=\"900,360\" "
                             "maxinfo=\"1200,880\" bktrans=\"true\" gdiplustext=\"true\" showshadow=\"true\" "
                             "shadowsize=\"4\" unknown=\"1\"")}});
  ASSERT_TRUE(f.Build(L"Xmls/w.xml"));
  const ui::WindowAttributes& w = f.manager.GetWindowAttributes();
  EXPECT_EQ((ui::Size{360, 300}), w.size);
  EXPECT_TRUE(w.hasCaption);
  EXPECT_EQ((ui::Rect{0, 0, 0, 47}), w.caption);
  EXPECT_EQ((ui::Size{3, 3}), w.roundCorner);
  EXPECT_EQ((ui::Size{900, 360}), w.minInfo);
  EXPECT_EQ((ui::Size{1200, 880}), w.maxInfo);
  EXPECT_TRUE(w.bkTrans);
  EXPECT_TRUE(w.gdiplusText);
  EXPECT_TRUE(w.showShadow);
  EXPECT_EQ(4, w.shadowSize);
}

TEST(LayoutBuilder, FilesThatYieldNoTree) {
  Fixture f({{"Xmls/broken.xml", kHead + std::string("<Window><VerticalLayout></Window>")},
             {"Xmls/fontsonly.xml", Window("<Font name=\"A\" size=\"12\"/>")},
             {"Xmls/unknownonly.xml", Window("<Mystery><Label/></Mystery>")},
             {"Xmls/empty.xml", ""},
             {"Xmls/text.xml", "just text"}});
  for (const wchar_t* path : {L"Xmls/missing.xml", L"Xmls/broken.xml", L"Xmls/fontsonly.xml",
                              L"Xmls/unknownonly.xml", L"Xmls/empty.xml", L"Xmls/text.xml"}) {
    EXPECT_FALSE(f.Build(path)) << path;
  }
  // Without a factory, a custom element is simply unknown.
  EXPECT_FALSE(f.builder.BuildFromXml(Window("<Recorder/>"), nullptr, f.manager));
}

TEST(LayoutBuilder, AttributeValuesKeepTheirBlanksAndUnicode) {
  Fixture f({{"Xmls/w.xml", Window("<RichEdit name=\"input\" tipvalue=\"          请输入网吧账号\" "
                                   "text=\"a &amp; b\"/>")}});
  auto root = f.Build(L"Xmls/w.xml");
  ASSERT_TRUE(root);
  auto* edit = static_cast<ui::CRichEditUI*>(root.get());
  EXPECT_EQ(Utf8ToWide("          请输入网吧账号"), edit->GetTipValue());
  EXPECT_EQ(L"a & b", edit->GetText());
}

TEST(PaintManager, AttachCallsOnAttachOnceAndAttachesLaterChildren) {
  struct Counting : ui::CLabelUI {
    void OnAttach() override { ++attached; }
    int attached = 0;
  };
  ui::SkinPackage empty;
  ui::PaintManager manager(empty);
  auto root = std::make_unique<ui::CVerticalLayoutUI>();
  auto* early = new Counting;
  root->Add(early);
  EXPECT_EQ(0, early->attached);
  ASSERT_TRUE(manager.AttachRoot(std::move(root)));
  EXPECT_EQ(1, early->attached);
  auto* late = new Counting;
  late->SetName(L"late");
  static_cast<ui::CContainerUI*>(manager.GetRoot())->Add(late);
  EXPECT_EQ(1, late->attached);
  EXPECT_EQ(late, manager.FindControl(L"late"));
  EXPECT_EQ(&manager, late->GetManager());
  EXPECT_EQ(nullptr, manager.FindControl(L"nobody"));
  EXPECT_FALSE(manager.AttachRoot(nullptr));
}

}  // namespace
