// The layout builder: the input is a layout file, built into a control tree and laid out. The
// package holds the input itself as "Xmls/Self.xml", so that includes (of itself too) are built.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "ZipWriter.h"
#include "model/Control.h"
#include "model/LayoutBuilder.h"
#include "model/SkinPackage.h"
#include "model/WindowModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string xml(reinterpret_cast<const char*>(data), size);
  std::string zip = toolkittest::MakeZip({{"Xmls/Self.xml", xml, false}});
  ui::SkinPackage package;
  if (!package.Open(zip.data(), zip.size())) std::abort();
  ui::WindowModel model(package);
  ui::LayoutBuilder builder;
  std::unique_ptr<ui::CControlUI> root = builder.BuildFromXml(xml, nullptr, model);
  if (root && model.AttachRoot(std::move(root))) {
    model.LayoutRoot(ui::Rect{0, 0, 800, 600});
    model.FindControl(L"ie");
  }
  return 0;
}
