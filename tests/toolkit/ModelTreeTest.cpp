// The toolkit's model on its own: the builder with the model's classes, the bounds that keep a
// layout from building without end, the control states, and what controls ask of their window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ZipWriter.h"
#include "model/Container.h"
#include "model/LayoutBuilder.h"
#include "model/Layouts.h"
#include "model/UiEvent.h"
#include "model/WindowModel.h"

namespace {

using toolkittest::MakeZip;
using toolkittest::ZipEntry;
using ui::CControlUI;

// A window model that records what its controls ask of the window.
class RecordingModel : public ui::WindowModel {
 public:
  explicit RecordingModel(const ui::SkinPackage& package) : WindowModel(package) {}
  void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM) override {
    notified.push_back(sender->GetName() + L":" + type + L":" + std::to_wstring(wParam));
  }
  void Invalidate(const ui::Rect&) override { ++invalidated; }
  void ApplyWindowSize(ui::Size size) override { sizes.push_back(size); }
  std::vector<std::wstring> notified;
  int invalidated = 0;
  std::vector<ui::Size> sizes;
};

// Remembers every element name it was asked for; makes nothing.
class AskingFactory : public ui::IDialogBuilderCallback {
 public:
  CControlUI* CreateCustomControl(const wchar_t* elementName) override {
    asked.push_back(elementName);
    return nullptr;
  }
  std::vector<std::wstring> asked;
};

struct Fixture {
  explicit Fixture(std::vector<ZipEntry> files) {
    std::string zip = MakeZip(files);
    EXPECT_TRUE(package.Open(zip.data(), zip.size()));
  }
  std::unique_ptr<CControlUI> Build(const wchar_t* path) { return builder.Build(path, &factory, model); }

  ui::SkinPackage package;
  RecordingModel model{package};
  ui::LayoutBuilder builder;
  AskingFactory factory;
};

const char kHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Window(const std::string& inner, const std::string& attrs = "") {
  return kHead + std::string("<Window") + attrs + ">" + inner + "</Window>";
}

int CountControls(CControlUI* root) {
  int n = 0;
  ui::VisitTree(root, [&](CControlUI*) { ++n; });
  return n;
}

TEST(ModelTree, ModelBuildsLayoutsAndOffersOtherNamesToTheFactory) {
  Fixture f({{"Xmls/w.xml", Window("<VerticalLayout><horizontallayout name=\"h\"/><TileLayout name=\"t\"/>"
                                   "<Container name=\"c\"/><Control name=\"p\"/><Label name=\"l\"/>"
                                   "</VerticalLayout>",
                                   " size=\"300,200\" caption=\"0,0,0,47\"")}});
  auto root = f.Build(L"xmls\\W.xml");
  ASSERT_TRUE(root);
  ASSERT_TRUE(f.model.AttachRoot(std::move(root)));
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"h", L"HorizontalLayoutUI"}, {L"t", L"TileLayoutUI"}, {L"c", L"ContainerUI"}, {L"p", L"ControlUI"}};
  for (const auto& [name, cls] : expected) {
    CControlUI* control = f.model.FindControl(name);
    ASSERT_NE(nullptr, control) << name;
    EXPECT_EQ(cls, control->ClassName());
  }
  // The standard controls belong to a window's manager; the model offers them to the factory.
  EXPECT_EQ(nullptr, f.model.FindControl(L"l"));
  EXPECT_EQ(std::vector<std::wstring>{L"Label"}, f.factory.asked);
  // Without a window, `size` is recorded and handed to the hook that a window applies.
  EXPECT_EQ(300, f.model.GetWindowAttributes().size.cx);
  ASSERT_EQ(1u, f.model.sizes.size());
  EXPECT_EQ(200, f.model.sizes[0].cy);
  EXPECT_TRUE(f.model.GetWindowAttributes().hasCaption);
}

struct IncludeCase {
  const char* name;
  std::vector<ZipEntry> files;
  int minControls;
  int maxControls;
};

// A broken or hostile layout ends with a bounded tree: a huge `count`, and counts multiplied
// through nested includes.
TEST(ModelTree, IncludeCountsAreBounded) {
  const std::string one = Window("<Control/>");
  const std::string row = Window("<Include source=\"Xmls/one.xml\" count=\"60\"/>");
  const std::string grid = Window("<Include source=\"Xmls/row.xml\" count=\"60\"/>");
  const std::string cube = Window("<Include source=\"Xmls/grid.xml\" count=\"60\"/>");
  const IncludeCase cases[] = {
      {"a count of a million builds at most 64",
       {{"Xmls/one.xml", one},
        {"Xmls/w.xml", Window("<VerticalLayout><Include source=\"Xmls/one.xml\" count=\"1000000\"/>"
                              "</VerticalLayout>")}},
       65,
       65},
      {"nested counts stop at the budget",
       {{"Xmls/one.xml", one},
        {"Xmls/row.xml", row},
        {"Xmls/grid.xml", grid},
        {"Xmls/cube.xml", cube},
        {"Xmls/w.xml", Window("<VerticalLayout><Include source=\"Xmls/cube.xml\" count=\"60\"/>"
                              "</VerticalLayout>")}},
       2,
       10000},
      {"a negative count builds nothing",
       {{"Xmls/one.xml", one},
        {"Xmls/w.xml", Window("<VerticalLayout><Include source=\"Xmls/one.xml\" count=\"-5\"/>"
                              "</VerticalLayout>")}},
       1,
       1},
  };
  for (const IncludeCase& c : cases) {
    Fixture f(c.files);
    auto root = f.Build(L"Xmls/w.xml");
    ASSERT_TRUE(root) << c.name;
    const int n = CountControls(root.get());
    EXPECT_GE(n, c.minControls) << c.name;
    EXPECT_LE(n, c.maxControls) << c.name;
  }
}

TEST(ModelTree, InputStatesComeFromTheirAttributes) {
  CControlUI control;
  EXPECT_TRUE(control.IsEnabled());
  EXPECT_TRUE(control.IsMouseEnabled());
  EXPECT_TRUE(control.IsKeyboardEnabled());
  EXPECT_FALSE(control.IsContextMenuEnabled());
  EXPECT_TRUE(control.SetAttribute(L"enabled", L"false"));
  EXPECT_TRUE(control.SetAttribute(L"mouse", L"false"));
  EXPECT_TRUE(control.SetAttribute(L"keyboard", L"false"));
  EXPECT_TRUE(control.SetAttribute(L"menu", L"true"));
  EXPECT_FALSE(control.IsEnabled());
  EXPECT_FALSE(control.IsMouseEnabled());
  EXPECT_FALSE(control.IsKeyboardEnabled());
  EXPECT_TRUE(control.IsContextMenuEnabled());
  control.SetEnabled(true);
  EXPECT_TRUE(control.IsEnabled());
}

ui::UiEvent Event(int type, WPARAM wParam = 0) {
  ui::UiEvent event;
  event.Type = type;
  event.wParam = wParam;
  return event;
}

// The base control's events, through the hooks a window carries out.
TEST(ModelTree, BaseEventsReachTheWindowThroughTheModel) {
  ui::SkinPackage empty;
  RecordingModel model(empty);
  auto root = std::make_unique<ui::CVerticalLayoutUI>();
  root->SetName(L"root");
  auto* child = new CControlUI;
  child->SetName(L"child");
  root->Add(child);
  ASSERT_TRUE(model.AttachRoot(std::move(root)));

  ui::UiEvent timer = Event(ui::UIEVENT_TIMER, 7);
  child->OnEvent(timer);
  ui::UiEvent menu = Event(ui::UIEVENT_CONTEXTMENU);
  child->OnEvent(menu);  // context menu not enabled: nothing
  child->SetContextMenuEnabled(true);
  child->OnEvent(menu);
  // Events the base does not handle go to the parent.
  model.GetRoot()->SetContextMenuEnabled(true);
  ui::UiEvent wheel = Event(ui::UIEVENT_SCROLLWHEEL);
  child->OnEvent(wheel);
  EXPECT_EQ((std::vector<std::wstring>{L"child:timer:7", L"child:menu:0"}), model.notified);

  const int before = model.invalidated;
  ui::UiEvent focus = Event(ui::UIEVENT_SETFOCUS);
  child->OnEvent(focus);
  child->SetText(L"x");
  child->SetEnabled(false);
  EXPECT_EQ(before + 3, model.invalidated);
  // Focus without a window is only recorded.
  child->Focus();
  EXPECT_EQ(child, model.GetFocus());
}

}  // namespace
