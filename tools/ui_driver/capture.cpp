#include "tools/ui_driver/capture.h"

#include "platform/handles.h"

#include <vector>

namespace driver {

namespace {
bool WriteBmp(const std::wstring& path, const BITMAPINFOHEADER& header, const std::vector<char>& pixels) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    rt::FileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    if (!out) return false;
    DWORD written = 0;
    return WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
           WriteFile(out.get(), &header, sizeof header, &written, nullptr) &&
           WriteFile(out.get(), pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
}
}  // namespace

bool CaptureWindow(HWND hwnd, const std::wstring& bmpPath) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    rt::WindowDC screen(nullptr);
    HDC memory = CreateCompatibleDC(screen.get());
    rt::GdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    HGDIOBJ previous = SelectObject(memory, bitmap.get());
    BitBlt(memory, 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, previous);
    DeleteDC(memory);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as BMP files keep them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap.get()), 0, height, pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    return WriteBmp(bmpPath, header, pixels);
}

}  // namespace driver
