// The pictures carried compressed: each inflates to the brand's BMP file byte
// for byte, and becomes the same bitmap that LoadImage makes of that file.
#include "Handles.h"
#include "common/PackedPicture.h"
#include "../common/TestFiles.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// The bitmap's pixels as 24-bit rows.
std::string Rows(HBITMAP bitmap)
{
    BITMAP shape = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) return std::string();
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, shape.bmWidth, shape.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string rows(static_cast<size_t>((shape.bmWidth * 3 + 3) & ~3) * shape.bmHeight, '\0');
    WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, shape.bmHeight, &rows[0], &info, DIB_RGB_COLORS);
    return rows;
}

TEST(PackedPicture, EachIsTheBrandsBmpByteForByte)
{
    struct Row {
        int first;
        const char* name;
        int states; // a button's three: normal, focus, pressed (name_0 to name_2)
    };
    const Row table[] = {
        {IDB_HEIKEI_J, "heikei_j", 1}, {IDB_HEIKEI_E, "heikei_e", 1}, {IDB_HEIKEI_SC, "heikei_sc", 1},
        {IDB_APPLINAME, "appliname", 1}, {IDB_CV, "cv", 3}, {IDB_FREESETUP_J, "freesetup_j", 3},
        {IDB_FREESETUP_E, "freesetup_e", 3}, {IDB_FREESETUP_SC, "freesetup_sc", 3}, {IDB_MAN_J, "man_j", 3},
        {IDB_MAN_E, "man_e", 3}, {IDB_MAN_SC, "man_sc", 3}, {IDB_TOJIRU, "tojiru", 3},
        {IDB_EXIT, "exit", 3}, {IDB_EXIT_SC, "exit_sc", 3},
    };
    const HMODULE program = GetModuleHandleA(nullptr);
    const std::string folder = WindowsPath(PELMORA_BRAND_PICTURES_UNIX);
    size_t pictures = 0;
    for (const Row& row : table) {
        for (int state = 0; state < row.states; ++state, ++pictures) {
            const std::string name = row.states == 1 ? row.name : row.name + ("_" + std::to_string(state));
            const std::string path = JoinPath(folder, name + ".bmp");
            const std::string bmp = ReadBytes(path);
            ASSERT_FALSE(bmp.empty()) << path;
            const BmpFile stored = StoredBmp(program, row.first + state);
            EXPECT_TRUE(std::string(reinterpret_cast<const char*>(stored.Data()), stored.Size()) == bmp) << name;

            UniqueBitmap packed(LoadPackedPicture(program, row.first + state));
            UniqueBitmap loaded(
                static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
            ASSERT_TRUE(packed && loaded) << name;
            EXPECT_TRUE(Rows(packed.get()) == Rows(loaded.get())) << name;
        }
    }
    // The table holds every picture of the brand.
    size_t files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName;
        files += name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ(pictures, files);
}

} // namespace
