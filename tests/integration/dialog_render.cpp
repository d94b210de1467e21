// Takes a picture of the search dialog: the real template 101 shown by the
// real dialog procedure and the system's dialog manager, with a little state
// to show, captured from the screen once drawn and written as a PNG.
//   zms_dialog_render.exe OUTPUT.png
// scripts/render_dialog.sh runs it under wine and Xvfb.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "dialog/search_dialog.h"
#include "platform/library.h"
#include "plugin/search_hint.h"
#include "tools/dialog_driver/dialog_driver.h"

namespace {

uint32_t Crc32(const unsigned char* data, std::size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBe32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBe32(png, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    PutBe32(png, Crc32(reinterpret_cast<const unsigned char*>(body.data()), body.size()));
}

// RGB rows as a PNG whose zlib stream holds stored (uncompressed) blocks: no
// compression library needed for a picture this small.
std::string EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(y) * width * 3]),
                   static_cast<std::size_t>(width) * 3);
    }
    std::string z = "\x78\x01";
    for (std::size_t at = 0; at < raw.size() || at == 0;) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, at, n);
        at += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;  // Adler-32
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(z, (b << 16) | a);

    std::string header;
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

// The window's rectangle as the screen shows it, caption and frame included.
bool Capture(HWND window, const char* path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    const auto* bgrx = static_cast<const unsigned char*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
        rgb[i * 3] = bgrx[i * 4 + 2];
        rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        rgb[i * 3 + 2] = bgrx[i * 4];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const std::string png = EncodePng(w, h, rgb);
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zms_dialog_render OUTPUT.png\n");
        return 2;
    }
    zms::platform::SetPluginModule(GetModuleHandleA(nullptr));
    // A profile that is not there: the hint reads no favourite and no option.
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const zms::ProfileStore store((std::string(temp) + "zms-dialog-render-none.ini").c_str());
    // subject:"予定表" from:sales: the hint line names the trap of 表.
    const zms::dialog::View view{{"subject:\x89\xef\x8b\x63 from:sales", "from:\x8e\x52\x93\x63"},  // subject:会議 from:sales, from:山田
                                 "subject:\"\x97\\\x92\xe8\x95\\\" from:sales", zms::Scope::kAccount, true, true};
    const DWORD thread = GetCurrentThreadId();
    bool captured = false;
    std::thread driver([&] {
        const HWND dialog = zms::dialog_driver::WaitForSearchDialog(thread, 20000);
        if (!dialog) return;
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(1000);  // the X server shows what wine drew
        captured = Capture(dialog, argv[1]);
        zms::dialog_driver::PressCloseBox(dialog);
    });
    zms::dialog::RunSearchDialog(0, view, zms::DialogHint(store));
    driver.join();
    if (!captured) std::fprintf(stderr, "zms_dialog_render: no picture taken\n");
    return captured ? 0 : 1;
}
