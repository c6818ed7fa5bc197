#include "harness.h"

namespace e2e {

bool Screenshot(const std::wstring& path) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up rows, as a BMP file stores them
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  bool ok = bitmap && memory;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageSize;
    info.biSizeImage = imageSize;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(static_cast<const char*>(bits), imageSize);
    ok = WriteFileBytes(path, bytes);
  }
  if (memory) DeleteDC(memory);
  if (bitmap) DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace e2e
