// The skin's images decoded through the process's image cache, from the package and from disk.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestSupport.h"
#include "ZipWriter.h"
#include "model/SkinPackage.h"
#include "model/SkinResource.h"
#include "render/GifDelays.h"
#include "render/ImageData.h"
#include "window/PaintManager.h"

using ui::SkinPackage;

namespace {

const SkinPackage& Embedded() {
  EXPECT_TRUE(ui::LoadSkinPackage(GetModuleHandleW(nullptr)));
  return ui::GetSkinPackage();
}

struct ImageCase {
  const wchar_t* path;
  int width;
  int height;
  size_t frames;
};

TEST(SkinImages, EveryImageDecodesAtTheSizeTheLayoutsUse) {
  const SkinPackage& package = Embedded();
  const ImageCase cases[] = {
      {L"UI\\close_normal.png", 21, 21, 1}, {L"UI\\close_hover.png", 21, 21, 1},
      {L"UI\\close_click.png", 21, 21, 1},  {L"UI\\edit_bk.png", 60, 30, 1},
      {L"UI\\tv_logo1.png", 50, 50, 1},     {L"UI\\tv_logo.png", 250, 115, 1},
      {L"UI/tip_bk.png", 40, 40, 1},        {L"UI/icon_call.png", 54, 54, 1},
      {L"UI/icon_msg.png", 54, 54, 1},      {L"UI/icon_shop.png", 54, 54, 1},
      {L"UI/icon_music.png", 54, 54, 1},    {L"UI\\loading.gif", 64, 64, 12},
  };
  for (const ImageCase& c : cases) {
    ui::ImagePtr image = ui::LoadSkinImage(package, c.path);
    ASSERT_TRUE(image) << c.path;
    EXPECT_EQ(c.width, image->width) << c.path;
    EXPECT_EQ(c.height, image->height) << c.path;
    EXPECT_EQ(c.frames, image->frames.size()) << c.path;
  }
  // Icons are discs on a transparent ground; the animation turns every 80 ms.
  ui::ImagePtr icon = ui::LoadSkinImage(package, L"UI/icon_call.png");
  EXPECT_EQ(0u, icon->PixelAt(0, 0) >> 24);
  EXPECT_EQ(0xFFu, icon->PixelAt(5, 27) >> 24);
  ui::ImagePtr gif = ui::LoadSkinImage(package, L"UI/loading.gif");
  for (const ui::ImageFrame& f : gif->frames) EXPECT_EQ(80, f.delayMs);
  ASSERT_EQ(64u * 64u, gif->Frame(6).pixels.size());
  EXPECT_NE(gif->Frame(0).pixels, gif->Frame(6).pixels);
}

TEST(SkinImages, PathMissingFromThePackageIsReadFromDisk) {
  const SkinPackage& package = Embedded();
  std::string png;
  ASSERT_TRUE(package.Read(L"UI/icon_music.png", png));
  testsupport::TempDir dir;
  std::wstring onDisk = dir.File(L"游戏.png");
  ASSERT_TRUE(testsupport::WriteFileBytes(onDisk, png));
  ASSERT_FALSE(package.Contains(onDisk));

  ui::ImagePtr image = ui::LoadSkinImage(package, onDisk);
  ASSERT_TRUE(image);
  EXPECT_EQ(54, image->width);
  // Found nowhere, or not an image: nothing, and no error.
  EXPECT_FALSE(ui::LoadSkinImage(package, dir.File(L"missing.png")));
  ASSERT_TRUE(testsupport::WriteFileBytes(dir.File(L"bad.png"), "not an image"));
  EXPECT_FALSE(ui::LoadSkinImage(package, dir.File(L"bad.png")));
  EXPECT_FALSE(ui::LoadSkinImage(package, L"UI/none.png"));
}

// The three web dialogs show the same loading animation: one decoding serves every window.
TEST(SkinImages, WindowsShareOneDecodingPerImage) {
  const SkinPackage& package = Embedded();
  ui::PaintManager first(package);
  ui::PaintManager second(package);
  ui::ImagePtr a = first.GetImage(L"UI\\loading.gif");
  ASSERT_TRUE(a);
  const size_t cached = ui::CachedImageCount();
  EXPECT_EQ(a, second.GetImage(L"ui/LOADING.gif"));
  EXPECT_EQ(a, ui::LoadSkinImage(package, L"UI/loading.gif"));
  EXPECT_EQ(cached, ui::CachedImageCount());
}

// Another archive with an entry of the same name is another image.
TEST(SkinImages, PackagesDoNotShareEntriesOfTheSameName) {
  std::string icon;
  std::string logo;
  ASSERT_TRUE(Embedded().Read(L"UI/icon_call.png", icon));
  ASSERT_TRUE(Embedded().Read(L"UI/tv_logo.png", logo));
  ui::SkinPackage one;
  ui::SkinPackage two;
  const std::string zipOne = toolkittest::MakeZip({{"UI/pic.png", icon}});
  const std::string zipTwo = toolkittest::MakeZip({{"UI/pic.png", logo}});
  ASSERT_TRUE(one.Open(zipOne.data(), zipOne.size()));
  ASSERT_TRUE(two.Open(zipTwo.data(), zipTwo.size()));
  ASSERT_TRUE(ui::LoadSkinImage(one, L"UI/pic.png"));
  ASSERT_TRUE(ui::LoadSkinImage(two, L"UI/pic.png"));
  EXPECT_EQ(54, ui::LoadSkinImage(one, L"UI/pic.png")->width);
  EXPECT_EQ(250, ui::LoadSkinImage(two, L"UI/pic.png")->width);
}

// The tool strip rewrites its icon files on disk: a changed file is decoded again.
TEST(SkinImages, ChangedFileOnDiskIsDecodedAgain) {
  std::string icon;
  std::string logo;
  ASSERT_TRUE(Embedded().Read(L"UI/icon_call.png", icon));
  ASSERT_TRUE(Embedded().Read(L"UI/tv_logo.png", logo));
  testsupport::TempDir dir;
  const std::wstring path = dir.File(L"tool.png");
  ASSERT_TRUE(testsupport::WriteFileBytes(path, icon));
  ui::ImagePtr before = ui::LoadSkinImage(Embedded(), path);
  ASSERT_TRUE(before);
  EXPECT_EQ(before, ui::LoadSkinImage(Embedded(), path));
  ASSERT_TRUE(testsupport::WriteFileBytes(path, logo));
  ui::ImagePtr after = ui::LoadSkinImage(Embedded(), path);
  ASSERT_TRUE(after);
  EXPECT_EQ(250, after->width);
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  EXPECT_FALSE(ui::LoadSkinImage(Embedded(), path));
}

}  // namespace

namespace {

TEST(SkinImages, GifDelaysComeFromTheFileAndDamageGivesNone) {
  std::string gif;
  ASSERT_TRUE(Embedded().Read(L"UI/loading.gif", gif));
  EXPECT_EQ(std::vector<int>(12, 80), ui::GifFrameDelays(gif));
  EXPECT_TRUE(ui::GifFrameDelays(gif.substr(0, gif.size() / 2)).empty());
  EXPECT_TRUE(ui::GifFrameDelays("GIF89a").empty());
  std::string png;
  ASSERT_TRUE(Embedded().Read(L"UI/tip_bk.png", png));
  EXPECT_TRUE(ui::GifFrameDelays(png).empty());
}

}  // namespace
