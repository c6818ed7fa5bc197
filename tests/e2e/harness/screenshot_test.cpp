#include "fixture_session.h"

namespace e2e {
namespace {

using namespace fixture;

class ScreenshotTest : public FixtureTest {};

// The colour of a screen point in a saved 24-bit bottom-up BMP.
COLORREF PixelAt(const std::string& bmp, int x, int y) {
  const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data());
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof *file);
  const int stride = ((info->biWidth * 3 + 3) / 4) * 4;
  const auto* p = reinterpret_cast<const unsigned char*>(bmp.data() + file->bfOffBits +
                                                         (info->biHeight - 1 - y) * stride + x * 3);
  return RGB(p[2], p[1], p[0]);
}

TEST_F(ScreenshotTest, SavesTheWholeScreenAsA24BitBmp) {
  const std::wstring path = TestDir() + L"\\屏幕.bmp";
  // Two places whose colours are known: the read-only log box is drawn in the
  // face colour, the list's empty part below its rows in the window colour.
  RECT log = OuterRect(Control(kLog));
  RECT list = OuterRect(List());
  const POINT face{log.right - 5, (log.top + log.bottom) / 2};
  const POINT white{list.right - 10, list.bottom - 10};
  std::optional<std::string> bmp;
  // The fixture paints shortly after it shows; shoot until it has.
  EXPECT_TRUE(WaitFor(
      [&] {
        if (!Screenshot(path) || !(bmp = ReadFileBytes(path))) return false;
        return bmp->size() > sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) &&
               PixelAt(*bmp, face.x, face.y) == GetSysColor(COLOR_BTNFACE) &&
               PixelAt(*bmp, white.x, white.y) == GetSysColor(COLOR_WINDOW);
      },
      std::chrono::seconds(15)));
  ASSERT_TRUE(bmp.has_value());
  ASSERT_GT(bmp->size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bmp->data());
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bmp->data() + sizeof *file);
  EXPECT_EQ(file->bfType, 0x4D42);
  EXPECT_EQ(file->bfSize, bmp->size());
  EXPECT_EQ(info->biWidth, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(info->biHeight, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(info->biBitCount, 24);
  EXPECT_EQ(PixelAt(*bmp, face.x, face.y), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(*bmp, white.x, white.y), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace e2e
